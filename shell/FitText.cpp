#include "FitText.h"

#include <QAbstractButton>
#include <QLabel>

namespace tilemere {

namespace {

// Room for the text, and the width it needs, in the control's current font.
struct Measure {
    int room = 0;
    int needed = 0;
};

Measure measure(const QWidget &control)
{
    if (const auto *label = qobject_cast<const QLabel *>(&control)) {
        if (label->wordWrap() || label->text().isEmpty())
            return {};
        const int margins = 2 * label->margin() + qMax(label->indent(), 0);
        return {label->contentsRect().width() - margins, label->fontMetrics().horizontalAdvance(label->text())};
    }
    if (const auto *button = qobject_cast<const QAbstractButton *>(&control)) {
        if (button->text().isEmpty())
            return {};
        return {button->width(), button->sizeHint().width()};
    }
    return {};
}

QString textOf(const QWidget &control)
{
    if (const auto *label = qobject_cast<const QLabel *>(&control))
        return label->text();
    if (const auto *button = qobject_cast<const QAbstractButton *>(&control))
        return button->text();
    return {};
}

void setTextOf(QWidget &control, const QString &text)
{
    if (auto *label = qobject_cast<QLabel *>(&control))
        label->setText(text);
    else if (auto *button = qobject_cast<QAbstractButton *>(&control))
        button->setText(text);
}

} // namespace

bool textFits(const QWidget &control)
{
    const Measure m = measure(control);
    return m.needed <= m.room;
}

void fitText(QWidget &control, int maxWidth)
{
    if (maxWidth >= 0) {
        control.adjustSize();
        if (control.width() > maxWidth)
            control.resize(maxWidth, control.height());
    }
    if (textFits(control))
        return;
    const QFont original = control.font();
    const double smallest = original.pointSizeF() * kSmallestFontShare;
    QFont font = original;
    for (double points = original.pointSizeF() - 0.25; points >= smallest && !textFits(control); points -= 0.25) {
        font.setPointSizeF(points);
        control.setFont(font);
    }
    if (textFits(control))
        return;
    // Still too wide at the smallest size: elided whole letters, the full
    // text kept where a screen reader and the pointer find it.
    const QString whole = textOf(control);
    const Measure m = measure(control);
    const int textWidth = control.fontMetrics().horizontalAdvance(whole);
    const int room = m.room - (m.needed - textWidth);
    if (control.toolTip().isEmpty())
        control.setToolTip(whole);
    if (control.accessibleName().isEmpty())
        control.setAccessibleName(whole);
    setTextOf(control, control.fontMetrics().elidedText(whole, Qt::ElideRight, qMax(room, 0)));
}

} // namespace tilemere
