#pragma once
// Keyboard use of the thumbnail grid: the panel takes Tab focus, the arrow
// keys move a focus frame from slot to slot and across pages, Page Down and
// Page Up turn the page, Enter or Space choose the framed picture. The frame
// is drawn only once the grid has been reached from the keyboard, so a
// player who only uses the mouse sees the grid exactly as before.

#include <QWidget>

#include <array>
#include <functional>

namespace tilemere {

// What the grid shows at the moment of a key.
struct GridPage {
    int filledSlots = 0; // pictures on the page shown, 0..9
    bool hasPrevious = false;
    bool hasNext = false;
};

// The frame itself: a see-through layer over the whole panel that the mouse
// passes through. It watches the panel's focus and keys.
class ThumbnailFocus : public QWidget {
    Q_OBJECT
public:
    // Precondition: the slots are children of panel, numbered row by row;
    // pageShown tells what the grid shows whenever asked.
    ThumbnailFocus(QWidget &panel, const std::array<QWidget *, 9> &slotWidgets, std::function<GridPage()> pageShown);

    // The slot framed, 0..8; -1 when the page is empty.
    int focusedSlot() const;
    // Whether the frame is drawn now.
    bool frameShown() const;

signals:
    // Turn the page by step (+1 next, -1 previous); handled before this returns.
    void pageTurnRequested(int step);
    // Start a game with the picture in this slot.
    void slotChosen(int slot);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
    void paintEvent(QPaintEvent *event) override;

private:
    bool handleKey(int key);

    QWidget &panel_;
    std::array<QWidget *, 9> slotWidgets_;
    std::function<GridPage()> pageShown_;
    int slot_ = 0;
    bool reachedByKeyboard_ = false;
};

} // namespace tilemere
