// Which display the game opens, for the sessions a player starts it in: a
// Wayland session must not abort for want of the Wayland plugin while
// Xwayland is there, and no display at all must be said in words.
#include "DisplayPlatform.h"

#include <QMap>

#include <gtest/gtest.h>

namespace {

struct Session {
    const char *name;
    QMap<QByteArray, QByteArray> variables;
    QStringList plugins;
    QByteArray platforms; // what QT_QPA_PLATFORM is set to; empty: left alone
    const char *problemMentions; // nullptr: the game starts
};

tilemere::DisplayChoice choose(const Session &session)
{
    return tilemere::chooseDisplay(
        {[&](const char *name) { return session.variables.value(name); },
         [&](const QString &platform) { return session.plugins.contains(platform); }});
}

const QStringList kBoth{"wayland", "xcb"};

TEST(DisplayChoice, EverySessionGetsADisplayOrAPlainReason)
{
    const Session sessions[] = {
        {"wayland session with Xwayland", {{"WAYLAND_DISPLAY", "wayland-0"}, {"DISPLAY", ":0"}}, kBoth, "wayland;xcb", nullptr},
        {"wayland session without Xwayland", {{"WAYLAND_DISPLAY", "wayland-1"}}, kBoth, "wayland", nullptr},
        {"wayland plugin missing, Xwayland there", {{"WAYLAND_DISPLAY", "wayland-0"}, {"DISPLAY", ":0"}}, {"xcb"}, "xcb", nullptr},
        {"session type wayland only", {{"XDG_SESSION_TYPE", "wayland"}, {"DISPLAY", ":1"}}, kBoth, "wayland;xcb", nullptr},
        {"plain X session", {{"DISPLAY", ":0"}, {"XDG_SESSION_TYPE", "x11"}}, kBoth, "xcb", nullptr},
        {"platform named by the player", {{"QT_QPA_PLATFORM", "offscreen"}}, {}, "", nullptr},
        {"wayland plugin missing, no Xwayland", {{"WAYLAND_DISPLAY", "wayland-0"}}, {"xcb"}, "", "qt6-wayland"},
        {"no display at all", {}, kBoth, "", "no display"},
        {"X display without the X plugin", {{"DISPLAY", ":0"}}, {"wayland"}, "", "X11"},
    };
    for (const Session &session : sessions) {
        SCOPED_TRACE(session.name);
        const tilemere::DisplayChoice choice = choose(session);
        EXPECT_EQ(choice.platforms, session.platforms);
        if (session.problemMentions)
            EXPECT_TRUE(choice.problem.contains(QLatin1String(session.problemMentions))) << qPrintable(choice.problem);
        else
            EXPECT_TRUE(choice.problem.isEmpty()) << qPrintable(choice.problem);
    }
}

} // namespace
