// The program: the front screen, and through it everything else.
#include "Shell.h"
#include "FrontScreen.h"
#include "Game.h"
#include "PngFile.h"
#include "ScoreBook.h"
#include "SingleInstance.h"

#include <QApplication>
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
// keep later ones in its heaps), and the decoding threads share one heap
// beside the window's instead of keeping one each.
void keepHeapsSmall()
{
#ifdef __GLIBC__
    mallopt(M_MMAP_THRESHOLD, 128 * 1024);
    mallopt(M_ARENA_MAX, 2);
#endif
}

} // namespace

int main(int argc, char *argv[])
{
    keepHeapsSmall();
    QApplication app(argc, argv);
    // Lets the desktop match the running windows to the menu entry and its icon.
    QGuiApplication::setDesktopFileName(QStringLiteral("org.example.Tilemere"));

    // One game per score store: a second start brings this one forward and ends.
    tilemere::SingleInstance instance(tilemere::ScoreStore::filePath());
    if (!instance.claim())
        return 0;
    QObject::connect(&instance, &tilemere::SingleInstance::raiseRequested, [] {
        QWidget *window = QApplication::activeModalWidget();
        for (QWidget *topLevel : QApplication::topLevelWidgets())
            if (!window && topLevel->isVisible())
                window = topLevel;
        if (window) {
            window->setWindowState(window->windowState() & ~Qt::WindowMinimized);
            window->raise();
            window->activateWindow();
        }
    });

    // The state of this run, handed to the windows that need it.
    tilemere::Game game;
    tilemere::ScoreBook scores(
        [](const QString &message) { tilemere::showMessage(nullptr, message, QString()); });
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
    // A picture or folder the desktop hands over ("Open With"). A second
    // start with one only brings the running game forward (see above).
    const QStringList arguments = QApplication::arguments();
    if (arguments.size() > 1)
        front.openFromDesktop(arguments.at(1));
    return app.exec();
}
