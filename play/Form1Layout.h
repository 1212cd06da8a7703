#pragma once
// Where every control of the play screen sits, in twips as the layout was
// drawn, relative to the control's container (the window or a frame).
// Form1 converts each rectangle once, with TwipRect::toPixels().

#include "Twips.h"

#include <array>

namespace tilemere {

// Picture0 and Picture1 are off-screen images here, so they have no place.
// The two pictures sized by their contents (ImgVolIcon, imgBwLogo) keep only
// their top-left corner; the size given is the one of the pictures drawn for them.
inline constexpr std::array<ControlPlace, 17> kForm1Layout{{
    {"Frame1", {120, 240, 2175, 2535}},
    {"chkPreviw", {120, 120, 1935, 375}},   // in Frame1
    {"ImgPreview", {120, 600, 1935, 1815}}, // in Frame1
    {"Frame2", {120, 2880, 2175, 2775}},
    {"Label1", {480, 120, 1185, 435}},   // in Frame2
    {"lblMoves", {480, 600, 1185, 435}}, // in Frame2
    {"Label3", {360, 1320, 1425, 435}},  // in Frame2
    {"lblTime", {480, 2040, 1185, 435}}, // in Frame2
    {"ImgVolIcon", {810, 5670, 420, 420}},
    {"ShpRect(1)", {90, 6435, 2340, 495}},
    {"lblMorePuzzGames", {120, 6480, 2265, 390}},
    {"Line1", {2520, 0, 15, 8160}}, // a vertical line one pixel wide
    {"Picture2", {3960, 240, 6000, 6000}},
    {"imgBwLogo", {10200, 6120, 825, 825}},
    {"lblHelp", {10125, 180, 525, 345}},
    {"ShpRect(0)", {6075, 6435, 1530, 495}},
    {"lblBack", {6105, 6480, 1455, 390}},
}};

// lblCongraz sits on the board, in board pixels.
inline constexpr int kCongrazLeft = 173;
inline constexpr int kCongrazTop = 184;

} // namespace tilemere
