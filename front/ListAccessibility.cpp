#include "ListAccessibility.h"

#include <QAccessibleWidget>
#include <QWidget>

#include <map>

namespace listaccess {
namespace {

// The role each described list was given; lists live as long as the program.
std::map<const QObject *, QAccessible::Role> &roles()
{
    static std::map<const QObject *, QAccessible::Role> given;
    return given;
}

class ListAccessible : public QAccessibleWidget {
public:
    ListAccessible(QWidget *list, QAccessible::Role role) : QAccessibleWidget(list, role) {}

    QString text(QAccessible::Text what) const override
    {
        if (what == QAccessible::Value)
            if (const auto *described = dynamic_cast<const Described *>(widget()))
                return described->highlightedText();
        return QAccessibleWidget::text(what);
    }
};

QAccessibleInterface *accessibleFor(const QString &, QObject *object)
{
    const auto found = roles().find(object);
    if (found == roles().end() || !object->isWidgetType())
        return nullptr;
    return new ListAccessible(static_cast<QWidget *>(object), found->second);
}

} // namespace

void describe(QWidget &list, QAccessible::Role role)
{
    static const bool installed = (QAccessible::installFactory(&accessibleFor), true);
    (void)installed;
    roles()[&list] = role;
    QObject::connect(&list, &QObject::destroyed, [object = static_cast<const QObject *>(&list)] { roles().erase(object); });
}

void highlightMoved(QWidget &list, const QString &text)
{
    if (!QAccessible::isActive())
        return;
    QAccessibleValueChangeEvent event(&list, text);
    QAccessible::updateAccessibility(&event);
}

} // namespace listaccess
