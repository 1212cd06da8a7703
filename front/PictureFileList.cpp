#include "PictureFileList.h"

#include "Game.h"
#include "PictureLoader.h"

#include <algorithm>

// Natural order: runs of digits compare by their value ("2" before "10"),
// everything else letter by letter without regard to case. QCollator's
// numeric mode would do this, but not where Qt is built without ICU, and
// where it is, the first collator of a run loads ICU's tables (11 ms).
int naturalCompare(const QString &a, const QString &b)
{
    qsizetype i = 0;
    qsizetype j = 0;
    while (i < a.size() && j < b.size()) {
        if (a[i].isDigit() && b[j].isDigit()) {
            qsizetype endA = i;
            qsizetype endB = j;
            while (endA < a.size() && a[endA].isDigit())
                ++endA;
            while (endB < b.size() && b[endB].isDigit())
                ++endB;
            // Leading zeros carry no value; then the longer number is larger.
            qsizetype startA = i;
            qsizetype startB = j;
            while (startA + 1 < endA && a[startA] == QLatin1Char('0'))
                ++startA;
            while (startB + 1 < endB && b[startB] == QLatin1Char('0'))
                ++startB;
            const qsizetype lengthA = endA - startA;
            const qsizetype lengthB = endB - startB;
            if (lengthA != lengthB)
                return lengthA < lengthB ? -1 : 1;
            const int digits = QStringView(a).sliced(startA, lengthA).compare(QStringView(b).sliced(startB, lengthB));
            if (digits != 0)
                return digits;
            i = endA;
            j = endB;
            continue;
        }
        const int letter = QStringView(a).sliced(i, 1).compare(QStringView(b).sliced(j, 1), Qt::CaseInsensitive);
        if (letter != 0)
            return letter;
        ++i;
        ++j;
    }
    if (i < a.size() || j < b.size())
        return i < a.size() ? 1 : -1;
    // Equal but for case or leading zeros: still a fixed order.
    return a.compare(b);
}

PictureFileList PictureFileList::read(const QString &folder, const std::function<bool()> &stopped)
{
    PictureFileList list(folder);
    list.names_ = tilemere::listPictureFiles(folder, stopped);
    if (stopped && stopped())
        return list;
    // Beyond 32767 names the 16-bit counts would turn negative and the
    // browser would claim the folder is empty; the rest are simply not
    // offered. Only the names offered need their order: the first of a huge
    // folder are picked out before they are sorted.
    const auto before = [](const QString &a, const QString &b) { return naturalCompare(a, b) < 0; };
    if (list.names_.size() > tilemere::kCounterLimit) {
        std::nth_element(list.names_.begin(), list.names_.begin() + tilemere::kCounterLimit, list.names_.end(), before);
        list.names_.resize(tilemere::kCounterLimit);
    }
    std::sort(list.names_.begin(), list.names_.end(), before);
    return list;
}

QString PictureFileList::fullPath(int index) const
{
    // The root folder already ends in "/"; don't double it.
    if (path_.endsWith(QLatin1Char('/')))
        return path_ + names_.at(index);
    return path_ + QLatin1Char('/') + names_.at(index);
}
