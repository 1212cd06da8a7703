// The program: the front screen, and through it everything else.
#include "Shell.h"
#include "DisplayPlatform.h"
#include "FrontScreen.h"
#include "Game.h"
#include "PngFile.h"
#include "ScoreBook.h"
#include "SingleInstance.h"
#include "Translations.h"

#include <QApplication>
#include <QFileInfo>
#include <QWidget>
#include <QIcon>
#include <QPixmap>

#ifdef __GLIBC__
#include <malloc.h>
#endif

namespace {

// The icon in the sizes title bars, task bars and switchers draw, so each
// gets a sharp one. Every size is sent to the display server with each
// window; the 256 pixel one would have been two thirds of it.
QIcon programIcon()
{
    QIcon icon;
    for (int size : {16, 24, 32, 48, 64, 128}) {
        const QImage image = tilemere::png::load(QStringLiteral(":/icons/%1x%1.png").arg(size), size * size);
        if (!image.isNull())
            icon.addPixmap(QPixmap::fromImage(image));
    }
    return icon;
}

// Decoded pictures are large and short-lived. Each goes back to the system
// when freed (glibc would otherwise raise this threshold after the first and
// keep later ones in its heaps); all threads share one heap, rather than
// each decoding thread keeping one of its own; and the heap grows by what
// is asked, without a reserve. Together these keep 2 MiB less resident.
void keepHeapsSmall()
{
#ifdef __GLIBC__
    mallopt(M_MMAP_THRESHOLD, 128 * 1024);
    mallopt(M_ARENA_MAX, 1);
    mallopt(M_TOP_PAD, 0);
#endif
}

} // namespace

int main(int argc, char *argv[])
{
    keepHeapsSmall();
    // Qt would abort (status 134) on a display it cannot open.
    if (!tilemere::prepareDisplay())
        return 1;
    QApplication app(argc, argv);
    // Lets the desktop match the running windows to the menu entry and its icon.
    QGuiApplication::setDesktopFileName(QStringLiteral("org.example.Tilemere"));
    // The desktop's language, before any window is built.
    tilemere::installTranslations(QLocale(), tilemere::translationsFolder());

    // A picture or folder the desktop hands over ("Open With"), as an
    // address or a path, made absolute so that a running game can take it.
    const QStringList arguments = QApplication::arguments();
    QString handed = arguments.value(1);
    if (!handed.isEmpty() && !handed.contains(QLatin1String("://")))
        handed = QFileInfo(handed).absoluteFilePath();

    // One game per score store: a second start hands its picture to the
    // running game, which comes forward, and ends.
    tilemere::SingleInstance instance(tilemere::ScoreStore::filePath());
    if (!instance.claim(handed))
        return 0;

    // The state of this run, handed to the windows that need it.
    tilemere::Game game;
    tilemere::ScoreBook scores(
        [](const QString &message) { tilemere::showMessage(tilemere::windowToBlock(), message, QString()); });
    tilemere::FrontScreen front(game, scores);
    // The title bar and task bar take the icon from the window at any time;
    // read once the window is drawn, it does not hold up the first frame.
    QObject::connect(&front, &tilemere::FrontScreen::firstFrameShown, &app, [&app] {
        if (const QIcon icon = programIcon(); !icon.isNull())
            app.setWindowIcon(icon);
    });
    // Without its Gfx folder the program has told the player and ends here,
    // before any window shows and without saving anything.
    if (!front.start())
        return 0;
    front.show();
    if (!handed.isEmpty())
        front.openFromDesktop(handed);
    QObject::connect(&instance, &tilemere::SingleInstance::raiseRequested, &front,
                     [&front](const QString &path, const QByteArray &activationToken, const QByteArray &startupId) {
        // While a dialog waits for an answer, the game only comes forward.
        QWidget *window = QApplication::activeModalWidget();
        if (!window && !path.isEmpty())
            front.openFromDesktop(path);
        for (QWidget *topLevel : QApplication::topLevelWidgets())
            if (!window && topLevel->isVisible())
                window = topLevel;
        if (window) {
            // The second start's tokens let the desktop bring a game in the
            // background forward: Qt's Wayland shell takes the activation
            // token from the environment when the window asks to be active.
            if (!activationToken.isEmpty())
                qputenv("XDG_ACTIVATION_TOKEN", activationToken);
            if (!startupId.isEmpty())
                qputenv("DESKTOP_STARTUP_ID", startupId);
            window->setWindowState(window->windowState() & ~Qt::WindowMinimized);
            window->raise();
            window->activateWindow();
        }
    });
    return app.exec();
}
