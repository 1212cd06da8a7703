#pragma once
// Names are kept in the Windows "ANSI" code page 1252, so a score file moved
// between this program and its older Windows releases reads the same, and the
// 25-byte name limit counts the same bytes. This module alone knows the code
// page; Qt's codec for it keeps the store byte-exact (every byte reads back as
// itself), so no table of our own is needed.

#include <QByteArray>
#include <QString>

namespace tilemere {

// Characters 1252 cannot represent become "?", one per character.
QByteArray toWindows1252(const QString &text);
// Every byte has a character: the five bytes 1252 leaves unassigned come back
// as the control characters of the same number, as Windows does.
QString fromWindows1252(const QByteArray &bytes);

} // namespace tilemere
