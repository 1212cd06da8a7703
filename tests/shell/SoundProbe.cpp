// Plays sounds through playSound on a schedule, so a script can listen to
// what comes out of the audio server (or check that nothing goes wrong
// without one).
//
//   sound_probe <application folder> <end ms> <file>@<ms> ...
//
// Each <file> inside <application folder>/Gfx is played <ms> after start; the
// program ends at <end ms>. It fails when the shell showed a message or left
// a window open, since a sound problem must never reach the player.
#include "Shell.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QTimer>
#include <QWidget>

#include <algorithm>
#include <cstdio>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    const QStringList arguments = app.arguments();
    bool ok = arguments.size() >= 3;
    const int endMilliseconds = ok ? arguments.at(2).toInt(&ok) : 0;
    tilemere::setApplicationFolder(arguments.value(1));
    int messages = 0;
    tilemere::setMessageHandler([&messages](const QString &text, const QString &) {
        std::fprintf(stderr, "message shown: %s\n", qPrintable(text));
        ++messages;
    });

    QElapsedTimer clock;
    clock.start();
    for (const QString &argument : arguments.mid(3)) {
        const qsizetype at = argument.lastIndexOf(u'@');
        bool number = false;
        const int when = argument.mid(at + 1).toInt(&number);
        ok = ok && number && at > 0 && when >= 0;
        QTimer::singleShot(when, Qt::PreciseTimer, &app, [fileName = argument.left(at), &clock] {
            const qint64 started = clock.elapsed();
            tilemere::playSound(fileName);
            // For whoever reads the log; the scripts bound the whole run with a timeout.
            std::printf("%s at %lld ms, returned after %lld ms\n", qPrintable(fileName),
                        static_cast<long long>(started), static_cast<long long>(clock.elapsed() - started));
            std::fflush(stdout);
        });
    }
    if (!ok) {
        std::fprintf(stderr, "usage: sound_probe <application folder> <end ms> <file>@<ms> ...\n");
        return 2;
    }
    QTimer::singleShot(endMilliseconds, &app, &QApplication::quit);
    app.exec();

    const auto windows = std::ranges::count_if(QApplication::topLevelWidgets(), &QWidget::isVisible);
    if (messages > 0 || windows > 0) {
        std::fprintf(stderr, "%d message(s) and %d window(s) reached the player\n", messages, int(windows));
        return 1;
    }
    return 0;
}
