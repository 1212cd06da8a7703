#include "Controls.h"

#include "LocaleText.h"
#include "Shell.h"

#include <QCoreApplication>
#include <QEvent>
#include <QFocusEvent>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QPainterPath>
#include <QStyle>

#include <utility>

namespace tilemere {

void setColours(QWidget &widget, const QColor &background)
{
    QPalette palette = widget.palette();
    palette.setColor(QPalette::Window, background);
    palette.setColor(QPalette::Base, background);
    palette.setColor(QPalette::Button, background);
    widget.setPalette(palette);
    widget.setAutoFillBackground(true);
}

void setColours(QWidget &widget, const QColor &background, const QColor &text)
{
    setColours(widget, background);
    setTextColour(widget, text);
}

void setTextColour(QWidget &widget, const QColor &text)
{
    QPalette palette = widget.palette();
    for (const auto group : {QPalette::Active, QPalette::Inactive}) {
        palette.setColor(group, QPalette::WindowText, text);
        palette.setColor(group, QPalette::Text, text);
        palette.setColor(group, QPalette::ButtonText, text);
    }
    for (const auto role : {QPalette::WindowText, QPalette::Text, QPalette::ButtonText})
        palette.setColor(QPalette::Disabled, role, kGreyedText);
    widget.setPalette(palette);
}

void setCheckColours(QWidget &button, const QColor &background, const QColor &text)
{
    setColours(button, background, text);
    QPalette palette = button.palette();
    palette.setColor(QPalette::Base, Qt::white);
    palette.setColor(QPalette::Text, Qt::black);
    button.setPalette(palette);
}

void placeControls(QWidget &window, std::span<const ControlPlace> table)
{
    for (const ControlPlace &place : table) {
        if (auto *control = window.findChild<QWidget *>(QString::fromLatin1(place.name)))
            control->setGeometry(place.twips.toPixels());
    }
}

QString minutesAndSeconds(std::int32_t seconds)
{
    return clockText(seconds);
}

QFont designFont(const char *family, double pointSize, bool bold, bool underline)
{
    QFont font(QString::fromLatin1(family));
    font.setPointSizeF(pointSize);
    font.setBold(bold);
    font.setUnderline(underline);
    return font;
}

QFont captionFont(double pointSize, bool bold, bool underline)
{
    return designFont("Comic Sans MS", pointSize, bold, underline);
}

QFont listFont(double pointSize, bool bold)
{
    return designFont("MS Sans Serif", pointSize, bold);
}

QCursor handCursor()
{
    return QCursor(Qt::PointingHandCursor);
}

RoundedRect::RoundedRect(QWidget *parent) : QWidget(parent)
{
    setAttribute(Qt::WA_TransparentForMouseEvents);
}

void RoundedRect::setFillColour(const QColor &colour)
{
    fill_ = colour;
    update();
}

void RoundedRect::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(Qt::NoPen);
    painter.setBrush(fill_);
    const qreal radius = qMin(width(), height()) / 3.0;
    painter.drawRoundedRect(QRectF(rect()).adjusted(0.5, 0.5, -0.5, -0.5), radius, radius);
}

ClickLabel::ClickLabel(QWidget *parent) : QLabel(parent)
{
    setMouseTracking(true);
}

ClickLabel::ClickLabel(const QString &text, QWidget *parent) : QLabel(text, parent)
{
    setMouseTracking(true);
}

void ClickLabel::setImage(const QImage &image, bool stretched)
{
    setScaledContents(stretched);
    setPixmap(QPixmap::fromImage(image));
}

void ClickLabel::mousePressEvent(QMouseEvent *event)
{
    event->accept();
    if (event->button() == Qt::LeftButton)
        pressed_ = true;
}

void ClickLabel::mouseMoveEvent(QMouseEvent *event)
{
    event->accept();
    emit mouseMoved();
}

// A click is a press and a release of the left button over the label, so a
// player who slides off before letting go has not clicked.
void ClickLabel::mouseReleaseEvent(QMouseEvent *event)
{
    event->accept();
    const bool click = pressed_ && event->button() == Qt::LeftButton && rect().contains(event->position().toPoint());
    if (event->button() == Qt::LeftButton)
        pressed_ = false;
    emit mouseReleased();
    if (click)
        emit clicked();
}

namespace {

bool byKeyboard(Qt::FocusReason reason)
{
    return reason == Qt::TabFocusReason || reason == Qt::BacktabFocusReason || reason == Qt::ShortcutFocusReason;
}

// Draws the frame over what the control itself paints: the control's own
// paint event is run first, from here, and then the frame on top.
class FocusFrame : public QObject {
public:
    explicit FocusFrame(QWidget &control) : QObject(&control), control_(control) {}

protected:
    bool eventFilter(QObject *, QEvent *event) override
    {
        switch (event->type()) {
        case QEvent::FocusIn:
            keyboard_ = byKeyboard(static_cast<QFocusEvent *>(event)->reason());
            control_.update();
            break;
        case QEvent::FocusOut:
            keyboard_ = false;
            control_.update();
            break;
        case QEvent::KeyPress:
            if (!keyboard_) {
                keyboard_ = true;
                control_.update();
            }
            break;
        case QEvent::Paint:
            if (keyboard_ && control_.hasFocus()) {
                static_cast<QObject &>(control_).event(event); // public there, dispatched to the control
                QPainter painter(&control_);
                painter.setPen(kHighlightOrange);
                painter.drawRect(control_.rect().adjusted(0, 0, -1, -1));
                return true;
            }
            break;
        default:
            break;
        }
        return false;
    }

private:
    QWidget &control_;
    bool keyboard_ = false;
};

} // namespace

LinkButton::LinkButton(QWidget *parent) : QAbstractButton(parent)
{
    setMouseTracking(true);
    // Tab only: a click must not leave a focus frame behind.
    setFocusPolicy(Qt::TabFocus);
    showFocusFrame(*this);
}

LinkButton::LinkButton(const QString &text, QWidget *parent) : LinkButton(parent)
{
    setText(text);
}

void LinkButton::setImage(const QImage &image)
{
    picture_ = QPixmap::fromImage(image);
    resize(sizeHint());
    update();
}

QSize LinkButton::sizeHint() const
{
    if (!picture_.isNull())
        return picture_.deviceIndependentSize().toSize();
    QFont bold = font();
    bold.setBold(true);
    return QFontMetrics(bold).size(Qt::TextSingleLine, text());
}

void LinkButton::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    if (!picture_.isNull()) {
        const QSize size = picture_.deviceIndependentSize().toSize();
        style()->drawItemPixmap(&painter, QRect(QPoint(), size).translated((width() - size.width()) / 2,
                                                                            (height() - size.height()) / 2),
                                Qt::AlignCenter, picture_);
    } else {
        // Drawn as a centred label draws its text, so the look is the labels' it replaced.
        style()->drawItemText(&painter, rect(), Qt::AlignCenter, palette(), isEnabled(), text(), QPalette::WindowText);
    }
}

void LinkButton::keyPressEvent(QKeyEvent *event)
{
    switch (event->key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
        if (event->modifiers() == Qt::NoModifier || event->modifiers() == Qt::KeypadModifier) {
            event->accept();
            click();
            return;
        }
        break;
    case Qt::Key_Left:
    case Qt::Key_Right:
    case Qt::Key_Up:
    case Qt::Key_Down:
        // Left to the window: on the play screen they move the tiles.
        event->ignore();
        return;
    default:
        break;
    }
    QAbstractButton::keyPressEvent(event);
}

void LinkButton::mouseMoveEvent(QMouseEvent *event)
{
    QAbstractButton::mouseMoveEvent(event);
    // Taken here, so that the window behind does not put the look back to rest.
    event->accept();
    emit mouseMoved();
}

void LinkButton::mouseReleaseEvent(QMouseEvent *event)
{
    // Before the click, which may open a modal window.
    emit mouseReleased();
    if (std::exchange(secondOfDouble_, false)) {
        setDown(false);
        event->accept();
        return;
    }
    QAbstractButton::mouseReleaseEvent(event);
    event->accept();
}

// The second press of a double-click (which comes as a press, then this)
// makes no second click: a double-click on Next turns one page.
void LinkButton::mouseDoubleClickEvent(QMouseEvent *event)
{
    event->accept();
    secondOfDouble_ = event->button() == Qt::LeftButton;
}

namespace {

class ArrowPass : public QObject {
public:
    ArrowPass(QObject *parent, QWidget &window) : QObject(parent), window_(window) {}

protected:
    bool eventFilter(QObject *, QEvent *event) override
    {
        if (event->type() != QEvent::KeyPress)
            return false;
        const int key = static_cast<QKeyEvent *>(event)->key();
        if (key != Qt::Key_Left && key != Qt::Key_Right && key != Qt::Key_Up && key != Qt::Key_Down)
            return false;
        QCoreApplication::sendEvent(&window_, event);
        return true;
    }

private:
    QWidget &window_;
};

} // namespace

void passArrowKeys(QWidget &control, QWidget &window)
{
    control.installEventFilter(new ArrowPass(&control, window));
}

void showFocusFrame(QWidget &control)
{
    control.installEventFilter(new FocusFrame(control));
}

void sizeLinkAboutCentre(LinkButton &link)
{
    // Where the regular text stood when the link was sized to it, left
    // edge kept; the wider box grows evenly about that text.
    const int regular = link.fontMetrics().size(Qt::TextSingleLine, link.text()).width();
    const QSize wanted = link.sizeHint();
    link.setGeometry(link.x() - (wanted.width() - regular) / 2, link.y(), wanted.width(), wanted.height());
}

void highlightLink(QWidget &link, bool makeBold)
{
    if (makeBold) {
        QFont font = link.font();
        font.setBold(true);
        link.setFont(font);
    }
    setTextColour(link, kHighlightOrange);
}

void resetLink(QWidget &link, bool touchWeight)
{
    if (touchWeight) {
        QFont font = link.font();
        font.setBold(false);
        link.setFont(font);
    }
    setTextColour(link, kWhite);
}

namespace {

class MoveFilter : public QObject {
public:
    MoveFilter(QObject *parent, std::function<void()> onMove) : QObject(parent), onMove_(std::move(onMove)) {}

protected:
    bool eventFilter(QObject *, QEvent *event) override
    {
        if (event->type() != QEvent::MouseMove)
            return false;
        if (onMove_)
            onMove_();
        event->accept();
        return true;
    }

private:
    std::function<void()> onMove_;
};

} // namespace

void swallowMouseMoves(QWidget &widget)
{
    widget.setMouseTracking(true);
    widget.installEventFilter(new MoveFilter(&widget, {}));
}

void onBackgroundMouseMove(QWidget &widget, std::function<void()> onMove)
{
    widget.setMouseTracking(true);
    widget.installEventFilter(new MoveFilter(&widget, std::move(onMove)));
}

} // namespace tilemere
