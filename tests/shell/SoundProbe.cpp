// Plays sounds through playSound on a schedule, so a script can listen to
// what comes out of the audio server (or check that nothing goes wrong
// without one).
//
//   sound_probe <application folder> <end ms> <file>@<ms> ...
//
// Each <file> inside <application folder>/Gfx is played <ms> after start; the
// program ends at <end ms>. It fails when the shell showed a message, since a
// sound problem must never reach the player. At the end it prints the
// longest the window went without answering ("longest wait 12 ms").
#include "Shell.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QTimer>

#include <cstdio>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    const QStringList arguments = app.arguments();
    tilemere::setApplicationFolder(arguments.value(1));
    tilemere::setMessageHandler([](const QString &text, const QString &) {
        qFatal("a message reached the player: %s", qPrintable(text));
    });

    for (const QString &argument : arguments.mid(3)) {
        const QString fileName = argument.section(u'@', 0, 0);
        QTimer::singleShot(argument.section(u'@', 1).toInt(), Qt::PreciseTimer, &app,
                           [fileName] { tilemere::playSound(fileName); });
    }
    QElapsedTimer sinceLast;
    qint64 longest = 0;
    QTimer answering;
    QObject::connect(&answering, &QTimer::timeout, [&] { longest = qMax(longest, sinceLast.restart()); });
    sinceLast.start();
    answering.start(5);
    QTimer::singleShot(arguments.value(2).toInt(), &app, &QApplication::quit);
    const int status = app.exec();
    std::printf("longest wait %lld ms\n", static_cast<long long>(longest));
    std::fflush(stdout);
    return status;
}
