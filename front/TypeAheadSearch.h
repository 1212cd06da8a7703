#pragma once
// Finding a row by typing the start of its name, as in a list: letters
// typed in quick succession make one prefix; after a pause a new one
// starts. A repeated single letter steps through the rows that start with it.

#include <QElapsedTimer>
#include <QString>

#include <functional>

class TypeAheadSearch {
public:
    // The row to highlight after text was typed, or -1 when no row's name
    // starts with what was typed. current is the highlighted row (or -1).
    int find(const QString &text, int current, int count, const std::function<QString(int)> &name);
    // Another key moved the highlight: what is typed next starts afresh.
    void reset() { typed_.clear(); }

private:
    QString typed_;
    QElapsedTimer sinceLastKey_;
};
