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

#include <cstdio>

namespace {

struct Play {
    QString fileName;
    int atMilliseconds = 0;
};

bool parsePlay(const QString &argument, Play &play)
{
    const qsizetype at = argument.lastIndexOf(QLatin1Char('@'));
    if (at <= 0)
        return false;
    bool ok = false;
    play.fileName = argument.left(at);
    play.atMilliseconds = argument.mid(at + 1).toInt(&ok);
    return ok && play.atMilliseconds >= 0;
}

} // namespace

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    const QStringList arguments = app.arguments();
    bool endOk = false;
    const int endMilliseconds = arguments.size() >= 3 ? arguments.at(2).toInt(&endOk) : 0;
    if (!endOk) {
        std::fprintf(stderr, "usage: sound_probe <application folder> <end ms> <file>@<ms> ...\n");
        return 2;
    }
    tilemere::setApplicationFolder(arguments.at(1));

    int messages = 0;
    tilemere::setMessageHandler([&messages](const QString &text, const QString &) {
        std::fprintf(stderr, "message shown: %s\n", qPrintable(text));
        ++messages;
    });

    QElapsedTimer clock;
    clock.start();
    for (const QString &argument : arguments.mid(3)) {
        Play play;
        if (!parsePlay(argument, play)) {
            std::fprintf(stderr, "not <file>@<ms>: %s\n", qPrintable(argument));
            return 2;
        }
        QTimer::singleShot(play.atMilliseconds, Qt::PreciseTimer, &app, [play, &clock] {
            const qint64 started = clock.elapsed();
            tilemere::playSound(play.fileName);
            // Printed for whoever reads the log; the script bounds the whole
            // run with a timeout rather than judging single calls.
            std::printf("%s at %lld ms, returned after %lld ms\n", qPrintable(play.fileName),
                        static_cast<long long>(started),
                        static_cast<long long>(clock.elapsed() - started));
            std::fflush(stdout);
        });
    }
    QTimer::singleShot(endMilliseconds, &app, &QApplication::quit);
    app.exec();

    int windows = 0;
    for (const QWidget *widget : QApplication::topLevelWidgets())
        if (widget->isVisible())
            ++windows;
    if (messages > 0 || windows > 0) {
        std::fprintf(stderr, "%d message(s) and %d window(s) reached the player\n", messages,
                     windows);
        return 1;
    }
    return 0;
}
