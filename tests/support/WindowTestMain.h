#pragma once
// The main of every test program that opens windows.

#include <functional>

// Runs the tests with a QApplication on the offscreen platform (they are
// also listed at build time, without a display) and with the settings in a
// temporary folder, never the player's. setUp runs once the application exists.
int runWindowTests(int argc, char **argv, const std::function<void()> &setUp = {});
