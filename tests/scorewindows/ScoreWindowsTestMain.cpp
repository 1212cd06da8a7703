// The score windows are tested in one process with a real QApplication and a
// store of their own in a temporary folder, never the player's settings.
#include "Shell.h"

#include <QApplication>
#include <QTemporaryDir>

#include <gtest/gtest.h>

int main(int argc, char **argv)
{
    QTemporaryDir configHome;
    if (!configHome.isValid())
        return 2;
    qputenv("XDG_CONFIG_HOME", configHome.path().toLocal8Bit());
    // Listing the tests at build time happens without a display as well.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    // A message box would wait for a click that never comes.
    tilemere::setMessageHandler([](const QString &text, auto &) { qWarning("message: %s", qPrintable(text)); });
    testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
