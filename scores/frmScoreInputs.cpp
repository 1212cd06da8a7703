#include "frmScoreInputs.h"

#include "GameState.h"
#include "ScoreTables.h"
#include "ScoreWindows.h"
#include "SettingsStore.h"
#include "Shell.h"
#include "frmScoresBoard.h"

namespace {

using tilemere::ControlPlace;

constexpr int kOuterWidthTwips = 4260;
constexpr int kOuterHeightTwips = 3600;
constexpr int kNameLength = 20;

// Every control's place on the window, in twips.
constexpr ControlPlace kLayout[] = {
    {"Label5", {240, 360, 570, 345}},
    {"lblLevel", {1800, 360, 1875, 345}},
    {"Label1", {240, 840, 1290, 345}},
    {"txtPlyrName", {1800, 840, 2175, 375}},
    {"Label2", {240, 1320, 525, 345}},
    {"lblTimePlayed", {1800, 1320, 2205, 345}},
    {"Label4", {240, 1800, 690, 345}},
    {"lblMoves", {1800, 1800, 2220, 345}},
    {"ShpRect0", {270, 2520, 1485, 495}},
    {"lblOK", {315, 2565, 1395, 390}},
    {"ShpRect1", {2295, 2520, 1485, 495}},
    {"lblCancel", {2340, 2565, 1395, 390}},
};

const QColor kEntryBlue(120, 167, 224);

// "57 (Third place)"; a result outside the tables reads "57 (not placed)".
QString withPlace(const QString &result, std::int16_t rank)
{
    const QString word = tilemere::placeWord(rank);
    if (word.isEmpty())
        return result + QStringLiteral(" (not placed)");
    return result + QStringLiteral(" (") + word + QStringLiteral(" place)");
}

// Inserts only where the result still places: the ranks were worked out
// at the solving click, and inserting a result that no longer beats the
// tenth place would overwrite that place with a worse one.
void recordIfPlaced(std::int16_t scoreMode, std::int16_t sizeIndex, std::int16_t rank, std::int16_t value,
                    const std::string &playerName)
{
    if (rank > 10 || scoreRank(scoreMode, sizeIndex, value) > 10)
        return;
    insertScore(scoreMode, sizeIndex, value, playerName);
}

} // namespace

frmScoreInputs::frmScoreInputs(QWidget *playScreen, const QString &movesText, const QString &timeText,
                               std::int16_t elapsedSeconds, std::int16_t movesRank, std::int16_t timeRank)
    : QDialog(nullptr), playScreen(playScreen), movesCounterText(movesText), clockText(timeText),
      playedSeconds(elapsedSeconds), movesRank(movesRank), timeRank(timeRank)
{
    setObjectName(QStringLiteral("frmScoreInputs"));
    setWindowModality(Qt::ApplicationModal);
    Label5.setObjectName(QStringLiteral("Label5"));
    lblLevel.setObjectName(QStringLiteral("lblLevel"));
    Label1.setObjectName(QStringLiteral("Label1"));
    txtPlyrName.setObjectName(QStringLiteral("txtPlyrName"));
    Label2.setObjectName(QStringLiteral("Label2"));
    lblTimePlayed.setObjectName(QStringLiteral("lblTimePlayed"));
    Label4.setObjectName(QStringLiteral("Label4"));
    lblMoves.setObjectName(QStringLiteral("lblMoves"));
    ShpRect[0].setObjectName(QStringLiteral("ShpRect0"));
    ShpRect[1].setObjectName(QStringLiteral("ShpRect1"));
    lblOK.setObjectName(QStringLiteral("lblOK"));
    lblCancel.setObjectName(QStringLiteral("lblCancel"));
    ShpRect[0].stackUnder(&lblOK);
    ShpRect[1].stackUnder(&lblCancel);
    tilemere::placeControls(*this, kLayout);

    Label5.setText(QStringLiteral("Level"));
    Label1.setText(QStringLiteral("Enter Name"));
    Label2.setText(QStringLiteral("Time"));
    Label4.setText(QStringLiteral("Moves"));
    lblTimePlayed.setText(QStringLiteral("0:00"));
    lblMoves.setText(QStringLiteral("0"));
    lblOK.setText(QStringLiteral("Ok"));
    lblCancel.setText(QStringLiteral("Cancel"));
    for (QWidget *control : {static_cast<QWidget *>(&Label5), static_cast<QWidget *>(&lblLevel),
                             static_cast<QWidget *>(&Label1), static_cast<QWidget *>(&txtPlyrName),
                             static_cast<QWidget *>(&Label2), static_cast<QWidget *>(&lblTimePlayed),
                             static_cast<QWidget *>(&Label4), static_cast<QWidget *>(&lblMoves)}) {
        control->setFont(tilemere::captionFont(12));
        tilemere::swallowMouseMoves(*control);
    }
    // These four size themselves to their captions, keeping their top-left corner.
    for (QLabel *caption : {&Label5, &Label1, &Label2, &Label4})
        caption->adjustSize();
    txtPlyrName.setMaxLength(kNameLength);
    txtPlyrName.setFocus();
    tilemere::styleButtonLabel(lblOK, 14.25);
    tilemere::styleButtonLabel(lblCancel, 14.25);

    connect(&txtPlyrName, &QLineEdit::returnPressed, this, &frmScoreInputs::lblOK_Click);
    connect(&lblOK, &tilemere::ClickLabel::clicked, this, &frmScoreInputs::lblOK_Click);
    connect(&lblCancel, &tilemere::ClickLabel::clicked, this, &frmScoreInputs::lblCancel_Click);
    connect(&lblOK, &tilemere::ClickLabel::mouseMoved, this, &frmScoreInputs::lblOK_MouseMove);
    connect(&lblCancel, &tilemere::ClickLabel::mouseMoved, this, &frmScoreInputs::lblCancel_MouseMove);
    tilemere::onBackgroundMouseMove(*this, [this] { formMouseMove(); });

    formLoad();
}

frmScoreInputs::~frmScoreInputs()
{
    formUnload();
}

void frmScoreInputs::formLoad()
{
    tilemere::setAppTitle(*this);
    tilemere::placeDialog(*this, kOuterWidthTwips, kOuterHeightTwips, 3, 3);

    tilemere::setColours(*this, kEntryBlue);
    for (QLabel *label : {&Label1, &Label2, &Label4, &Label5, &lblLevel, &lblTimePlayed, &lblMoves})
        tilemere::setColours(*label, kEntryBlue, Qt::black);
    tilemere::setColours(txtPlyrName, tilemere::kWindowBlue, tilemere::kWhite);
    for (tilemere::RoundedRect &shape : ShpRect)
        shape.setFillColour(tilemere::kButtonBlue);

    lblTimePlayed.setText(withPlace(clockText, timeRank));
    lblMoves.setText(withPlace(movesCounterText, movesRank));
    lblLevel.setText(QStringLiteral("%1x%1").arg(gChosenSize));
    if (playScreen)
        playScreen->setEnabled(false);
}

void frmScoreInputs::formUnload()
{
    if (playScreen)
        playScreen->setEnabled(true);
}

void frmScoreInputs::done(int result)
{
    formUnload();
    QDialog::done(result);
}

void frmScoreInputs::lblOK_Click()
{
    // A second Enter or click while the board is up must not record twice.
    if (recorded)
        return;
    recorded = true;

    QString playerName = txtPlyrName.text().trimmed();
    if (playerName.isEmpty())
        playerName = QString::fromLatin1(tilemere::kClearedName);
    const std::string name = playerName.toStdString();
    const std::int16_t sizeIndex = static_cast<std::int16_t>(gChosenSize - 2);

    // The moves are recorded from the counter as the player saw it; text that
    // is not a count records nothing rather than a bogus 0.
    bool isCount = false;
    const int moves = movesCounterText.trimmed().toInt(&isCount);
    if (isCount && moves >= 0 && moves < tilemere::kEmptyScore)
        recordIfPlaced(1, sizeIndex, movesRank, static_cast<std::int16_t>(moves), name);
    recordIfPlaced(2, sizeIndex, timeRank, playedSeconds, name);
    saveSettings();

    hide();
    frmScoresBoard board(nullptr);
    board.exec();
    accept();
}

void frmScoreInputs::lblCancel_Click()
{
    reject();
}

void frmScoreInputs::lblOK_MouseMove()
{
    tilemere::highlightLink(lblOK);
}

void frmScoreInputs::lblCancel_MouseMove()
{
    tilemere::highlightLink(lblCancel);
}

void frmScoreInputs::formMouseMove()
{
    tilemere::resetLink(lblOK);
    tilemere::resetLink(lblCancel);
}
