#pragma once
// How assistive tools see the play screen: the board as a table of N x N
// cells named for their tiles, and labels whose changes are announced (the
// counters, the win).

#include <QAccessible>
#include <QString>

class QLabel;

namespace tilemere {

// Installs the factory that describes the board and the announced labels.
// Safe to call more than once.
void installPlayAccessibility();

// Makes label read by assistive tools under name, in role, its text as its
// value ("Moves": "57").
void announceLabel(QLabel &label, const QString &name, QAccessible::Role role = QAccessible::StaticText);

// Shows text on an announced label and tells assistive tools it changed.
void setAnnouncedText(QLabel &label, const QString &text);

} // namespace tilemere
