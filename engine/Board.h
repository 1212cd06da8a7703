#pragma once
// The puzzle's position and its rules: a tile slides into the orthogonally
// adjacent hole. Knows nothing of windows.

#include <cstdint>
#include <vector>

namespace tilemere {

// Board side limits: the front screen offers 3x3 up to 6x6.
inline constexpr std::int16_t kMinBoardSide = 3;
inline constexpr std::int16_t kMaxBoardSide = 6;

// The way a tile is asked to slide, as the arrow keys give it.
enum class Direction { Left, Right, Up, Down };

// True when 0 <= column < columns and 0 <= row < rows.
bool isOnBoard(int column, int row, int columns, int rows);

// Cells numbered 1..N² row-major; cell k holds the number of the tile whose
// home is cell k. The value N² is the hole.
class Board {
public:
    // Re-dimensions to side x side cells in the solved arrangement (cell k holds k).
    // Precondition: side >= 1.
    void resetSolved(std::int16_t side);

    std::int16_t side() const { return side_; }
    int cellCount() const { return static_cast<int>(cells_.size()); }

    // Precondition: 1 <= cell <= cellCount().
    std::int16_t &operator()(int cell) { return cells_[static_cast<std::size_t>(cell - 1)]; }
    std::int16_t operator()(int cell) const { return cells_[static_cast<std::size_t>(cell - 1)]; }

    // Moves the tile at the 0-based cell index into the hole when they are
    // neighbours (right, left, below, above). Returns whether a tile moved.
    // Precondition: 0 <= index < cellCount().
    bool slide(int index);

    // The 0-based index of the hole.
    int holeIndex() const;

    // The 0-based index of the tile that would slide into the hole moving
    // toward direction (Left: the tile right of the hole), or -1 when the
    // hole lies on that edge. Precondition: the board holds a hole.
    int tileToward(Direction direction) const;

    // True when every cell holds its own tile.
    bool isSolved() const;
    // True when no cell, the hole's home included, holds its own tile.
    bool isWellShuffled() const;

private:
    std::int16_t side_ = 0;
    std::vector<std::int16_t> cells_;
};

} // namespace tilemere
