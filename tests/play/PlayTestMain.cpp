// The play screen's tests drive the real window, so they need an application.
#include "PlayFixture.h"
#include "WindowTestMain.h"

int main(int argc, char **argv)
{
    return runWindowTests(argc, argv);
}
