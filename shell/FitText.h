#pragma once
// A text longer than its control, as a translation may be, is drawn in a
// smaller font, and only when even that is too wide is it elided with "…":
// never cut off in the middle of a letter.

class QWidget;

namespace tilemere {

// The smallest font a text is shrunk to, as a share of its own size.
inline constexpr double kSmallestFontShare = 0.75;

// Fits the text of a label, check box or option button into the control's
// width, or into maxWidth for a label that sizes itself to its text (it is
// sized first, then kept to maxWidth). The whole text stays the control's
// tool tip and accessible name when it had to be elided. Call after the
// text and font are set.
void fitText(QWidget &control, int maxWidth = -1);

// Whether the control's text fits its width as drawn now.
bool textFits(const QWidget &control);

} // namespace tilemere
