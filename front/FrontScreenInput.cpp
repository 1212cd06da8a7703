// The front screen from the keyboard.
#include "FrontScreen.h"

#include "Controls.h"
#include "DriveList.h"
#include "FolderList.h"
#include "Game.h"
#include "PictureBrowser.h"
#include "ThumbnailFocus.h"

#include <QApplication>
#include <QCheckBox>
#include <QFocusEvent>
#include <QFrame>
#include <QKeyEvent>
#include <QRadioButton>
#include <QTimer>

#include <algorithm>

namespace tilemere {

namespace {

constexpr int kSlots = 9;

// The board side a key chooses, 3..6, or 0. The keypad's digits count too.
int sideForKey(const QKeyEvent &event)
{
    if ((event.modifiers() & ~Qt::KeypadModifier) != Qt::NoModifier)
        return 0;
    const int key = event.key();
    return key >= Qt::Key_0 + kMinBoardSide && key <= Qt::Key_0 + kMaxBoardSide ? key - Qt::Key_0 : 0;
}

} // namespace

void FrontScreen::setUpKeyboard()
{
    // Tab goes from the lists to the thumbnails, then to the options. The
    // options take focus from Tab only, so that a click never leaves a
    // focus mark on them.
    std::array<QWidget *, kSlots> slotWidgets;
    std::copy(thumbnailSlots_.begin(), thumbnailSlots_.end(), slotWidgets.begin());
    thumbnailFocus_ = new ThumbnailFocus(*thumbnailPanel_, slotWidgets, [this] {
            const int count = browser_->pictures().count();
            const int first = game_.currentPage * kSlots;
            return GridPage{std::clamp(count - first, 0, kSlots), game_.currentPage > 0, first + kSlots < count};
        });
    QList<QWidget *> options(sizeOptions_.begin(), sizeOptions_.end());
    options.append(animateCheck_);
    QWidget *previous = thumbnailPanel_;
    for (QWidget *option : options) {
        option->setFocusPolicy(Qt::TabFocus);
        option->installEventFilter(this);
        setTabOrder(previous, option);
        previous = option;
    }
    setTabOrder(driveList_, folderList_);
    setTabOrder(folderList_, thumbnailPanel_);
    // The window opens with the focus where the Tab order begins, never
    // on the thumbnails, where Enter would start a game unseen.
    driveList_->setFocus(Qt::OtherFocusReason);

    connect(thumbnailFocus_, &ThumbnailFocus::pageTurnRequested, this,
            [this](int step) { step > 0 ? showNextPage() : showPreviousPage(); });
    connect(thumbnailFocus_, &ThumbnailFocus::slotChosen, this, &FrontScreen::startGame);

    // The lists find an entry by its first letters as they are typed; a
    // digit typed within that run searches instead of choosing a size.
    listSearch_ = new QTimer(this);
    listSearch_->setSingleShot(true);
    listSearch_->setInterval(QApplication::keyboardInputInterval());
    driveList_->installEventFilter(this);
    folderList_->installEventFilter(this);
}

bool FrontScreen::chooseSizeByKey(const QKeyEvent &event)
{
    const int side = sideForKey(event);
    if (side == 0)
        return false;
    sizeOptions_[static_cast<std::size_t>(side - kMinBoardSide)]->setChecked(true);
    return true;
}

// Keys no control took: the size keys, wherever the focus is.
void FrontScreen::keyPressEvent(QKeyEvent *event)
{
    if (chooseSizeByKey(*event))
        event->accept();
    else
        QWidget::keyPressEvent(event);
}

bool FrontScreen::filterKeys(QObject *watched, QEvent *event)
{
    // The size options are one stop for Tab, entered at the one chosen, as
    // in any option group; the arrow keys move within it.
    if (watched->objectName().startsWith(QLatin1String("sizeOption"))) {
        const auto checked = std::find_if(sizeOptions_.begin(), sizeOptions_.end(),
                                          [](const QRadioButton *option) { return option->isChecked(); });
        if (event->type() == QEvent::FocusIn) {
            const Qt::FocusReason reason = static_cast<QFocusEvent *>(event)->reason();
            if ((reason == Qt::TabFocusReason || reason == Qt::BacktabFocusReason) && *checked != watched)
                (*checked)->setFocus(reason);
        } else if (event->type() == QEvent::KeyPress) {
            const auto &key = static_cast<const QKeyEvent &>(*event);
            const bool backwards = key.key() == Qt::Key_Backtab || key.modifiers() & Qt::ShiftModifier;
            if (key.key() == Qt::Key_Tab || key.key() == Qt::Key_Backtab) {
                backwards ? thumbnailPanel_->setFocus(Qt::BacktabFocusReason) : animateCheck_->setFocus(Qt::TabFocusReason);
                return true;
            }
        }
        return false;
    }
    if ((watched != driveList_ && watched != folderList_) || event->type() != QEvent::KeyPress)
        return false;
    const auto &key = static_cast<const QKeyEvent &>(*event);
    if (!listSearch_->isActive() && chooseSizeByKey(key))
        return true;
    if (!key.text().isEmpty() && key.text().front().isPrint())
        listSearch_->start();
    return false;
}

} // namespace tilemere
