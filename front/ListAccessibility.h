#pragma once
// What assistive tools are told about the self-drawn lists: their kind and
// the row they show highlighted, and when that row changes.

#include <QAccessible>
#include <QString>

class QWidget;

namespace listaccess {

// Implemented by a list widget that describes itself this way.
class Described {
public:
    virtual ~Described() = default;
    virtual QString highlightedText() const = 0;
};

// Has list, which must also be a Described, presented in the given role.
void describe(QWidget &list, QAccessible::Role role);

// Tells assistive tools, when any listen, that another row is highlighted.
void highlightMoved(QWidget &list, const QString &text);

} // namespace listaccess
