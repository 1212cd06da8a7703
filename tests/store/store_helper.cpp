// The score store run as separate programs, for the tests that need more
// than one process or must survive whatever a file holds.
//   store_helper save <settings folder> <player name> <saves, 0 = until killed>
//       Prints "saved" after the first save; exits 2 if the store reported a failure.
//   store_helper instance <settings folder>
//       Starts as the game does: prints "second" and ends when another game
//       holds the store, else prints "first", loads the store and waits,
//       printing "raised" each time a second start asks for it, until its
//       input closes.
//   store_helper load <store file>
//       Loads a copy of the file and prints the tables, one place a line
//       ("mode size place value percent-encoded-name"). Then saves and loads
//       again: exits 3 when a table is of an impossible shape, 4 when the save
//       lost anything that was loaded or kept aside anything but the file.

#include "ScoreStore.h"
#include "ScoreTables.h"
#include "SingleInstance.h"
#include "Windows1252.h"

#include <QCoreApplication>
#include <QFile>
#include <QSettings>
#include <QSocketNotifier>
#include <QTemporaryDir>

#include <cstdio>
#include <cstdlib>

namespace {

using tilemere::ScoreStore;
using tilemere::ScoreTables;

void useFolder(const QString &folder)
{
    QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, folder);
}

int saveRepeatedly(const char *name, long saves)
{
    ScoreStore store([](const QString &) { std::_Exit(2); });
    ScoreTables tables;
    for (int table = 0; table < 8; ++table) {
        const int mode = table / 4 + 1, size = table % 4 + 1;
        tables(mode, size).names.fill(name);
        for (int place = 0; place < tilemere::kPlaces; ++place)
            tables(mode, size).values[place] = mode * 100 + size * 10 + place;
    }
    for (long done = 0; saves == 0 || done < saves; ++done) {
        store.save(tables);
        if (done == 0)
            std::puts("saved");
    }
    return 0;
}

int runAsGame(QCoreApplication &application)
{
    tilemere::SingleInstance instance(ScoreStore::filePath());
    if (!instance.claim()) {
        std::puts("second");
        return 0;
    }
    QObject::connect(&instance, &tilemere::SingleInstance::raiseRequested, [] { std::puts("raised"); });
    ScoreStore store;
    ScoreTables tables;
    store.load(tables);
    std::puts("first");
    QSocketNotifier input(0, QSocketNotifier::Read);
    QObject::connect(&input, &QSocketNotifier::activated, &application, &QCoreApplication::quit);
    return application.exec();
}

bool hasPossibleShape(const ScoreTables &tables)
{
    for (int table = 0; table < 8; ++table) {
        for (const auto value : tables(table / 4 + 1, table % 4 + 1).values)
            if (value < 0 || value > tilemere::kEmptyScore)
                return false;
        for (const std::string &name : tables(table / 4 + 1, table % 4 + 1).names)
            if (tilemere::toWindows1252(QString::fromStdString(name)).size() > 24)
                return false;
    }
    return true;
}

int loadAndPrint(const QString &file)
{
    QFile source(file);
    if (!source.open(QIODevice::ReadOnly))
        return 1;
    const QByteArray content = source.readAll();
    const QTemporaryDir folder;
    useFolder(folder.path());
    const QString path = ScoreStore::filePath();
    QFile copy(path);
    if (!QDir().mkpath(QFileInfo(path).path()) || !copy.open(QIODevice::WriteOnly) || copy.write(content) != content.size())
        return 1;
    copy.close();

    ScoreStore store;
    ScoreTables tables;
    store.load(tables);
    for (int table = 0; table < 8; ++table) {
        for (int place = 0; place < tilemere::kPlaces; ++place) {
            const auto &scores = tables(table / 4 + 1, table % 4 + 1);
            std::printf("%d %d %d %d %s\n", table / 4 + 1, table % 4 + 1, place + 1, scores.values[place],
                        QByteArray::fromStdString(scores.names[place]).toPercentEncoding().constData());
        }
    }
    if (!hasPossibleShape(tables))
        return 3;
    store.save(tables);
    ScoreTables again;
    ScoreStore(nullptr).load(again);
    QFile aside(path + QLatin1String(".bad"));
    const bool keptAsideTheFile = !aside.exists() || (aside.open(QIODevice::ReadOnly) && aside.readAll() == content);
    return again == tables && keptAsideTheFile ? 0 : 4;
}

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication application(argc, argv);
    std::setvbuf(stdout, nullptr, _IONBF, 0);
    const QByteArray mode = argc > 2 ? argv[1] : "";
    if (mode == "save" && argc == 5) {
        useFolder(QString::fromLocal8Bit(argv[2]));
        return saveRepeatedly(argv[3], std::strtol(argv[4], nullptr, 10));
    }
    if (mode == "instance" && argc == 3) {
        useFolder(QString::fromLocal8Bit(argv[2]));
        return runAsGame(application);
    }
    if (mode == "load" && argc == 3)
        return loadAndPrint(QString::fromLocal8Bit(argv[2]));
    std::fputs("usage: store_helper save|instance|load ...\n", stderr);
    return 1;
}
