#include "DriveList.h"

#include <QDir>
#include <QFileInfo>
#include <QKeyEvent>
#include <QMenu>
#include <QSignalBlocker>
#include <QStorageInfo>
#include <QStyleOptionComboBox>
#include <QStylePainter>

#include <algorithm>

namespace {

bool volumeHolds(const QString &root, const QString &folder)
{
    if (root == QLatin1String("/"))
        return folder.startsWith(QLatin1Char('/'));
    return folder == root || folder.startsWith(root + QLatin1Char('/'));
}

int indexOfVolumeHolding(const QStringList &roots, const QString &folder)
{
    const QString absolute = QDir::cleanPath(QFileInfo(folder).absoluteFilePath());
    int best = -1;
    for (int i = 0; i < roots.size(); ++i) {
        if (volumeHolds(roots[i], absolute) && (best < 0 || roots[i].size() > roots[best].size()))
            best = i;
    }
    return best;
}

} // namespace

DriveList::DriveList(QWidget *parent) : QWidget(parent)
{
    setFocusPolicy(Qt::WheelFocus);
    setAttribute(Qt::WA_Hover);
    listaccess::describe(*this, QAccessible::ComboBox);
    setVolumes(mountedVolumeRoots());
    const QSignalBlocker quiet(this);
    showVolumeOf(QDir::currentPath());
}

void DriveList::setVolumes(const QStringList &roots)
{
    roots_ = roots;
    current_ = roots_.isEmpty() ? -1 : 0;
    update();
}

void DriveList::setCurrentIndex(int index)
{
    if (index < 0 || index >= count() || index == current_)
        return;
    current_ = index;
    update();
    listaccess::highlightMoved(*this, drive());
    emit currentIndexChanged(index);
}

void DriveList::showVolumeOf(const QString &folder)
{
    const int index = indexOfVolumeHolding(roots_, folder);
    if (index >= 0)
        setCurrentIndex(index);
}

void DriveList::showVolumes()
{
    // Dressed as the style's drop-down of a combo box: no column for check
    // marks or icons (a property the styles read for that), the window's grey.
    // It runs in the game's own event loop, as a combo box's does, so that
    // nothing waits inside this call while the volumes are shown.
    auto *volumes = new QMenu(this);
    volumes->setAttribute(Qt::WA_DeleteOnClose);
    volumes->setProperty("_q_isComboBoxPopupItem", true);
    QPalette grey = volumes->palette();
    grey.setColor(QPalette::Base, grey.color(QPalette::Window).darker(108)); // lightened again for menus
    volumes->setPalette(grey);
    volumes->setFont(font());
    volumes->setMinimumWidth(width());
    QAction *shown = nullptr;
    for (int i = 0; i < count(); ++i) {
        QAction *volume = volumes->addAction(roots_[i]);
        connect(volume, &QAction::triggered, this, [this, i] { setCurrentIndex(i); });
        if (i == current_)
            shown = volume;
    }
    connect(volumes, &QMenu::aboutToHide, this, [this] {
        dropped_ = false;
        update();
    });
    dropped_ = true;
    update();
    // As the style's own drop-down: the volume shown lies over the box, and
    // the keys move on from it.
    volumes->setActiveAction(shown);
    volumes->popup(mapToGlobal(QPoint(0, 0)), shown);
}

void DriveList::initStyleOption(QStyleOptionComboBox &option) const
{
    option.initFrom(this);
    option.editable = false;
    option.frame = true;
    option.currentText = drive();
    option.subControls = QStyle::SC_All;
    if (dropped_) {
        option.state |= QStyle::State_On | QStyle::State_Sunken;
        option.activeSubControls = QStyle::SC_ComboBoxArrow;
    }
}

bool DriveList::event(QEvent *event)
{
    if (event->type() == QEvent::HoverEnter || event->type() == QEvent::HoverLeave)
        update();
    return QWidget::event(event);
}

void DriveList::paintEvent(QPaintEvent *)
{
    QStylePainter painter(this);
    QStyleOptionComboBox option;
    initStyleOption(option);
    painter.drawComplexControl(QStyle::CC_ComboBox, option);
    painter.drawControl(QStyle::CE_ComboBoxLabel, option);
}

void DriveList::keyPressEvent(QKeyEvent *event)
{
    const bool alt = event->modifiers() & Qt::AltModifier;
    switch (event->key()) {
    case Qt::Key_Up:
    case Qt::Key_PageUp:
        alt ? showVolumes() : setCurrentIndex(current_ - 1);
        break;
    case Qt::Key_Down:
    case Qt::Key_PageDown:
        alt ? showVolumes() : setCurrentIndex(current_ + 1);
        break;
    case Qt::Key_Home:
        setCurrentIndex(0);
        break;
    case Qt::Key_End:
        setCurrentIndex(count() - 1);
        break;
    case Qt::Key_F4:
    case Qt::Key_Space:
        showVolumes();
        break;
    default:
        if (event->text().isEmpty() || !event->text().front().isPrint() ||
            (event->modifiers() & (Qt::ControlModifier | Qt::AltModifier))) {
            event->ignore();
            return;
        }
        setCurrentIndex(search_.find(event->text(), current_, count(), [this](int i) { return roots_[i]; }));
        event->accept();
        return;
    }
    search_.reset();
    event->accept();
}

void DriveList::mousePressEvent(QMouseEvent *event)
{
    event->accept();
    if (event->button() == Qt::LeftButton)
        showVolumes();
}

void DriveList::wheelEvent(QWheelEvent *event)
{
    event->accept();
    wheelTurned_ += event->angleDelta().y();
    const int notches = wheelTurned_ / QWheelEvent::DefaultDeltasPerStep;
    wheelTurned_ -= notches * QWheelEvent::DefaultDeltasPerStep;
    if (notches != 0)
        setCurrentIndex(std::clamp(current_ - notches, 0, count() - 1));
}

QStringList DriveList::mountedVolumeRoots()
{
    QStringList roots;
    for (const QStorageInfo &volume : QStorageInfo::mountedVolumes()) {
        // Containers bind single files (/etc/hosts) as mounts; only folders
        // can be browsed.
        const QString root = volume.rootPath();
        if (volume.isValid() && volume.isReady() && QFileInfo(root).isDir() && !roots.contains(root))
            roots << root;
    }
    std::sort(roots.begin(), roots.end(), [](const QString &a, const QString &b) {
        if ((a == QLatin1String("/")) != (b == QLatin1String("/")))
            return a == QLatin1String("/");
        return a < b;
    });
    if (roots.isEmpty())
        roots << QStringLiteral("/");
    return roots;
}
