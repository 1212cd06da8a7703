#pragma once
// Helpers shared by the score window tests: a clean store per test, tables
// filled with recognisable entries, list contents, and a closer for the score
// board that the score entry opens modally.

#include "ScoreTables.h"

#include <QObject>
#include <QStringList>
#include <QTimer>

#include <cstdint>
#include <initializer_list>

class QWidget;

namespace scorewindowstest {

void setConfigHome(const QString &folder);
// Deletes the stored settings, as on a first run.
void removeStore();

// Fills table (scoreMode, side) with the given values from place 1 on, the
// remaining places empty, and names prefix + "1" .. prefix + "10".
void fillTable(int scoreMode, int side, std::initializer_list<std::int32_t> values, const std::string &prefix);

// The rows of a list named objectName inside window.
QStringList listRows(const QWidget &window, const char *objectName);
QStringList repeated(const QString &text);

// Left-clicks the child label named objectName.
void clickChild(QWidget &window, const char *objectName);

// Watches for the score board to become the modal window, remembers its
// rows, and closes it with its Close label as a player would.
class BoardCloser : public QObject {
public:
    BoardCloser();
    bool seen = false;
    QString title;
    QStringList moveNames;
    QStringList moves;
    QStringList timeNames;
    QStringList times;

private:
    void closeBoardIfShown();
    QTimer poll_;
};

} // namespace scorewindowstest
