#pragma once
// File names as the disk holds them: bytes, nearly always UTF-8. Old
// archives, cameras and other systems wrote names in Latin-1 too, and those
// must still be listed readably and opened. Such a name is shown with each
// byte as its Latin-1 letter ("pic\xe9.jpg" as "picé.jpg"), and a path built
// from names shown this way finds its file again.

#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <QStringList>

#include <functional>

namespace tilemere {

// The name as it is shown: the bytes as UTF-8 where they are valid UTF-8,
// otherwise each byte as its Latin-1 letter.
QString nameFromDisk(QByteArrayView bytes);

// The bytes to hand the system for a path whose names came from
// nameFromDisk (or were typed): its UTF-8 form, unless a name in it exists
// on disk only in its Latin-1 form. Where both forms of one name exist, the
// UTF-8 one is meant. Touches the disk only for paths holding letters
// U+0080..U+00FF, and then with one lstat per such name.
QByteArray pathToDisk(const QString &path);

enum class EntryType { File, Folder };

// The names (as nameFromDisk gives them) of the entries of folder that are
// of type, hidden ones left out, links followed. Most file systems give an
// entry's type with its name, so only links and entries of unknown type
// cost a stat, and nothing is ever opened (a pipe named like a picture is
// left out unseen). keep, when given, sees a name's bytes first and may
// pass it over before any stat. Returns early, with what it has, once
// stopped() answers true. An unreadable folder has no entries.
QStringList readFolder(const QString &folder, EntryType type, const std::function<bool(const char *)> &keep = {},
                       const std::function<bool()> &stopped = {});

} // namespace tilemere
