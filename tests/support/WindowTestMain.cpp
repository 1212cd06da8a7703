#include "WindowTestMain.h"

#include <QApplication>
#include <QTemporaryDir>

#include <gtest/gtest.h>

int runWindowTests(int argc, char **argv, const std::function<void()> &setUp)
{
    QTemporaryDir configHome;
    if (!configHome.isValid())
        return 2;
    qputenv("XDG_CONFIG_HOME", configHome.path().toLocal8Bit());
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    if (setUp)
        setUp();
    testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
