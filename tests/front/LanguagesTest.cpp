// Every window in every shipped language: no text wider than its control,
// and, under a translator that brackets every text, no text on screen that
// skipped translation.
#include "FrontTestSupport.h"
#include "ScoreBoard.h"
#include "ScoreEntry.h"
#include "Translations.h"

#include <QAbstractButton>
#include <QAccessible>
#include <QRegularExpression>
#include <QTranslator>

using namespace fronttest;

namespace {

// Wraps every text it is asked for in brackets, so that one left untranslated shows.
class BracketTranslator : public QTranslator {
public:
    QString translate(const char *, const char *source, const char *, int) const override
    {
        return QLatin1Char('[') + QString::fromUtf8(source) + QLatin1Char(']');
    }
    bool isEmpty() const override { return false; }
};

void removeTranslators()
{
    qDeleteAll(QCoreApplication::instance()->findChildren<QTranslator *>(Qt::FindDirectChildrenOnly));
}

// The windows as a player meets them: the front screen, the play screen of
// a game, the score entry after a win and the score board.
struct Windows {
    explicit Windows(const AppFolder &folder) : front(folder)
    {
        front->chooseSize(3);
        front->startGame(0);
        front.awaitGame();
        front->playScreen().finishShuffleNow();
        entry = std::make_unique<tilemere::ScoreEntry>(front.scores, tilemere::WinResult{3, 57, 83, 9, 11});
        board = std::make_unique<tilemere::ScoreBoard>(front.scores, 3);
    }
    QList<QWidget *> all() { return {front.front.get(), &front->playScreen(), entry.get(), board.get()}; }
    Started front;
    std::unique_ptr<tilemere::ScoreEntry> entry;
    std::unique_ptr<tilemere::ScoreBoard> board;
};

QString textOf(const QWidget *control)
{
    if (const auto *label = qobject_cast<const QLabel *>(control))
        return label->text();
    if (const auto *button = qobject_cast<const QAbstractButton *>(control))
        return button->text();
    return {};
}

// "window/control: text" of every control whose text is wider than the
// control. The win's label grows past the board by design.
QStringList overflowing(QWidget &window)
{
    QStringList found;
    for (QWidget *control : window.findChildren<QWidget *>()) {
        if (textOf(control).isEmpty() || control->objectName() == QLatin1String("congratsLabel"))
            continue;
        const auto *label = qobject_cast<const QLabel *>(control);
        const int needed = label ? label->fontMetrics().horizontalAdvance(label->text()) : control->sizeHint().width();
        if (needed > (label ? label->contentsRect().width() : control->width()))
            found << window.objectName() + u'/' + control->objectName() + QStringLiteral(": ") + textOf(control);
    }
    return found;
}

} // namespace

TEST(LanguagesTest, EveryTextFitsItsControlInEveryLanguage)
{
    for (const char *language : {"en", "de_DE", "fr_FR"}) {
        SCOPED_TRACE(language);
        const int installed = tilemere::installTranslations(QLocale(QLatin1String(language)),
                                                             QStringLiteral(TILEMERE_TRANSLATIONS_DIR));
        EXPECT_EQ(installed, language == std::string("en") ? 0 : 2) << "the game's and Qt's, or none for English";
        {
            AppFolder folder;
            Windows windows(folder);
            for (QWidget *window : windows.all())
                EXPECT_EQ(overflowing(*window), QStringList());
            if (language != std::string("en")) {
                EXPECT_NE(windows.front.text("pageLabel"), QStringLiteral("Page 1 of 1 page(s)"));
            }
        }
        removeTranslators();
    }
}

TEST(LanguagesTest, NoVisibleTextEscapesTranslation)
{
    auto *brackets = new BracketTranslator;
    brackets->setParent(QCoreApplication::instance());
    QCoreApplication::installTranslator(brackets);
    {
        AppFolder folder;
        Windows windows(folder);
        // Counts, the clock and the version are numbers, not words; the
        // title and the web address are names.
        const QStringList data{QStringLiteral("movesLabel"), QStringLiteral("timeLabel"), QStringLiteral("versionLabel")};
        QStringList untranslated;
        for (QWidget *window : windows.all())
            for (QWidget *control : window->findChildren<QWidget *>()) {
                const QString tip = control->toolTip();
                for (const QString &text : {textOf(control), tip.startsWith(QLatin1String("https://")) ? QString() : tip})
                    if (!data.contains(control->objectName()) && text.contains(QRegularExpression(QStringLiteral("[A-Za-z]"))) &&
                        !text.startsWith(u'['))
                        untranslated << window->objectName() + u'/' + control->objectName() + QStringLiteral(": ") + text;
            }
        EXPECT_EQ(untranslated, QStringList());
        EXPECT_EQ(textOf(windows.entry->findChild<QLabel *>("movesLabel")), QStringLiteral("[57 (Nineth place)]"));
    }
    removeTranslators();
}

// A screen reader reads each thumbnail by its picture's file name, page by page.
TEST(LanguagesTest, ThumbnailsAreNamedForTheirPictures)
{
    AppFolder folder(AppFolderParts{10});
    Started front(folder);
    const auto names = [&front] {
        QStringList shown;
        for (int k = 0; k < 3; ++k)
            shown << QAccessible::queryAccessibleInterface(front.slot(k))->text(QAccessible::Name);
        return shown;
    };
    EXPECT_EQ(names(), QStringList({"1.bmp", "2.bmp", "3.bmp"}));
    front->showNextPage();
    EXPECT_EQ(names(), QStringList({"10.bmp", "", ""}));
}
