#include "Controls.h"

#include "LocaleText.h"
#include "Shell.h"

#include <QEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QPainterPath>

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

void highlightLink(QLabel &label, bool makeBold)
{
    if (makeBold) {
        QFont font = label.font();
        font.setBold(true);
        label.setFont(font);
    }
    setTextColour(label, kHighlightOrange);
}

void resetLink(QLabel &label, bool touchWeight)
{
    if (touchWeight) {
        QFont font = label.font();
        font.setBold(false);
        label.setFont(font);
    }
    setTextColour(label, kWhite);
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
