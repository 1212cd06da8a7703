#pragma once
// Which display the game opens, decided before the application object is
// made: left to Qt, a display it cannot open (a Wayland session without the
// Wayland plugin, say) ends the program with an abort instead of a word to
// the player, and an X display that is also there is never tried.

#include <QByteArray>
#include <QString>

#include <functional>

namespace tilemere {

// What the choice reads: an environment variable (empty when unset) and
// whether the platform plugin of a given name ("wayland", "xcb") is installed.
struct DisplayEnvironment {
    std::function<QByteArray(const char *name)> variable;
    std::function<bool(const QString &platform)> pluginInstalled;
};

struct DisplayChoice {
    // For QT_QPA_PLATFORM: platforms in the order tried ("wayland;xcb"), or
    // empty when the setting already made is to be kept.
    QByteArray platforms;
    // Set when no display can be opened: what to tell the player.
    QString problem;
};

DisplayChoice chooseDisplay(const DisplayEnvironment &environment);

// The process's own environment and Qt's plugin folders.
DisplayEnvironment processDisplayEnvironment();

// Sets QT_QPA_PLATFORM as chosen. Returns false, having told the player on
// standard error, when no display can be opened.
bool prepareDisplay();

} // namespace tilemere
