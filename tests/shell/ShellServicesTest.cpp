// What the help and web-site links hand to the desktop, which sound file a
// play asks for, and the window caption.
#include "Shell.h"

#include <QCoreApplication>
#include <QDesktopServices>
#include <QDialog>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QUrl>
#include <QWidget>

#include <gtest/gtest.h>

namespace {

// Receives what would have gone to the desktop's browser.
class UrlCatcher : public QObject {
    Q_OBJECT
public:
    QList<QUrl> urls;
public slots:
    void open(const QUrl &url) { urls << url; }
};

class RecordingSound : public tilemere::SoundOutput {
public:
    QStringList played; // full paths
    int beeps = 0;
    void play(const QString &path) override { played << path; }
    void beep() override { ++beeps; }
};

class ShellServicesTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(temporary.isValid());
        QDesktopServices::setUrlHandler(QStringLiteral("file"), &catcher, "open");
        QDesktopServices::setUrlHandler(QStringLiteral("https"), &catcher, "open");
        tilemere::setSoundOutput(&sounds);
        tilemere::setMessageHandler([this](const QString &text, const QString &) { messages << text; });
    }

    void TearDown() override
    {
        QDesktopServices::unsetUrlHandler(QStringLiteral("file"));
        QDesktopServices::unsetUrlHandler(QStringLiteral("https"));
        tilemere::setSoundOutput(nullptr);
        tilemere::setMessageHandler({});
        tilemere::setApplicationFolder({});
    }

    // A folder below the temporary one, made the application folder.
    QString makeApplicationFolder(const QString &relative)
    {
        const QString folder = temporary.filePath(relative);
        EXPECT_TRUE(QDir().mkpath(folder));
        tilemere::setApplicationFolder(folder);
        return folder;
    }

    static void writeFile(const QString &path)
    {
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write("RIFF");
    }

    QTemporaryDir temporary;
    UrlCatcher catcher;
    RecordingSound sounds;
    QStringList messages;
};

TEST_F(ShellServicesTest, HelpOpensIndexBesideTheProgramAsALocalFile)
{
    struct Case {
        const char *name;
        const char *folder;
        bool indexPresent;
    };
    // Characters that mean something in a URL must survive as part of the path.
    const Case cases[] = {
        {"plain folder", "game", true},
        {"spaces and accents", "Mes jeux/Brackwater \u00c4rger", true},
        {"hash and percent", "build #2/100% done", true},
        {"index missing: still no message", "no-index", false},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        catcher.urls.clear();
        const QString folder = makeApplicationFolder(QString::fromUtf8(c.folder));
        if (c.indexPresent)
            writeFile(folder + QStringLiteral("/index.htm"));

        tilemere::openHelp();

        ASSERT_EQ(catcher.urls.size(), 1);
        EXPECT_TRUE(catcher.urls.first().isLocalFile());
        EXPECT_EQ(catcher.urls.first().toLocalFile(), folder + QStringLiteral("/index.htm"));
    }
    EXPECT_TRUE(messages.isEmpty());
}

TEST_F(ShellServicesTest, WebSiteOpensTheMakersHttpsAddress)
{
    tilemere::openWebSite();
    ASSERT_EQ(catcher.urls.size(), 1);
    EXPECT_EQ(catcher.urls.first(), QUrl(QStringLiteral("https://example.org/tilemere")));
    EXPECT_TRUE(messages.isEmpty());
}

TEST_F(ShellServicesTest, SoundComesFromGfxOrTheDefaultBeep)
{
    const QString folder = makeApplicationFolder(QStringLiteral("app"));
    ASSERT_TRUE(QDir(folder).mkpath(QStringLiteral("Gfx/folder.wav")));
    writeFile(folder + QStringLiteral("/Gfx/click.wav"));
    writeFile(folder + QStringLiteral("/claps.wav")); // beside Gfx, not in it

    struct Case {
        const char *name;
        const char *fileName;
        bool plays;
    };
    const Case cases[] = {
        {"present", "click.wav", true},
        {"missing", "missing.wav", false},
        {"only outside Gfx", "claps.wav", false},
        {"a folder of that name", "folder.wav", false},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        sounds.played.clear();
        sounds.beeps = 0;

        tilemere::playSound(QString::fromLatin1(c.fileName));

        if (c.plays) {
            EXPECT_EQ(sounds.played, QStringList{folder + QStringLiteral("/Gfx/") + QLatin1String(c.fileName)});
            EXPECT_EQ(sounds.beeps, 0);
        } else {
            EXPECT_TRUE(sounds.played.isEmpty());
            EXPECT_EQ(sounds.beeps, 1);
        }
    }
    EXPECT_TRUE(messages.isEmpty());
}

TEST_F(ShellServicesTest, EveryKindOfWindowGetsTheApplicationTitle)
{
    QCoreApplication::setApplicationName(QStringLiteral("something else"));
    QWidget screen;
    screen.setWindowTitle(QStringLiteral("Form1"));
    QDialog dialog;
    dialog.setWindowTitle(QStringLiteral("frmScoreInputs"));

    tilemere::setAppTitle(screen);
    tilemere::setAppTitle(dialog);

    EXPECT_EQ(screen.windowTitle(), QStringLiteral("Brackwater-Tilemere"));
    EXPECT_EQ(dialog.windowTitle(), QStringLiteral("Brackwater-Tilemere"));
    EXPECT_EQ(QCoreApplication::applicationName(), QStringLiteral("Brackwater-Tilemere"));
}

} // namespace

#include "ShellServicesTest.moc"
