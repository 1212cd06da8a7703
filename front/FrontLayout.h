#pragma once
// Where every control of the front screen stands, in twips, relative to its
// container, exactly as drawn. frmFront places its controls from this table
// alone; the tests check it against the window.

#include "Twips.h"

#include <array>
#include <string_view>

namespace frontlayout {

// Client area of the window: 11235 x 7245 twips.
inline constexpr int kClientWidthTwips = 11235;
inline constexpr int kClientHeightTwips = 7245;

// Which control a row places. Arrays (Image1, ShpRect) carry their index.
struct Place {
    std::string_view name;
    int index; // -1 for a single control
    std::string_view container;
    tilemere::TwipRect twips;
};

// The thumbnails stand three to a row, 2160 twips apart across and 1920 down.
constexpr tilemere::TwipRect thumbnailSlot(int k)
{
    return {240 + 2160 * (k % 3), 480 + 1920 * (k / 3), 1815, 1575};
}

inline constexpr std::array kPlaces{
    // The two panels on the window.
    Place{"Frame1", -1, "frmFront", {4080, 240, 6735, 6255}},
    Place{"Frame2", -1, "frmFront", {360, 240, 3735, 6255}},
    // The thumbnail panel.
    Place{"Image1", 0, "Frame1", thumbnailSlot(0)},
    Place{"Image1", 1, "Frame1", thumbnailSlot(1)},
    Place{"Image1", 2, "Frame1", thumbnailSlot(2)},
    Place{"Image1", 3, "Frame1", thumbnailSlot(3)},
    Place{"Image1", 4, "Frame1", thumbnailSlot(4)},
    Place{"Image1", 5, "Frame1", thumbnailSlot(5)},
    Place{"Image1", 6, "Frame1", thumbnailSlot(6)},
    Place{"Image1", 7, "Frame1", thumbnailSlot(7)},
    Place{"Image1", 8, "Frame1", thumbnailSlot(8)},
    Place{"lblPageNo", -1, "Frame1", {2160, 5880, 2505, 360}},
    Place{"lblNoPicsAva", -1, "Frame1", {240, 2520, 6105, 435}},
    Place{"lblHelp", -1, "Frame1", {5850, 90, 525, 345}},
    Place{"chkAnimShuffle", -1, "Frame1", {2280, 120, 2175, 255}},
    // The left panel.
    Place{"Image2", -1, "Frame2", {450, 60, 2550, 1500}},
    Place{"lblVerNo", -1, "Frame2", {2610, 750, 375, 240}},
    Place{"lblSelPicFolder", -1, "Frame2", {120, 1440, 3465, 240}},
    Place{"Drive1", -1, "Frame2", {120, 1680, 3495, 315}},
    Place{"Dir1", -1, "Frame2", {120, 2040, 3495, 2565}},
    Place{"Frame3", -1, "Frame2", {120, 4800, 3495, 1335}},
    // The size options.
    Place{"lblSelPuzzLevl", -1, "Frame3", {0, 0, 3585, 240}},
    Place{"opt3x3", -1, "Frame3", {360, 480, 735, 255}},
    Place{"opt4x4", -1, "Frame3", {360, 960, 735, 255}},
    Place{"opt5x5", -1, "Frame3", {2040, 480, 855, 255}},
    Place{"opt6x6", -1, "Frame3", {2040, 960, 855, 255}},
    // The buttons along the bottom, each a label on a rounded rectangle.
    Place{"ShpRect", 0, "frmFront", {585, 6570, 1935, 495}},
    Place{"lblScore", -1, "frmFront", {630, 6615, 1830, 390}},
    Place{"ShpRect", 1, "frmFront", {4860, 6570, 1530, 495}},
    Place{"lblPrevious", -1, "frmFront", {4905, 6615, 1455, 390}},
    Place{"ShpRect", 2, "frmFront", {9315, 6570, 1485, 495}},
    Place{"lblNext", -1, "frmFront", {9360, 6615, 1395, 390}},
};

} // namespace frontlayout
