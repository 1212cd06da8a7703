#include "frmScoresBoard.h"

#include "GameState.h"
#include "ScoreTables.h"
#include "ScoreWindows.h"
#include "SettingsStore.h"
#include "Shell.h"

#include <QKeyEvent>

namespace {

using tilemere::ControlPlace;

constexpr int kOuterWidthTwips = 7170;
constexpr int kOuterHeightTwips = 6285;

// Every control's place in twips, relative to its container (the window, or
// Frame1 for everything between the title and the buttons).
constexpr ControlPlace kLayout[] = {
    {"Frame1", {90, 90, 6855, 4905}},
    {"lblScoreBoard", {360, 270, 5895, 405}},
    {"lblBestMoves", {270, 855, 2835, 405}},
    {"lblBestTime", {3600, 855, 2820, 405}},
    {"Label1", {285, 1335, 1815, 315}},
    {"Label4", {2085, 1335, 975, 315}},
    {"Label2", {3645, 1335, 1815, 315}},
    {"Label3", {5445, 1335, 975, 315}},
    {"Line1", {2085, 1350, 15, 360}},
    {"Line2", {5445, 1350, 15, 360}},
    {"lstName", {285, 1635, 1815, 2910}},
    {"lstTotMoves", {2085, 1635, 975, 2910}},
    {"lstName2", {3645, 1635, 1815, 2910}},
    {"lstTime", {5445, 1635, 975, 2910}},
    {"ShpRect0", {720, 5130, 1935, 495}},
    {"lblCloseScores", {765, 5175, 1875, 390}},
    {"ShpRect1", {4185, 5130, 1935, 495}},
    {"lblClearScores", {4230, 5175, 1830, 390}},
};

const QColor kListBackground(192, 192, 255);
const QColor kListText(0, 0, 192);

bool isEnter(const QKeyEvent &event)
{
    return event.key() == Qt::Key_Return || event.key() == Qt::Key_Enter;
}

QString resultText(std::int32_t value, bool isTime)
{
    if (value == tilemere::kEmptyScore)
        return QStringLiteral("-");
    return isTime ? tilemere::minutesAndSeconds(value) : QString::number(value);
}

} // namespace

frmScoresBoard::frmScoresBoard(QWidget *parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("frmScoresBoard"));
    Frame1.setObjectName(QStringLiteral("Frame1"));
    lblScoreBoard.setObjectName(QStringLiteral("lblScoreBoard"));
    lblBestMoves.setObjectName(QStringLiteral("lblBestMoves"));
    lblBestTime.setObjectName(QStringLiteral("lblBestTime"));
    Label1.setObjectName(QStringLiteral("Label1"));
    Label2.setObjectName(QStringLiteral("Label2"));
    Label3.setObjectName(QStringLiteral("Label3"));
    Label4.setObjectName(QStringLiteral("Label4"));
    Line1.setObjectName(QStringLiteral("Line1"));
    Line2.setObjectName(QStringLiteral("Line2"));
    lstName.setObjectName(QStringLiteral("lstName"));
    lstTotMoves.setObjectName(QStringLiteral("lstTotMoves"));
    lstName2.setObjectName(QStringLiteral("lstName2"));
    lstTime.setObjectName(QStringLiteral("lstTime"));
    ShpRect[0].setObjectName(QStringLiteral("ShpRect0"));
    ShpRect[1].setObjectName(QStringLiteral("ShpRect1"));
    lblCloseScores.setObjectName(QStringLiteral("lblCloseScores"));
    lblClearScores.setObjectName(QStringLiteral("lblClearScores"));
    // The shapes lie behind their labels.
    ShpRect[0].stackUnder(&lblCloseScores);
    ShpRect[1].stackUnder(&lblClearScores);
    tilemere::placeControls(*this, kLayout);

    lblBestMoves.setText(QStringLiteral("Best Moves"));
    lblBestTime.setText(QStringLiteral("Best Time"));
    Label1.setText(QStringLiteral("Name"));
    Label4.setText(QStringLiteral("Moves"));
    Label2.setText(QStringLiteral("Name"));
    Label3.setText(QStringLiteral("Time"));
    lblCloseScores.setText(QStringLiteral("Close"));
    lblClearScores.setText(QStringLiteral("Clear Scores"));

    // A frame without a caption still shows its etched border.
    Frame1.setFrameStyle(QFrame::Box | QFrame::Sunken);
    for (QLabel *title : {&lblScoreBoard, &lblBestMoves, &lblBestTime}) {
        title->setFont(tilemere::captionFont(14.25, true));
        title->setAlignment(Qt::AlignCenter);
    }
    for (QLabel *heading : {&Label1, &Label2, &Label3, &Label4})
        heading->setFont(tilemere::captionFont(11.25, true));
    for (QFrame *line : {&Line1, &Line2}) {
        line->setFrameShape(QFrame::VLine);
        line->setFrameShadow(QFrame::Plain);
        line->setAttribute(Qt::WA_TransparentForMouseEvents);
    }
    for (QListWidget *list : {&lstName, &lstTotMoves, &lstName2, &lstTime}) {
        list->setFont(tilemere::listFont(9.75, true));
        list->setUniformItemSizes(true);
        list->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
        // Enter must reach the window even when a list has the focus.
        list->installEventFilter(this);
        tilemere::swallowMouseMoves(*list);
    }
    for (QLabel *label : {&lblScoreBoard, &lblBestMoves, &lblBestTime, &Label1, &Label2, &Label3, &Label4})
        tilemere::swallowMouseMoves(*label);
    tilemere::styleButtonLabel(lblCloseScores, 14.25);
    tilemere::styleButtonLabel(lblClearScores, 14.25);

    connect(&lblCloseScores, &tilemere::ClickLabel::clicked, this, &frmScoresBoard::lblCloseScores_Click);
    connect(&lblClearScores, &tilemere::ClickLabel::clicked, this, &frmScoresBoard::lblClearScores_Click);
    connect(&lblCloseScores, &tilemere::ClickLabel::mouseMoved, this,
            &frmScoresBoard::lblCloseScores_MouseMove);
    connect(&lblClearScores, &tilemere::ClickLabel::mouseMoved, this,
            &frmScoresBoard::lblClearScores_MouseMove);
    tilemere::onBackgroundMouseMove(*this, [this] { formMouseMove(); });
    tilemere::onBackgroundMouseMove(Frame1, [this] { formMouseMove(); });

    formLoad();
}

void frmScoresBoard::formLoad()
{
    tilemere::setAppTitle(*this);

    tilemere::setColours(*this, tilemere::kWindowBlue);
    tilemere::setColours(Frame1, tilemere::kWindowBlue);
    for (QLabel *title : {&lblScoreBoard, &lblBestMoves, &lblBestTime})
        tilemere::setColours(*title, tilemere::kWindowBlue, tilemere::kHighlightOrange);
    for (QLabel *heading : {&Label1, &Label2, &Label3, &Label4})
        tilemere::setColours(*heading, tilemere::kLavender, Qt::black);
    for (QListWidget *list : {&lstName, &lstTotMoves, &lstName2, &lstTime})
        tilemere::setColours(*list, kListBackground, kListText);
    for (tilemere::RoundedRect &shape : ShpRect)
        shape.setFillColour(tilemere::kButtonBlue);

    lblScoreBoard.setText(QStringLiteral("%1x%1 Score Board").arg(gChosenSize));
    tilemere::placeDialog(*this, kOuterWidthTwips, kOuterHeightTwips, 5, 8);
    initScoreLables(1, gChosenSize);
}

void frmScoresBoard::initScoreLables(std::int16_t, std::int16_t scoreSize)
{
    lstName.clear();
    lstTime.clear();
    lstTotMoves.clear();
    lstName2.clear();
    const std::int16_t sizeIndex = static_cast<std::int16_t>(scoreSize - 2);
    const tilemere::ScoreTable &moves = gScores(1, sizeIndex);
    const tilemere::ScoreTable &times = gScores(2, sizeIndex);
    for (std::size_t place = 0; place < tilemere::kPlaces; ++place) {
        lstName.addItem(QString::fromStdString(moves.names[place]));
        lstTotMoves.addItem(resultText(moves.values[place], false));
        lstTime.addItem(resultText(times.values[place], true));
        lstName2.addItem(QString::fromStdString(times.names[place]));
    }
}

void frmScoresBoard::lblClearScores_Click()
{
    clearScoreTables(gChosenSize);
    initScoreLables(1, gChosenSize);
    saveSettings();
}

void frmScoresBoard::lblCloseScores_Click()
{
    accept();
}

bool frmScoresBoard::formKeyPress(const QKeyEvent &event)
{
    if (!isEnter(event))
        return false;
    lblCloseScores_Click();
    return true;
}

void frmScoresBoard::keyPressEvent(QKeyEvent *event)
{
    if (formKeyPress(*event))
        return;
    QDialog::keyPressEvent(event);
}

bool frmScoresBoard::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::KeyPress && formKeyPress(static_cast<const QKeyEvent &>(*event)))
        return true;
    return QDialog::eventFilter(watched, event);
}

void frmScoresBoard::lblCloseScores_MouseMove()
{
    tilemere::highlightLink(lblCloseScores);
}

void frmScoresBoard::lblClearScores_MouseMove()
{
    tilemere::highlightLink(lblClearScores);
}

void frmScoresBoard::formMouseMove()
{
    tilemere::resetLink(lblCloseScores);
    tilemere::resetLink(lblClearScores);
}
