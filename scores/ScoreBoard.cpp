#include "ScoreBoard.h"

#include "FitText.h"
#include "LocaleText.h"
#include "ScoreBook.h"
#include "ScoreWindows.h"
#include "Shell.h"

#include <QKeyEvent>

namespace tilemere {

namespace {

constexpr int kOuterWidthTwips = 7170;
constexpr int kOuterHeightTwips = 6285;

// Every control's place in twips, relative to its container (the window, or
// the frame for everything between the title and the buttons).
constexpr ControlPlace kLayout[] = {
    {"tablesFrame", {90, 90, 6855, 4905}},
    {"titleLabel", {360, 270, 5895, 405}},
    {"movesTitle", {270, 855, 2835, 405}},
    {"timeTitle", {3600, 855, 2820, 405}},
    {"movesNameHeading", {285, 1335, 1815, 315}},
    {"movesHeading", {2085, 1335, 975, 315}},
    {"timeNameHeading", {3645, 1335, 1815, 315}},
    {"timeHeading", {5445, 1335, 975, 315}},
    {"movesDivider", {2085, 1350, 15, 360}},
    {"timeDivider", {5445, 1350, 15, 360}},
    {"movesNames", {285, 1635, 1815, 2910}},
    {"movesList", {2085, 1635, 975, 2910}},
    {"timeNames", {3645, 1635, 1815, 2910}},
    {"timeList", {5445, 1635, 975, 2910}},
    {"closeShape", {720, 5130, 1935, 495}},
    {"closeButton", {765, 5175, 1875, 390}},
    {"clearShape", {4185, 5130, 1935, 495}},
    {"clearButton", {4230, 5175, 1830, 390}},
};

const QColor kListBackground(192, 192, 255);
const QColor kListText(0, 0, 192);

bool isEnter(const QKeyEvent &event)
{
    return event.key() == Qt::Key_Return || event.key() == Qt::Key_Enter;
}

// An empty place, and a result no game can give (a hand-edited store), show "-".
QString resultText(std::int32_t value, bool isTime)
{
    if (value == kEmptyScore || value < 0)
        return QStringLiteral("-");
    return isTime ? clockText(value) : countText(value);
}

} // namespace

ScoreBoard::ScoreBoard(ScoreBook &scores, int side, QWidget *parent)
    : QDialog(parent), scores_(scores), side_(side)
{
    setObjectName(QStringLiteral("scoreBoard"));
    const std::pair<QWidget *, const char *> names[] = {
        {&tablesFrame_, "tablesFrame"},   {&titleLabel_, "titleLabel"},     {&movesTitle_, "movesTitle"},
        {&timeTitle_, "timeTitle"},       {&movesNameHeading_, "movesNameHeading"},
        {&movesHeading_, "movesHeading"}, {&timeNameHeading_, "timeNameHeading"},
        {&timeHeading_, "timeHeading"},   {&movesDivider_, "movesDivider"}, {&timeDivider_, "timeDivider"},
        {&movesNames_, "movesNames"},     {&movesList_, "movesList"},       {&timeNames_, "timeNames"},
        {&timeList_, "timeList"},         {&closeShape_, "closeShape"},     {&closeButton_, "closeButton"},
        {&clearShape_, "clearShape"},     {&clearButton_, "clearButton"}};
    for (const auto &[control, name] : names)
        control->setObjectName(QLatin1String(name));
    // The shapes lie behind their labels.
    closeShape_.stackUnder(&closeButton_);
    clearShape_.stackUnder(&clearButton_);
    placeControls(*this, kLayout);

    movesTitle_.setText(tr("Best Moves"));
    timeTitle_.setText(tr("Best Time"));
    movesNameHeading_.setText(tr("Name"));
    movesHeading_.setText(tr("Moves"));
    timeNameHeading_.setText(tr("Name"));
    timeHeading_.setText(tr("Time"));
    closeButton_.setText(tr("Close"));
    clearButton_.setText(tr("Clear Scores"));

    // A frame without a caption still shows its etched border.
    tablesFrame_.setFrameStyle(QFrame::Box | QFrame::Sunken);
    for (QLabel *title : {&titleLabel_, &movesTitle_, &timeTitle_}) {
        title->setFont(captionFont(14.25, true));
        title->setAlignment(Qt::AlignCenter);
    }
    for (QLabel *heading : {&movesNameHeading_, &timeNameHeading_, &timeHeading_, &movesHeading_})
        heading->setFont(captionFont(11.25, true));
    for (QFrame *line : {&movesDivider_, &timeDivider_}) {
        line->setFrameShape(QFrame::VLine);
        line->setFrameShadow(QFrame::Plain);
        line->setAttribute(Qt::WA_TransparentForMouseEvents);
    }
    for (QListWidget *list : {&movesNames_, &movesList_, &timeNames_, &timeList_}) {
        list->setFont(listFont(9.75, true));
        list->setUniformItemSizes(true);
        list->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
        // Enter must reach the window even when a list has the focus.
        list->installEventFilter(this);
        swallowMouseMoves(*list);
    }
    for (QLabel *label : {&titleLabel_, &movesTitle_, &timeTitle_, &movesNameHeading_, &timeNameHeading_, &timeHeading_, &movesHeading_})
        swallowMouseMoves(*label);
    styleButtonLabel(closeButton_, 14.25);
    styleButtonLabel(clearButton_, 14.25);
    for (QWidget *label : std::initializer_list<QWidget *>{&movesTitle_, &timeTitle_, &movesNameHeading_, &timeNameHeading_,
                                                         &timeHeading_, &movesHeading_, &closeButton_, &clearButton_})
        fitText(*label);
    // The lists are read under their headings' names.
    movesNames_.setAccessibleName(movesTitle_.text() + u' ' + movesNameHeading_.text());
    movesList_.setAccessibleName(movesHeading_.text());
    timeNames_.setAccessibleName(timeTitle_.text() + u' ' + timeNameHeading_.text());
    timeList_.setAccessibleName(timeHeading_.text());
    // Close first, then Clear Scores, then the tables to read row by row.
    setTabOrder(&closeButton_, &clearButton_);
    setTabOrder(&clearButton_, &movesNames_);
    setTabOrder(&movesNames_, &movesList_);
    setTabOrder(&movesList_, &timeNames_);
    setTabOrder(&timeNames_, &timeList_);
    for (QListWidget *list : {&movesNames_, &movesList_, &timeNames_, &timeList_}) {
        list->setFocusPolicy(Qt::TabFocus);
        showFocusFrame(*list);
    }
    closeButton_.setFocus();

    connect(&closeButton_, &LinkButton::clicked, this, &ScoreBoard::accept);
    connect(&clearButton_, &LinkButton::clicked, this, &ScoreBoard::clearScores);
    connect(&closeButton_, &LinkButton::mouseMoved, this, [this] { highlightLink(closeButton_); });
    connect(&clearButton_, &LinkButton::mouseMoved, this, [this] { highlightLink(clearButton_); });
    const auto resetButtons = [this] {
        resetLink(closeButton_);
        resetLink(clearButton_);
    };
    onBackgroundMouseMove(*this, resetButtons);
    onBackgroundMouseMove(tablesFrame_, resetButtons);

    setAppTitle(*this);
    placeDialog(*this, kOuterWidthTwips, kOuterHeightTwips, 5, 8);
    showTables();
}

void ScoreBoard::showTables()
{
    setColours(*this, kWindowBlue);
    setColours(tablesFrame_, kWindowBlue);
    for (QLabel *title : {&titleLabel_, &movesTitle_, &timeTitle_})
        setColours(*title, kWindowBlue, kHighlightOrange);
    for (QLabel *heading : {&movesNameHeading_, &timeNameHeading_, &timeHeading_, &movesHeading_})
        setColours(*heading, kLavender, Qt::black);
    for (QListWidget *list : {&movesNames_, &movesList_, &timeNames_, &timeList_})
        setColours(*list, kListBackground, kListText);
    closeShape_.setFillColour(kButtonBlue);
    clearShape_.setFillColour(kButtonBlue);

    titleLabel_.setText(tr("%1x%1 Score Board").arg(side_));
    fitText(titleLabel_);
    movesNames_.clear();
    timeList_.clear();
    movesList_.clear();
    timeNames_.clear();
    const int sizeIndex = side_ - 2;
    const ScoreTable &moves = scores_.tables(ScoreMode::Moves, sizeIndex);
    const ScoreTable &times = scores_.tables(ScoreMode::Time, sizeIndex);
    for (std::size_t place = 0; place < kPlaces; ++place) {
        movesNames_.addItem(QString::fromStdString(moves.names[place]));
        movesList_.addItem(resultText(moves.values[place], false));
        timeList_.addItem(resultText(times.values[place], true));
        timeNames_.addItem(QString::fromStdString(times.names[place]));
    }
}

void ScoreBoard::clearScores()
{
    scores_.tables.clearSide(side_);
    showTables();
    scores_.save();
}

bool ScoreBoard::closeOnEnter(const QKeyEvent &event)
{
    if (!isEnter(event))
        return false;
    accept();
    return true;
}

void ScoreBoard::keyPressEvent(QKeyEvent *event)
{
    if (closeOnEnter(*event))
        return;
    QDialog::keyPressEvent(event);
}

bool ScoreBoard::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::KeyPress && closeOnEnter(static_cast<const QKeyEvent &>(*event)))
        return true;
    return QDialog::eventFilter(watched, event);
}

} // namespace tilemere
