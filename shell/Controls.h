#pragma once
// The small set of controls the windows are built from, shared so that every
// window looks and reacts alike.

#include "PictureLoader.h" // loadPicture, for the windows that show pictures
#include "Twips.h"

#include <QAbstractButton>
#include <QImage>
#include <QLabel>
#include <QWidget>

#include <cstdint>
#include <functional>
#include <span>

namespace tilemere {

// Gives a widget a solid background and, optionally, a text colour. The
// text colour is that of an enabled widget: a disabled one stays greyed.
void setColours(QWidget &widget, const QColor &background);
void setColours(QWidget &widget, const QColor &background, const QColor &text);
void setTextColour(QWidget &widget, const QColor &text);

// The same for a check box or option button, whose box stays white with a
// black mark whatever the colour behind it.
void setCheckColours(QWidget &button, const QColor &background, const QColor &text);

// Moves and sizes every child of window named in the table, converting the
// twips once. Rows whose control does not exist are skipped.
void placeControls(QWidget &window, std::span<const ControlPlace> table);

// A playing time in seconds as minutes, ":" and two-digit seconds, in the
// player's digits; minutes are not limited, so 3600 reads "60:00".
// Precondition: seconds >= 0.
QString minutesAndSeconds(std::int32_t seconds);

// A font by family name and point size.
QFont designFont(const char *family, double pointSize, bool bold = false, bool underline = false);
QFont captionFont(double pointSize, bool bold = false, bool underline = false); // "Comic Sans MS"
QFont listFont(double pointSize, bool bold = false);                            // "MS Sans Serif"

// The pointing hand shown over links to the web site.
QCursor handCursor();

// A rounded rectangle drawn behind a button label. It takes no mouse events,
// so moving over it counts as moving over the window.
class RoundedRect : public QWidget {
public:
    explicit RoundedRect(QWidget *parent);
    void setFillColour(const QColor &colour);
    QColor fillColour() const { return fill_; }

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    QColor fill_;
};

// A label that reports left clicks, mouse moves and releases, used for the
// pictures that are no buttons of their own (the thumbnails, the banner, the
// logo, the preview). Moves are swallowed, so they never reach the window
// behind it.
class ClickLabel : public QLabel {
    Q_OBJECT
public:
    explicit ClickLabel(QWidget *parent);
    explicit ClickLabel(const QString &text, QWidget *parent);

    // A picture at its natural size (stretched = false) or stretched to the label.
    void setImage(const QImage &image, bool stretched);

signals:
    void clicked();
    void mouseMoved();
    void mouseReleased();

protected:
    void mousePressEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;

private:
    bool pressed_ = false;
};

// A button or link: its text centred in the palette's text colour on the
// widget's own background (a button's rounded shape lies behind it), or a
// picture at its natural size. It is a real button: Tab reaches it, Space
// and Enter press it, assistive tools see a button with its text. A
// double-click counts as one click. The focus frame shows only once the
// keyboard brought the focus, so a click leaves the look as it was.
class LinkButton : public QAbstractButton {
    Q_OBJECT
public:
    explicit LinkButton(QWidget *parent);
    explicit LinkButton(const QString &text, QWidget *parent);

    // A picture instead of text, the button taking its size.
    void setImage(const QImage &image);

    // The size of the text in bold, so that the hover look is never cut.
    QSize sizeHint() const override;

signals:
    void mouseMoved();
    void mouseReleased();

protected:
    void paintEvent(QPaintEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void mouseDoubleClickEvent(QMouseEvent *event) override;

private:
    QPixmap picture_;
    bool secondOfDouble_ = false;
};

// Makes a control that takes the focus draw the game's orange frame
// around itself while it has the focus, once the keyboard brought it there
// (Tab, or a key typed into it); a click alone shows nothing new.
void showFocusFrame(QWidget &control);

// Hands the arrow keys pressed on control to window instead (a check box
// would move the focus with them).
void passArrowKeys(QWidget &control, QWidget &window);

// Sizes a text link to its bold text, centred on where its regular text
// stands when sized to that text at its present left edge.
void sizeLinkAboutCentre(LinkButton &link);

// Hover look of a link or button: bold (unless makeBold is false) and
// orange; reset: regular and white.
void highlightLink(QWidget &link, bool makeBold = true);
void resetLink(QWidget &link, bool touchWeight = true);

// Makes a widget take mouse moves itself, so they do not reach its window:
// a control without a mouse-move handler of its own neither resets nor sets
// a highlight.
void swallowMouseMoves(QWidget &widget);

// Calls onMove for every mouse move over the widget's own background.
void onBackgroundMouseMove(QWidget &widget, std::function<void()> onMove);

} // namespace tilemere
