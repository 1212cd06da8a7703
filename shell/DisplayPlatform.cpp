#include "DisplayPlatform.h"

#include <QDir>
#include <QFileInfo>
#include <QLibraryInfo>
#include <QStringList>

#include <cstdio>
#include <cstdlib>

namespace tilemere {

DisplayChoice chooseDisplay(const DisplayEnvironment &environment)
{
    // A platform asked for by name (a test's "offscreen", a player's "xcb")
    // is kept as it is.
    if (!environment.variable("QT_QPA_PLATFORM").isEmpty())
        return {};

    const bool waylandSession = !environment.variable("WAYLAND_DISPLAY").isEmpty() ||
                                environment.variable("XDG_SESSION_TYPE") == "wayland";
    const bool xDisplay = !environment.variable("DISPLAY").isEmpty();
    const bool waylandPlugin = environment.pluginInstalled(QStringLiteral("wayland"));
    const bool xPlugin = environment.pluginInstalled(QStringLiteral("xcb"));

    QByteArrayList platforms;
    if (waylandSession && waylandPlugin)
        platforms << "wayland";
    // Xwayland's display, or a plain X session.
    if (xDisplay && xPlugin)
        platforms << "xcb";
    if (!platforms.isEmpty())
        return {platforms.join(';'), {}};

    if (!waylandSession && !xDisplay)
        return {{}, QStringLiteral("There is no display to show the game on: neither WAYLAND_DISPLAY nor "
                                   "DISPLAY is set. Start the game from a desktop session.")};
    if (waylandSession && !xDisplay)
        return {{}, QStringLiteral("The game cannot open this Wayland session: Qt's Wayland support is not "
                                   "installed (Debian: apt install qt6-wayland), and there is no X display "
                                   "(Xwayland) to fall back to.")};
    return {{}, QStringLiteral("The game cannot open the X display: Qt's X11 support (libqxcb) is not "
                               "installed.")};
}

DisplayEnvironment processDisplayEnvironment()
{
    return {
        [](const char *name) { return qgetenv(name); },
        [](const QString &platform) {
            QStringList folders = QString::fromLocal8Bit(qgetenv("QT_PLUGIN_PATH")).split(QLatin1Char(':'), Qt::SkipEmptyParts);
            folders << QLibraryInfo::path(QLibraryInfo::PluginsPath);
            // The Wayland platform comes as "wayland-egl" and "wayland-generic" plugins.
            const QStringList files = platform == QLatin1String("wayland")
                                          ? QStringList{QStringLiteral("libqwayland-generic.so"),
                                                        QStringLiteral("libqwayland-egl.so")}
                                          : QStringList{QStringLiteral("libq%1.so").arg(platform)};
            for (const QString &folder : folders)
                for (const QString &file : files)
                    if (QFileInfo::exists(folder + QStringLiteral("/platforms/") + file))
                        return true;
            return false;
        }};
}

bool prepareDisplay()
{
    const DisplayChoice choice = chooseDisplay(processDisplayEnvironment());
    if (!choice.problem.isEmpty()) {
        std::fprintf(stderr, "brackwater-tilemere: %s\n", qPrintable(choice.problem));
        return false;
    }
    if (!choice.platforms.isEmpty())
        qputenv("QT_QPA_PLATFORM", choice.platforms);
    return true;
}

} // namespace tilemere
