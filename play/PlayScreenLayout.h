#pragma once
// Where every control of the play screen sits, in twips as the layout was
// drawn, relative to the control's container (the window or a panel).

#include "Twips.h"

#include <array>

namespace tilemere {

// The two pictures sized by their contents (soundSwitch, logoLink) keep only
// their top-left corner; the size given is the one of the pictures drawn for them.
inline constexpr std::array<ControlPlace, 17> kPlayScreenLayout{{
    {"previewPanel", {120, 240, 2175, 2535}},
    {"previewCheck", {120, 120, 1935, 375}},    // in previewPanel
    {"previewPicture", {120, 600, 1935, 1815}}, // in previewPanel
    {"countersPanel", {120, 2880, 2175, 2775}},
    {"movesCaption", {480, 120, 1185, 435}}, // in countersPanel
    {"movesLabel", {480, 600, 1185, 435}},   // in countersPanel
    {"timeCaption", {360, 1320, 1425, 435}}, // in countersPanel
    {"timeLabel", {480, 2040, 1185, 435}},   // in countersPanel
    {"soundSwitch", {810, 5670, 420, 420}},
    {"moreGamesShape", {90, 6435, 2340, 495}},
    {"moreGamesLink", {120, 6480, 2265, 390}},
    {"separatorLine", {2520, 0, 15, 8160}}, // a vertical line one pixel wide
    {"boardView", {3960, 240, 6000, 6000}},
    {"logoLink", {10200, 6120, 825, 825}},
    {"helpLink", {10125, 180, 525, 345}},
    {"backShape", {6075, 6435, 1530, 495}},
    {"backButton", {6105, 6480, 1455, 390}},
}};

// The "Congradz..." label sits on the board, in board pixels.
inline constexpr int kCongratsLeft = 173;
inline constexpr int kCongratsTop = 184;

} // namespace tilemere
