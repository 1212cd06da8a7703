#pragma once
// Text rules that follow the player's language: the clock in the locale's
// digits, names folded to what a Windows-1252 store can hold, and the case
// rules of type-ahead search. Pure functions over QtCore.

#include <QLocale>
#include <QString>

#include <cstdint>

namespace tilemere {

// A playing time as minutes, ":" and two-digit seconds, written in the
// locale's digits ("1:23" wherever the digits are 0-9). Minutes are not
// limited, so 3600 reads "60:00". Precondition: seconds >= 0.
QString clockText(std::int32_t seconds, const QLocale &locale = QLocale());

// A count as the locale writes its digits, without group separators, so a
// count reads the same as before in every Latin-digit locale.
QString countText(int count, const QLocale &locale = QLocale());

// The text in the nearest form Windows-1252 holds: a word whose letters 1252
// has ("Jörg") stays; in any other word every letter loses its accents by
// compatibility decomposition ("Şükrü" -> "Sukru", "İğdır" -> "Igdir",
// "ﬁ" -> "fi"); letters with no Latin form at all (Greek, Cyrillic, Han),
// emoji and control characters are dropped.
QString foldToWindows1252(const QString &text);

// Whether Windows-1252 holds every character of word as it is.
bool keptAsItIs(QStringView word);
// Every letter of word in its plain Latin form that 1252 holds, as above.
QString plainLatin(QStringView word);

// Whether name starts with typed, letter case ignored by the locale's rules:
// for Turkish "i" matches "İ" and "ı" matches "I", and not the other way.
bool startsWithFolded(const QString &name, const QString &typed, const QLocale &locale);

} // namespace tilemere
