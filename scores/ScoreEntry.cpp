#include "ScoreEntry.h"

#include "ScoreBoard.h"
#include "ScoreBook.h"
#include "ScoreWindows.h"
#include "FitText.h"
#include "LocaleText.h"
#include "Shell.h"

#include <QCoreApplication>
#include <QKeyEvent>

#include <algorithm>
#include <iterator>

namespace tilemere {

namespace {

constexpr int kOuterWidthTwips = 4260;
constexpr int kOuterHeightTwips = 3600;

// Every control's place on the window, in twips.
constexpr ControlPlace kLayout[] = {
    {"levelCaption", {240, 360, 570, 345}},
    {"levelLabel", {1800, 360, 1875, 345}},
    {"nameCaption", {240, 840, 1290, 345}},
    {"nameEdit", {1800, 840, 2175, 375}},
    {"timeCaption", {240, 1320, 525, 345}},
    {"timeLabel", {1800, 1320, 2205, 345}},
    {"movesCaption", {240, 1800, 690, 345}},
    {"movesLabel", {1800, 1800, 2220, 345}},
    {"okShape", {270, 2520, 1485, 495}},
    {"okButton", {315, 2565, 1395, 390}},
    {"cancelShape", {2295, 2520, 1485, 495}},
    {"cancelButton", {2340, 2565, 1395, 390}},
};

const QColor kEntryBlue(120, 167, 224);

// Whole sentences, so that a translator can put the place where the
// language wants it. "Nineth" is how the game has always spelt it.
constexpr const char *kPlaceTexts[] = {
    QT_TRANSLATE_NOOP("tilemere::ScoreEntry", "%1 (First place)"),   QT_TRANSLATE_NOOP("tilemere::ScoreEntry", "%1 (Second place)"),
    QT_TRANSLATE_NOOP("tilemere::ScoreEntry", "%1 (Third place)"),   QT_TRANSLATE_NOOP("tilemere::ScoreEntry", "%1 (Fourth place)"),
    QT_TRANSLATE_NOOP("tilemere::ScoreEntry", "%1 (Fifth place)"),   QT_TRANSLATE_NOOP("tilemere::ScoreEntry", "%1 (Sixth place)"),
    QT_TRANSLATE_NOOP("tilemere::ScoreEntry", "%1 (Seventh place)"), QT_TRANSLATE_NOOP("tilemere::ScoreEntry", "%1 (Eighth place)"),
    QT_TRANSLATE_NOOP("tilemere::ScoreEntry", "%1 (Nineth place)"),  QT_TRANSLATE_NOOP("tilemere::ScoreEntry", "%1 (Tenth place)")};

} // namespace

QString resultWithPlace(const QString &result, std::int16_t rank)
{
    if (rank < 1 || rank > static_cast<std::int16_t>(std::size(kPlaceTexts)))
        return ScoreEntry::tr("%1 (not placed)").arg(result);
    return QCoreApplication::translate("tilemere::ScoreEntry", kPlaceTexts[rank - 1]).arg(result);
}

QString keepableName(const QString &typed)
{
    // Counted in characters as a player counts them, a surrogate pair being one.
    const QString folded = foldToWindows1252(typed);
    return folded.left(kNameLength);
}

ScoreEntry::ScoreEntry(ScoreBook &scores, const WinResult &result, QWidget *parent)
    : QDialog(parent), scores_(scores), result_(result)
{
    setObjectName(QStringLiteral("scoreEntry"));
    setWindowModality(Qt::ApplicationModal);
    const std::pair<QWidget *, const char *> names[] = {
        {&levelCaption_, "levelCaption"}, {&levelLabel_, "levelLabel"},   {&nameCaption_, "nameCaption"},
        {&nameEdit_, "nameEdit"},         {&timeCaption_, "timeCaption"}, {&timeLabel_, "timeLabel"},
        {&movesCaption_, "movesCaption"}, {&movesLabel_, "movesLabel"},   {&okShape_, "okShape"},
        {&okButton_, "okButton"},         {&cancelShape_, "cancelShape"}, {&cancelButton_, "cancelButton"}};
    for (const auto &[control, name] : names)
        control->setObjectName(QLatin1String(name));
    okShape_.stackUnder(&okButton_);
    cancelShape_.stackUnder(&cancelButton_);
    placeControls(*this, kLayout);

    levelCaption_.setText(tr("Level"));
    nameCaption_.setText(tr("Enter Name"));
    timeCaption_.setText(tr("Time"));
    movesCaption_.setText(tr("Moves"));
    okButton_.setText(tr("Ok"));
    cancelButton_.setText(tr("Cancel"));
    for (QWidget *control : {static_cast<QWidget *>(&levelCaption_), static_cast<QWidget *>(&levelLabel_),
                             static_cast<QWidget *>(&nameCaption_), static_cast<QWidget *>(&nameEdit_),
                             static_cast<QWidget *>(&timeCaption_), static_cast<QWidget *>(&timeLabel_),
                             static_cast<QWidget *>(&movesCaption_), static_cast<QWidget *>(&movesLabel_)}) {
        control->setFont(captionFont(12));
        swallowMouseMoves(*control);
    }
    // The captions size themselves, keeping their top-left corner, up to the
    // values beside them.
    const int captionRoom = levelLabel_.x() - levelCaption_.x() - 2;
    for (QLabel *caption : {&levelCaption_, &nameCaption_, &timeCaption_, &movesCaption_})
        fitText(*caption, captionRoom);
    nameEdit_.setMaxLength(kNameLength);
    nameEdit_.setAccessibleName(nameCaption_.text());
    nameEdit_.setFocus();
    // The name, then Ok and Cancel, each framed in orange when Tab brings it.
    setTabOrder(&nameEdit_, &okButton_);
    setTabOrder(&okButton_, &cancelButton_);
    showFocusFrame(nameEdit_);
    styleButtonLabel(okButton_, 14.25);
    styleButtonLabel(cancelButton_, 14.25);
    fitText(okButton_);
    fitText(cancelButton_);

    connect(&nameEdit_, &QLineEdit::textEdited, this, &ScoreEntry::keepTypedName);
    connect(&nameEdit_, &QLineEdit::returnPressed, this, &ScoreEntry::record);
    connect(&okButton_, &LinkButton::clicked, this, &ScoreEntry::record);
    connect(&cancelButton_, &LinkButton::clicked, this, &ScoreEntry::reject);
    connect(&okButton_, &LinkButton::mouseMoved, this, [this] { highlightLink(okButton_); });
    connect(&cancelButton_, &LinkButton::mouseMoved, this, [this] { highlightLink(cancelButton_); });
    onBackgroundMouseMove(*this, [this] {
        resetLink(okButton_);
        resetLink(cancelButton_);
    });
    showResult();
}

void ScoreEntry::showResult()
{
    setAppTitle(*this);
    placeDialog(*this, kOuterWidthTwips, kOuterHeightTwips, 3, 3);

    setColours(*this, kEntryBlue);
    for (QLabel *label : {&nameCaption_, &timeCaption_, &movesCaption_, &levelCaption_, &levelLabel_, &timeLabel_,
                          &movesLabel_})
        setColours(*label, kEntryBlue, Qt::black);
    setColours(nameEdit_, kWindowBlue, kWhite);
    okShape_.setFillColour(kButtonBlue);
    cancelShape_.setFillColour(kButtonBlue);

    timeLabel_.setText(resultWithPlace(clockText(result_.seconds), result_.timeRank));
    movesLabel_.setText(resultWithPlace(countText(result_.moves), result_.movesRank));
    levelLabel_.setText(tr("%1x%1").arg(result_.side));
    for (QLabel *value : {&timeLabel_, &movesLabel_, &levelLabel_})
        fitText(*value);
}

void ScoreEntry::keepTypedName(const QString &typed)
{
    // Letters are turned plain as they are typed, so a word that was plain
    // from one letter on stays plain while the player goes on typing it
    // ("Ş" -> "S", then "Sü" -> "Su"), as it would be when pasted whole.
    const QStringList words = typed.split(u' ');
    QStringList shownWords;
    QList<bool> plain;
    for (qsizetype i = 0; i < words.size(); ++i) {
        const QString &word = words[i];
        const bool wasPlain = i < plainWords_.size() && plainWords_[i] && !word.isEmpty() &&
                              (word.startsWith(shownWords_[i]) || shownWords_[i].startsWith(word));
        plain << (wasPlain || !keptAsItIs(word));
        shownWords << (plain.back() ? plainLatin(word) : word);
    }
    const QString kept = shownWords.join(u' ').left(kNameLength);
    shownWords_ = kept.split(u' ');
    plainWords_ = plain.mid(0, shownWords_.size());
    if (kept != typed) {
        const int cursor = nameEdit_.cursorPosition() - static_cast<int>(typed.size() - kept.size());
        nameEdit_.setText(kept);
        nameEdit_.setCursorPosition(qMax(cursor, 0));
    }
    // Letters with no form the store holds (Greek, Cyrillic) cannot be kept:
    // the box says so rather than quietly recording "Anonymous".
    const bool lostLetters = std::any_of(typed.begin(), typed.end(), [](QChar c) {
        return c.isLetter() && plainLatin(QString(c)).isEmpty();
    });
    const QString warning = lostLetters ? tr("Only Latin letters can be kept") : QString();
    nameEdit_.setToolTip(warning);
    nameEdit_.setPlaceholderText(warning);
    nameEdit_.setAccessibleDescription(warning);
}

// Escape would throw the result away with one key: here it does nothing.
void ScoreEntry::keyPressEvent(QKeyEvent *event)
{
    if (event->key() == Qt::Key_Escape) {
        event->accept();
        return;
    }
    QDialog::keyPressEvent(event);
}

void ScoreEntry::record()
{
    // A second Enter or click while the board is up must not record twice.
    if (recorded_)
        return;
    recorded_ = true;

    QString playerName = keepableName(nameEdit_.text()).trimmed();
    if (playerName.isEmpty())
        playerName = QString::fromLatin1(kClearedName);
    const std::string name = playerName.toStdString();
    const int sizeIndex = result_.side - 2;

    // A result is entered only where it placed at the solving move; a count
    // that would read as an empty place records nothing.
    if (result_.moves >= 0 && result_.moves < kEmptyScore && result_.movesRank <= kPlaces)
        scores_.tables.insert(ScoreMode::Moves, sizeIndex, result_.moves, name);
    if (result_.timeRank <= kPlaces)
        scores_.tables.insert(ScoreMode::Time, sizeIndex, result_.seconds, name);
    scores_.save();

    hide();
    // Its parent is the window this one blocked: this one is hidden now.
    ScoreBoard board(scores_, result_.side, parentWidget());
    board.exec();
    accept();
}

} // namespace tilemere
