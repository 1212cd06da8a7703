// The front screen is tested in one process with a real QApplication drawing
// offscreen, a store of its own and an application folder made per test.
#include "FrontTestSupport.h"

#include <QApplication>
#include <QTemporaryDir>

#include <gtest/gtest.h>

int main(int argc, char **argv)
{
    // The store must never touch the real user's settings: point the
    // settings folder elsewhere before anything reads it.
    QTemporaryDir configHome;
    if (!configHome.isValid())
        return 2;
    qputenv("XDG_CONFIG_HOME", configHome.path().toLocal8Bit());

    // Windows draw offscreen, also when the build lists the tests.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    // Message boxes and the end of the program are recorded, never shown or done.
    fronttest::resetObserved();
    testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
