#include "TypeAheadSearch.h"

#include <QApplication>

int TypeAheadSearch::find(const QString &text, int current, int count, const std::function<QString(int)> &name)
{
    if (text.isEmpty() || count <= 0)
        return -1;
    if (!sinceLastKey_.isValid() || sinceLastKey_.elapsed() > QApplication::keyboardInputInterval())
        typed_.clear();
    sinceLastKey_.start();
    typed_ += text;

    // A new search, or the same letter again, looks from the next row on;
    // a longer prefix may still be the highlighted row.
    const bool sameLetter = typed_.size() > 1 && typed_.count(typed_.front()) == typed_.size();
    const QString prefix = sameLetter ? typed_.left(1) : typed_;
    const int from = (typed_.size() == 1 || sameLetter) ? current + 1 : std::max(current, 0);
    for (int k = 0; k < count; ++k) {
        const int row = ((from + k) % count + count) % count;
        if (name(row).startsWith(prefix, Qt::CaseInsensitive))
            return row;
    }
    return -1;
}
