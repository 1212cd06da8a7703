#include "FrontTestSupport.h"

#include <QApplication>

// One process with a real QApplication drawing offscreen (also when the build
// lists the tests); message boxes and the end of the program are recorded,
// never shown or done, and the store never touches the real user's settings.
int main(int argc, char **argv)
{
    QTemporaryDir configHome;
    qputenv("XDG_CONFIG_HOME", configHome.path().toLocal8Bit());
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    tilemere::setMessageHandler([](const QString &text, const QString &title) {
        fronttest::observed.messages << title + QStringLiteral(": ") + text;
    });
    tilemere::setEndProgramHandler([] { ++fronttest::observed.programEnds; });
    testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
