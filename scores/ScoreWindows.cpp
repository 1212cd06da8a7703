#include "ScoreWindows.h"

#include "Controls.h"
#include "Shell.h"

#include <QGuiApplication>
#include <QLabel>
#include <QScreen>
#include <QWidget>


namespace tilemere {

namespace {

// The layouts were drawn for a fixed-border window with a one-line title
// bar; what those take is subtracted so the controls keep their places.
constexpr int kBorderPixels = 3;
constexpr int kTitleBarPixels = 19;

} // namespace

QSize clientSizeFor(int outerWidthTwips, int outerHeightTwips)
{
    return QSize(twipsToPixels(outerWidthTwips) - 2 * kBorderPixels,
                 twipsToPixels(outerHeightTwips) - 2 * kBorderPixels - kTitleBarPixels);
}

void placeDialog(QWidget &dialog, int outerWidthTwips, int outerHeightTwips, int screenWidthDivisor,
                 int screenHeightDivisor)
{
    dialog.setFixedSize(clientSizeFor(outerWidthTwips, outerHeightTwips));
    const QScreen *screen = dialog.screen() ? dialog.screen() : QGuiApplication::primaryScreen();
    if (!screen)
        return;
    const QSize screenSize = screen->size();
    dialog.move(screenSize.width() / screenWidthDivisor, screenSize.height() / screenHeightDivisor);
}

void styleButtonLabel(LinkButton &label, double pointSize)
{
    label.setFont(captionFont(pointSize));
    setColours(label, kButtonBlue, kWhite);
    // The rounded rectangle behind shows through the label's corners.
    label.setAutoFillBackground(false);
}

} // namespace tilemere
