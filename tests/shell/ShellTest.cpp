// The shell services in one process with a real QApplication drawing
// offscreen; the desktop's browser and the sound output are intercepted.
#include "Shell.h"
#include "WindowTestMain.h"

#include <QApplication>
#include <QDesktopServices>
#include <QDir>
#include <QScreen>
#include <QTemporaryDir>
#include <QUrl>
#include <QWidget>

#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

namespace {

// Receives what would have gone to the desktop's browser.
struct UrlCatcher : QObject {
    QList<QUrl> urls;
    Q_OBJECT
public slots:
    void open(const QUrl &url) { urls << url; }
};

// Records the full path of each sound played, and "beep" for each beep.
struct RecordingSound : tilemere::SoundOutput {
    QStringList played;
    void play(const QString &path) override { played << path; }
    void beep() override { played << QStringLiteral("beep"); }
};

void touch(const QString &path)
{
    QFile(path).open(QIODevice::WriteOnly);
}

TEST(ShellServicesTest, HelpWebSiteAndSoundsUseTheRightFiles)
{
    QTemporaryDir temporary;
    UrlCatcher catcher;
    RecordingSound sounds;
    QStringList messages;
    for (const char *scheme : {"file", "https"})
        QDesktopServices::setUrlHandler(QString::fromLatin1(scheme), &catcher, "open");
    tilemere::setSoundOutput(&sounds);
    tilemere::setMessageHandler([&messages](const QString &text, const QString &) { messages << text; });

    // Characters that mean something in a URL must survive as part of the path.
    for (const char *folder : {"Mes jeux/Brackwater \u00c4rger", "build #2/100% done"}) {
        SCOPED_TRACE(folder);
        catcher.urls.clear();
        const QString app = temporary.filePath(QString::fromUtf8(folder)), index = app + QStringLiteral("/index.htm");
        ASSERT_TRUE(QDir().mkpath(app));
        tilemere::setApplicationFolder(app);
        tilemere::openHelp(); // no index yet: the same address, and no message
        touch(index);
        tilemere::openHelp();
        EXPECT_EQ(catcher.urls.size(), 2);
        for (const QUrl &url : catcher.urls)
            EXPECT_EQ(url.toLocalFile(), index); // empty unless a local file
    }
    tilemere::openWebSite();
    EXPECT_EQ(catcher.urls.value(catcher.urls.size() - 1), QUrl(QStringLiteral("https://example.org/tilemere")));

    tilemere::setApplicationFolder(temporary.path());
    const QString gfx = temporary.filePath(QStringLiteral("Gfx/"));
    ASSERT_TRUE(QDir().mkpath(gfx + QStringLiteral("folder.wav")));
    touch(gfx + QStringLiteral("click.wav"));
    touch(gfx + QStringLiteral("../claps.wav")); // beside Gfx, not in it
    const struct { const char *name, *fileName; bool plays; } soundCases[] = {
        {"present", "click.wav", true},
        {"missing: the default beep", "missing.wav", false},
        {"only outside Gfx", "claps.wav", false},
        {"a folder of that name", "folder.wav", false},
    };
    for (const auto &c : soundCases) {
        SCOPED_TRACE(c.name);
        sounds.played.clear();
        tilemere::playSound(QString::fromLatin1(c.fileName));
        EXPECT_EQ(sounds.played, QStringList{c.plays ? gfx + QLatin1String(c.fileName) : QStringLiteral("beep")});
    }
    EXPECT_TRUE(messages.isEmpty()) << qPrintable(messages.join(u'\n'));
    tilemere::setSoundOutput(nullptr);
    tilemere::setMessageHandler({});
    tilemere::setApplicationFolder({});
}

// The caption is the application title. The size is fixed; left is a
// thirtieth of the screen width, top a fifteenth of its height, the pixel
// rounded either way; a minimised window is left alone.
TEST(ShellTest, WindowGetsTheTitleAndItsFixedPlaceUnlessMinimised)
{
    QWidget window;
    window.setGeometry(300, 250, 420, 300);
    window.show();
    tilemere::setAppTitle(window);
    EXPECT_EQ(window.windowTitle(), QStringLiteral("Brackwater-Tilemere"));
    EXPECT_EQ(QCoreApplication::applicationName(), QStringLiteral("Brackwater-Tilemere"));

    const QRect before = window.geometry();
    window.setWindowState(Qt::WindowMinimized);
    ASSERT_TRUE(window.isMinimized());
    tilemere::placeForm(window);
    EXPECT_EQ(window.geometry(), before);

    window.setWindowState(Qt::WindowNoState);
    tilemere::placeForm(window);
    const QSize screen = QGuiApplication::primaryScreen()->size();
    EXPECT_LT(qAbs(window.x() - screen.width() / 30.0), 1.0) << window.x();
    EXPECT_LT(qAbs(window.y() - screen.height() / 15.0), 1.0) << window.y();
    window.resize(900, 700); // later resizing cannot change the size
    EXPECT_EQ(window.size(), QSize(749, 483));
}

// A resource folder counts as present when it exists and can be listed;
// each row is a path below one folder holding every kind the game may meet.
void expectPresence(std::initializer_list<std::tuple<const char *, const char *, bool>> cases)
{
    QTemporaryDir base;
    const auto at = [&base](const char *name) { return base.filePath(QString::fromLatin1(name)); };
    const std::pair<const char *, mode_t> folders[] = {
        {"Gfx", 0700}, {"Empty", 0700}, {"Locked", 0000}, {"EnterOnly", 0100}, {"ReadOnly", 0500}};
    for (const auto &[name, mode] : folders)
        ASSERT_EQ(::mkdir(QFile::encodeName(at(name)).constData(), mode), 0) << name;
    touch(at("Gfx/click.wav"));
    touch(at("Puzzleimages"));
    QFile::link(at("Gfx"), at("Linked"));
    QFile::link(at("gone"), at("help"));
    for (const auto &[name, path, present] : cases) {
        SCOPED_TRACE(name);
        EXPECT_EQ(tilemere::resourceFolderPresent(at(path)), present);
    }
}

TEST(ResourceFolderTest, ExistingFoldersArePresentEvenEmpty)
{
    expectPresence({{"with a file", "Gfx", true}, {"empty", "Empty", true},
                    {"trailing separator, as the windows name it", "Gfx/", true},
                    {"link to a folder", "Linked", true}, {"missing", "Missing", false},
                    {"a file of that name", "Puzzleimages", false}, {"link to nowhere", "help", false}});
}

// Root reads every folder whatever its mode; as root, ctest runs this again
// as nobody (shell_folder_permissions).
TEST(ResourceFolderTest, FolderThatCannotBeListedIsMissing)
{
    if (::geteuid() == 0)
        GTEST_SKIP() << "root ignores folder permissions; shell_folder_permissions runs this as nobody";
    expectPresence({{"no permissions at all", "Locked", false},
                    {"enter but not list", "EnterOnly", false},
                    {"list and enter, read only", "ReadOnly", true}});
}

} // namespace

int main(int argc, char **argv)
{
    return runWindowTests(argc, argv);
}

#include "ShellTest.moc"
