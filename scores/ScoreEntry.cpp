#include "ScoreEntry.h"

#include "ScoreBoard.h"
#include "ScoreBook.h"
#include "ScoreWindows.h"
#include "Shell.h"
#include "Windows1252.h"

#include <QKeyEvent>
#include <QValidator>

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

// "57 (Third place)"; a result outside the tables reads "57 (not placed)".
QString withPlace(const QString &result, std::int16_t rank)
{
    const QString word = placeWord(rank);
    if (word.isEmpty())
        return result + QStringLiteral(" (not placed)");
    return result + QStringLiteral(" (") + word + QStringLiteral(" place)");
}

// Lets through only what the store will keep, so the name on the board is
// the name the next start reads back.
class KeepableNameValidator : public QValidator {
public:
    using QValidator::QValidator;
    State validate(QString &input, int &) const override
    {
        return keepableName(input) == input ? Acceptable : Invalid;
    }
    void fixup(QString &input) const override { input = keepableName(input); }
};

} // namespace

QString keepableName(const QString &typed)
{
    QString kept;
    int characters = 0;
    for (const QChar c : typed) {
        if (characters == kNameLength)
            break;
        // Surrogates (emoji and the like) and everything else outside the
        // code page would come back as "?".
        if (c.isSurrogate() || c.unicode() < 0x20 || fromWindows1252(toWindows1252(QString(c))) != QString(c))
            continue;
        kept += c;
        ++characters;
    }
    return kept;
}

ScoreEntry::ScoreEntry(ScoreBook &scores, const WinResult &result)
    : QDialog(nullptr), scores_(scores), result_(result)
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

    levelCaption_.setText(QStringLiteral("Level"));
    nameCaption_.setText(QStringLiteral("Enter Name"));
    timeCaption_.setText(QStringLiteral("Time"));
    movesCaption_.setText(QStringLiteral("Moves"));
    okButton_.setText(QStringLiteral("Ok"));
    cancelButton_.setText(QStringLiteral("Cancel"));
    for (QWidget *control : {static_cast<QWidget *>(&levelCaption_), static_cast<QWidget *>(&levelLabel_),
                             static_cast<QWidget *>(&nameCaption_), static_cast<QWidget *>(&nameEdit_),
                             static_cast<QWidget *>(&timeCaption_), static_cast<QWidget *>(&timeLabel_),
                             static_cast<QWidget *>(&movesCaption_), static_cast<QWidget *>(&movesLabel_)}) {
        control->setFont(captionFont(12));
        swallowMouseMoves(*control);
    }
    // The captions size themselves, keeping their top-left corner.
    for (QLabel *caption : {&levelCaption_, &nameCaption_, &timeCaption_, &movesCaption_})
        caption->adjustSize();
    nameEdit_.setMaxLength(kNameLength);
    nameEdit_.setValidator(new KeepableNameValidator(&nameEdit_));
    nameEdit_.setFocus();
    // The name, then Ok and Cancel, each framed in orange when Tab brings it.
    setTabOrder(&nameEdit_, &okButton_);
    setTabOrder(&okButton_, &cancelButton_);
    showFocusFrame(nameEdit_);
    styleButtonLabel(okButton_, 14.25);
    styleButtonLabel(cancelButton_, 14.25);

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

    timeLabel_.setText(withPlace(result_.timeText, result_.timeRank));
    movesLabel_.setText(withPlace(result_.movesText, result_.movesRank));
    levelLabel_.setText(QStringLiteral("%1x%1").arg(result_.side));
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

    // The moves are recorded from the counter as the player saw it; text that
    // is not a count records nothing rather than a bogus 0. A result is
    // entered only where it placed at the solving move.
    bool isCount = false;
    const int moves = result_.movesText.trimmed().toInt(&isCount);
    if (isCount && moves >= 0 && moves < kEmptyScore && result_.movesRank <= kPlaces)
        scores_.tables.insert(1, sizeIndex, moves, name);
    if (result_.timeRank <= kPlaces)
        scores_.tables.insert(2, sizeIndex, result_.seconds, name);
    scores_.save();

    hide();
    ScoreBoard board(scores_, result_.side);
    board.exec();
    accept();
}

} // namespace tilemere
