// Saves the score store over and over, for the tests that kill a program in
// the middle of a save or let two programs save at once.
//   store_writer <settings folder> <player name> <number of saves, 0 = until killed>
// Prints "saved" after the first save; exits 2 if the store reported a failure.

#include "ScoreTables.h"
#include "SettingsStore.h"

#include <QCoreApplication>
#include <QSettings>

#include <cstdio>
#include <cstdlib>

int main(int argc, char *argv[])
{
    QCoreApplication application(argc, argv);
    QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, QString::fromLocal8Bit(argv[1]));
    tilemere::setStoreErrorReporter([](const QString &) { std::_Exit(2); });
    std::setvbuf(stdout, nullptr, _IONBF, 0);
    for (int table = 0; table < 8; ++table) {
        const int mode = table / 4 + 1, size = table % 4 + 1;
        gScores(mode, size).names.fill(argv[2]);
        for (int place = 0; place < tilemere::kPlaces; ++place)
            gScores(mode, size).values[place] = mode * 100 + size * 10 + place;
    }
    const long saves = std::strtol(argv[3], nullptr, 10);
    for (long done = 0; saves == 0 || done < saves; ++done) {
        saveSettings();
        if (done == 0)
            std::puts("saved");
    }
}
