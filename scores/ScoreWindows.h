#pragma once
// What the score entry window and the score board share: placing controls
// from a window's twip table, placing the window on the screen, and the way
// results are written.

#include "Twips.h"

#include <QString>

#include <cstdint>
#include <span>

class QWidget;
class QLabel;

namespace tilemere {

// One row of a window's layout table: a control's objectName and its
// rectangle in twips, relative to the control's container.
struct ControlPlace {
    const char *name;
    TwipRect twips;
};

// Moves and sizes every child of window named in the table. Rows whose
// control does not exist are skipped.
void placeControls(QWidget &window, std::span<const ControlPlace> table);

// Gives a fixed-size dialog the outer size outerTwips (title bar and border
// included) with its top-left corner at the given fractions of the screen.
void placeDialog(QWidget &dialog, int outerWidthTwips, int outerHeightTwips, int screenWidthDivisor,
                 int screenHeightDivisor);

// The client area left of an outer window size once the title bar and the
// border are taken off, in pixels.
QSize clientSizeFor(int outerWidthTwips, int outerHeightTwips);

// A time in seconds as minutes, ":" and two-digit seconds; minutes are not
// limited, so 3600 reads "60:00". Precondition: seconds >= 0.
QString minutesAndSeconds(std::int32_t seconds);

// The word of a place 1..10 ("First" .. "Tenth"); empty outside that range.
QString placeWord(std::int16_t rank);

// Makes label a button label of a score window: centred caption on a
// rounded rectangle, white on blue.
void styleButtonLabel(QLabel &label, double pointSize);

} // namespace tilemere
