#pragma once
// What the score entry window and the score board share: placing the
// window on the screen, and the way results are written.

#include "Controls.h"

#include <QString>

#include <cstdint>
#include <span>

class QWidget;
class QLabel;

namespace tilemere {

// Gives a fixed-size dialog the outer size outerTwips (title bar and border
// included) with its top-left corner at the given fractions of the screen.
void placeDialog(QWidget &dialog, int outerWidthTwips, int outerHeightTwips, int screenWidthDivisor,
                 int screenHeightDivisor);

// The client area left of an outer window size once the title bar and the
// border are taken off, in pixels.
QSize clientSizeFor(int outerWidthTwips, int outerHeightTwips);

// Makes label a button of a score window: centred caption on a
// rounded rectangle, white on blue.
void styleButtonLabel(LinkButton &label, double pointSize);

} // namespace tilemere
