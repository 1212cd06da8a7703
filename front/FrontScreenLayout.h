#pragma once
// Where every control of the front screen stands, in twips, relative to its
// container, exactly as drawn. The front screen places its controls from
// this table alone.

#include "Twips.h"

#include <array>
#include <string_view>

namespace frontlayout {

// Client area of the window: 11235 x 7245 twips.
inline constexpr int kClientWidthTwips = 11235;
inline constexpr int kClientHeightTwips = 7245;

// Which control a row places. Rows of a set (the thumbnail slots, the
// button shapes) carry their index.
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
    Place{"thumbnailPanel", -1, "frontScreen", {4080, 240, 6735, 6255}},
    Place{"browserPanel", -1, "frontScreen", {360, 240, 3735, 6255}},
    // The thumbnail panel.
    Place{"thumbnailSlot", 0, "thumbnailPanel", thumbnailSlot(0)},
    Place{"thumbnailSlot", 1, "thumbnailPanel", thumbnailSlot(1)},
    Place{"thumbnailSlot", 2, "thumbnailPanel", thumbnailSlot(2)},
    Place{"thumbnailSlot", 3, "thumbnailPanel", thumbnailSlot(3)},
    Place{"thumbnailSlot", 4, "thumbnailPanel", thumbnailSlot(4)},
    Place{"thumbnailSlot", 5, "thumbnailPanel", thumbnailSlot(5)},
    Place{"thumbnailSlot", 6, "thumbnailPanel", thumbnailSlot(6)},
    Place{"thumbnailSlot", 7, "thumbnailPanel", thumbnailSlot(7)},
    Place{"thumbnailSlot", 8, "thumbnailPanel", thumbnailSlot(8)},
    Place{"pageLabel", -1, "thumbnailPanel", {2160, 5880, 2505, 360}},
    Place{"noPicturesLabel", -1, "thumbnailPanel", {240, 2520, 6105, 435}},
    Place{"helpLink", -1, "thumbnailPanel", {5850, 90, 525, 345}},
    Place{"animateCheck", -1, "thumbnailPanel", {2280, 120, 2175, 255}},
    // The left panel.
    Place{"bannerLink", -1, "browserPanel", {450, 60, 2550, 1500}},
    Place{"versionLabel", -1, "browserPanel", {2610, 750, 375, 240}},
    Place{"folderCaption", -1, "browserPanel", {120, 1440, 3465, 240}},
    Place{"driveList", -1, "browserPanel", {120, 1680, 3495, 315}},
    Place{"folderList", -1, "browserPanel", {120, 2040, 3495, 2565}},
    Place{"sizePanel", -1, "browserPanel", {120, 4800, 3495, 1335}},
    // The size options.
    Place{"sizeCaption", -1, "sizePanel", {0, 0, 3585, 240}},
    Place{"sizeOption3", -1, "sizePanel", {360, 480, 735, 255}},
    Place{"sizeOption4", -1, "sizePanel", {360, 960, 735, 255}},
    Place{"sizeOption5", -1, "sizePanel", {2040, 480, 855, 255}},
    Place{"sizeOption6", -1, "sizePanel", {2040, 960, 855, 255}},
    // The buttons along the bottom, each a label on a rounded rectangle.
    Place{"buttonShape", 0, "frontScreen", {585, 6570, 1935, 495}},
    Place{"scoresButton", -1, "frontScreen", {630, 6615, 1830, 390}},
    Place{"buttonShape", 1, "frontScreen", {4860, 6570, 1530, 495}},
    Place{"previousButton", -1, "frontScreen", {4905, 6615, 1455, 390}},
    Place{"buttonShape", 2, "frontScreen", {9315, 6570, 1485, 495}},
    Place{"nextButton", -1, "frontScreen", {9360, 6615, 1395, 390}},
};

// Where the page label was drawn; it may widen about its centre.
constexpr tilemere::TwipRect pageLabelPlace()
{
    for (const Place &place : kPlaces)
        if (place.name == "pageLabel")
            return place.twips;
    return {};
}

} // namespace frontlayout
