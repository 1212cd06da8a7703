#pragma once
// The play screen: the board, the counters and clock, the win sequence and
// the panel around them. One instance, created on first use, hidden and
// shown again between games.

#include <QWidget>

#include <cstdint>
#include <functional>

class QLabel;
namespace tilemere { class UniformRandom; }

class Form1 : public QWidget {
    Q_OBJECT
public:
    static Form1 &instance(); // created (and loaded) on first use
    static bool exists();

    // What the play screen needs of the front screen: the window Back returns
    // to, the path of the chosen picture, and whether the shuffle is animated
    // (read at every shuffle move).
    void setFrontScreen(QWidget *frontScreen, std::function<QString()> chosenPicturePath,
                        std::function<bool()> animateShuffle);

    // Loads, slices and shuffles the chosen picture on a board of side
    // gChosenSize. False when the picture could not be opened: the player has
    // been told and is back on the front screen.
    bool createNewGame(std::int16_t &iSize);

    // Disables the Help link for the rest of the run.
    void disableHelp();

    // Tests replay shuffles by seeding them.
    void setShuffleSeed(std::uint32_t seed);

private:
    Form1();
};
