#pragma once
// How assistive tools see the play screen: the board as a table of N x N
// cells named for their tiles, and labels whose changes are announced (the
// counters, the win).

#include <QAccessible>
#include <QLabel>
#include <QString>

#include <functional>

namespace tilemere {

// A label whose text assistive tools read as a value under its accessible
// name ("Moves": "57"), its changes announced.
class AnnouncedLabel : public QLabel {
    Q_OBJECT
public:
    AnnouncedLabel(const QString &text, QWidget *parent) : QLabel(text, parent) {}
};

// Whether anyone listens: a screen reader, or a test's watcher.
bool announcing();
// Tells assistive tools of event when any listen.
void announce(QAccessibleEvent &event);
// Tests see every announcement here; an empty watcher ends that.
void setAnnouncementWatcher(std::function<void(const QAccessibleEvent &)> watcher);

// Installs the factory that describes the board and the announced labels.
// Safe to call more than once.
void installPlayAccessibility();

// Makes label read by assistive tools under name, in role.
void announceLabel(AnnouncedLabel &label, const QString &name, QAccessible::Role role = QAccessible::StaticText);

// Shows text on an announced label and tells assistive tools it changed.
void setAnnouncedText(AnnouncedLabel &label, const QString &text);

} // namespace tilemere
