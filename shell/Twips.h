#pragma once
// Window layouts are written in twips (1/1440 inch), the unit they were drawn in, and
// converted to pixels here, once: 15 twips make a pixel.

#include <QPoint>
#include <QRect>
#include <QSize>

namespace tilemere {

inline constexpr int kTwipsPerPixel = 15;

constexpr int twipsToPixels(int twips) { return twips / kTwipsPerPixel; }

// A control's rectangle in twips: left, top, width, height.
struct TwipRect {
    int left;
    int top;
    int width;
    int height;

    QRect toPixels() const
    {
        return QRect(twipsToPixels(left), twipsToPixels(top), twipsToPixels(width),
                     twipsToPixels(height));
    }
};

// One row of a window's layout table: a control's objectName and its
// rectangle in twips, relative to the control's container.
struct ControlPlace {
    const char *name;
    TwipRect twips;
};

} // namespace tilemere
