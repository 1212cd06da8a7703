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
    // Tab goes from the lists to the thumbnails, the page buttons, the
    // options, High Scores and Help. The options take focus from Tab only,
    // so that a click never leaves a focus mark on them; the buttons are
    // made that way.
    std::array<QWidget *, kSlots> slotWidgets;
    std::copy(thumbnailSlots_.begin(), thumbnailSlots_.end(), slotWidgets.begin());
    thumbnailFocus_ = new ThumbnailFocus(*thumbnailPanel_, slotWidgets, [this] {
            const int count = browser_->pictures().count();
            const int first = game_.currentPage * kSlots;
            return GridPage{std::clamp(count - first, 0, kSlots), game_.currentPage > 0, first + kSlots < count};
        });
    QList<QWidget *> options(sizeOptions_.begin(), sizeOptions_.end());
    options.append(animateCheck_);
    for (QWidget *option : options) {
        option->setFocusPolicy(Qt::TabFocus);
        option->installEventFilter(this);
    }
    const QList<QWidget *> order = QList<QWidget *>{driveList_, folderList_, thumbnailPanel_, previousButton_, nextButton_} +
                                   options + QList<QWidget *>{scoresButton_, helpLink_};
    for (qsizetype i = 1; i < order.size(); ++i)
        setTabOrder(order[i - 1], order[i]);
    for (QWidget *framed : options + QList<QWidget *>{driveList_, folderList_})
        showFocusFrame(*framed);
    // The window opens with the focus where the Tab order begins, never
    // on the thumbnails, where Enter would start a game unseen.
    driveList_->setFocus(Qt::OtherFocusReason);

    connect(thumbnailFocus_, &ThumbnailFocus::pageTurnRequested, this,
            [this](int step) { step > 0 ? showNextPage() : showPreviousPage(); });
    connect(thumbnailFocus_, &ThumbnailFocus::slotChosen, this, &FrontScreen::startGame);

}

bool FrontScreen::chooseSizeByKey(const QKeyEvent &event)
{
    const int side = sideForKey(event);
    if (side == 0)
        return false;
    sizeOptions_[static_cast<std::size_t>(side - kMinBoardSide)]->setChecked(true);
    return true;
}

// Keys no control took: the size keys, wherever the focus is but in the
// lists, which take every letter and digit to find an entry.
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
                backwards ? nextButton_->setFocus(Qt::BacktabFocusReason) : animateCheck_->setFocus(Qt::TabFocusReason);
                return true;
            }
        }
    }
    return false;
}

} // namespace tilemere
