// The score store run as separate programs, for the tests that kill a
// saving game or must survive whatever a file holds.
//   store_helper save <settings folder> <player name> <saves, 0 = until killed>
//       Fills every place with the name and a result of 0, saves, prints
//       "saved" after the first save; exits 2 if the store reported a failure.
//   store_helper load <store file>
//       Loads a copy of the file and prints the tables, one place a line
//       ("mode size place value percent-encoded-name"). Then saves and loads
//       again: exits 4 when the save lost anything that was loaded or kept
//       aside anything but the file.

#include "ScoreStore.h"
#include "ScoreTables.h"

#include <QtCore>

#include <cstdio>
#include <cstdlib>

using tilemere::ScoreStore;
using tilemere::ScoreTables;

static int saveRepeatedly(const char *name, long saves)
{
    ScoreStore store([](const QString &) { std::_Exit(2); });
    ScoreTables tables;
    for (int table = 0; table < 8; ++table)
        tables(tilemere::kScoreModes[table / 4], table % 4 + 1).names.fill(name);
    for (long done = 0; saves == 0 || done < saves; ++done) {
        store.save(tables);
        if (done == 0)
            std::puts("saved");
    }
    return 0;
}

static int loadAndPrint(const QString &file)
{
    const QTemporaryDir folder;
    QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, folder.path());
    const QString path = ScoreStore::filePath();
    if (!QDir().mkpath(QFileInfo(path).path()) || !QFile::copy(file, path))
        return 1;
    ScoreStore store;
    ScoreTables tables;
    store.load(tables);
    for (int table = 0; table < 8; ++table) {
        const auto &scores = tables(tilemere::kScoreModes[table / 4], table % 4 + 1);
        for (int place = 0; place < tilemere::kPlaces; ++place)
            std::printf("%d %d %d %d %s\n", table / 4 + 1, table % 4 + 1, place + 1, scores.values[place],
                        QByteArray::fromStdString(scores.names[place]).toPercentEncoding().constData());
    }
    store.save(tables);
    ScoreTables again;
    ScoreStore().load(again);
    QFile aside(path + ".bad"), original(file);
    const bool keptAsideTheFile = !aside.exists() || (aside.open(QIODevice::ReadOnly)
                                                      && original.open(QIODevice::ReadOnly)
                                                      && aside.readAll() == original.readAll());
    return again == tables && keptAsideTheFile ? 0 : 4;
}

int main(int argc, char *argv[])
{
    QCoreApplication application(argc, argv);
    std::setvbuf(stdout, nullptr, _IONBF, 0);
    const QByteArray mode = argc > 2 ? argv[1] : "";
    if (mode == "save" && argc == 5) {
        QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, QString::fromLocal8Bit(argv[2]));
        return saveRepeatedly(argv[3], std::strtol(argv[4], nullptr, 10));
    }
    if (mode == "load" && argc == 3)
        return loadAndPrint(QString::fromLocal8Bit(argv[2]));
    std::fputs("usage: store_helper save|load ...\n", stderr);
    return 1;
}
