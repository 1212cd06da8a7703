#include "ThumbnailFocus.h"

#include "Shell.h"

#include <QFocusEvent>
#include <QKeyEvent>
#include <QPainter>

#include <algorithm>
#include <optional>

namespace tilemere {

namespace {

constexpr int kColumns = 3;
constexpr int kLastSlot = 8;
constexpr int kFrameWidth = 2;

// Where a key takes the focus: a page to turn to, then a slot on it (clamped
// to the pictures there). Nothing when the key leads off the pictures.
struct FocusMove {
    int pageStep = 0;
    int slot = 0;
};

std::optional<FocusMove> focusMove(int key, int slot, const GridPage &page)
{
    const int last = page.filledSlots - 1;
    switch (key) {
    case Qt::Key_Right:
        if (slot < last)
            return FocusMove{0, slot + 1};
        if (slot == kLastSlot && page.hasNext)
            return FocusMove{1, 0};
        break;
    case Qt::Key_Left:
        if (slot > 0)
            return FocusMove{0, slot - 1};
        // Every page before the last is full.
        if (page.hasPrevious)
            return FocusMove{-1, kLastSlot};
        break;
    case Qt::Key_Down:
        if (slot + kColumns <= last)
            return FocusMove{0, slot + kColumns};
        break;
    case Qt::Key_Up:
        if (slot >= kColumns)
            return FocusMove{0, slot - kColumns};
        break;
    case Qt::Key_PageDown:
        if (page.hasNext)
            return FocusMove{1, slot};
        break;
    case Qt::Key_PageUp:
        if (page.hasPrevious)
            return FocusMove{-1, slot};
        break;
    default:
        break;
    }
    return std::nullopt;
}

} // namespace

ThumbnailFocus::ThumbnailFocus(QWidget &panel, const std::array<QWidget *, 9> &slotWidgets,
                               std::function<GridPage()> pageShown)
    : QWidget(&panel), panel_(panel), slotWidgets_(slotWidgets), pageShown_(std::move(pageShown))
{
    setObjectName(QStringLiteral("thumbnailFocus"));
    setAttribute(Qt::WA_TransparentForMouseEvents);
    setGeometry(panel.rect());
    raise();
    panel.setFocusPolicy(Qt::TabFocus);
    panel.installEventFilter(this);
}

int ThumbnailFocus::focusedSlot() const
{
    // The page may have changed under the frame (Next by mouse, a folder
    // dropped), so the slot is fitted to the pictures shown whenever asked.
    return std::min(slot_, pageShown_().filledSlots - 1);
}

bool ThumbnailFocus::frameShown() const
{
    return reachedByKeyboard_ && panel_.hasFocus() && focusedSlot() >= 0;
}

bool ThumbnailFocus::eventFilter(QObject *watched, QEvent *event)
{
    if (watched != &panel_)
        return QWidget::eventFilter(watched, event);
    switch (event->type()) {
    case QEvent::Resize:
        setGeometry(panel_.rect());
        break;
    case QEvent::FocusIn: {
        const Qt::FocusReason reason = static_cast<QFocusEvent *>(event)->reason();
        if (reason == Qt::TabFocusReason || reason == Qt::BacktabFocusReason || reason == Qt::ShortcutFocusReason)
            reachedByKeyboard_ = true;
        update();
        break;
    }
    case QEvent::FocusOut: {
        // Hiding the window for a game keeps the frame for the way back;
        // leaving the grid for another control does not.
        const Qt::FocusReason reason = static_cast<QFocusEvent *>(event)->reason();
        if (reason != Qt::ActiveWindowFocusReason && reason != Qt::PopupFocusReason)
            reachedByKeyboard_ = false;
        update();
        break;
    }
    case QEvent::KeyPress: {
        auto *key = static_cast<QKeyEvent *>(event);
        const Qt::KeyboardModifiers modifiers = key->modifiers() & ~Qt::KeypadModifier;
        if (modifiers == Qt::NoModifier && handleKey(key->key())) {
            key->accept();
            return true;
        }
        break; // the window sees the rest (the size keys, Tab)
    }
    default:
        break;
    }
    return QWidget::eventFilter(watched, event);
}

bool ThumbnailFocus::handleKey(int key)
{
    const int slot = focusedSlot();
    if (key == Qt::Key_Return || key == Qt::Key_Enter || key == Qt::Key_Space) {
        reachedByKeyboard_ = true;
        if (slot >= 0)
            emit slotChosen(slot);
        return true;
    }
    const std::optional<FocusMove> move = focusMove(key, std::max(slot, 0), pageShown_());
    if (!move) {
        // An arrow that leads nowhere still shows where the focus is.
        const bool navigation = key == Qt::Key_Left || key == Qt::Key_Right || key == Qt::Key_Up ||
                                key == Qt::Key_Down || key == Qt::Key_PageUp || key == Qt::Key_PageDown;
        reachedByKeyboard_ = reachedByKeyboard_ || navigation;
        update();
        return navigation;
    }
    reachedByKeyboard_ = true;
    if (move->pageStep != 0)
        emit pageTurnRequested(move->pageStep);
    slot_ = move->slot;
    update();
    return true;
}

void ThumbnailFocus::paintEvent(QPaintEvent *)
{
    if (!frameShown())
        return;
    // A solid band just inside the slot, so it covers the picture's edge
    // instead of the panel's gap between slots.
    const QRect outer = slotWidgets_[static_cast<std::size_t>(focusedSlot())]->geometry();
    const QRegion band = QRegion(outer).subtracted(QRegion(outer.adjusted(kFrameWidth, kFrameWidth, -kFrameWidth, -kFrameWidth)));
    QPainter painter(this);
    for (const QRect &part : band)
        painter.fillRect(part, kHighlightOrange);
}

} // namespace tilemere
