// Stand-in until the play screen is written.
#include "Form1.h"

#include "GameState.h"

namespace {
Form1 *theForm = nullptr;
}

Form1 &Form1::instance()
{
    if (!theForm)
        theForm = new Form1;
    return *theForm;
}

bool Form1::exists() { return theForm != nullptr; }
Form1::Form1() {}
void Form1::setFrontScreen(QWidget *, std::function<QString()>, std::function<bool()>) {}
bool Form1::createNewGame(std::int16_t &) { return true; }
void Form1::disableHelp() {}
void Form1::setShuffleSeed(std::uint32_t) {}
