// The score windows are tested in one process with a real QApplication and a
// store of their own in a temporary folder, never the player's settings.
#include "Shell.h"
#include "WindowTestMain.h"

int main(int argc, char **argv)
{
    return runWindowTests(argc, argv, [] {
        // A message box would wait for a click that never comes.
        tilemere::setMessageHandler([](const QString &text, auto &) { qWarning("message: %s", qPrintable(text)); });
    });
}
