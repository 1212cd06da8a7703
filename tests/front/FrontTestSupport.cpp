#include "FrontTestSupport.h"
#include "WindowTestMain.h"

// One process with a real QApplication drawing offscreen (also when the build
// lists the tests); message boxes and the end of the program are recorded,
// never shown or done, and the store never touches the real user's settings.
int main(int argc, char **argv)
{
    return runWindowTests(argc, argv, [] {
        tilemere::setMessageHandler([](const QString &text, const QString &title) {
            fronttest::observed.messages << title + QStringLiteral(": ") + text;
        });
        tilemere::setEndProgramHandler([] { ++fronttest::observed.programEnds; });
    });
}
