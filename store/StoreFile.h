#pragma once
// The file behind the score store and the checks made on it before QSettings
// is let near it: QSettings neither reports a damaged file nor keeps it, it
// reads what it can and writes the rest away on the next save.

#include <QString>

namespace tilemere::store {

inline constexpr const char *kOrganisation = "Ostrel";
// The application title; written out because the store must not depend on
// the windowing code that sets the title.
inline constexpr const char *kApplication = "Brackwater-Tilemere";

// Where QSettings keeps the store for the current user.
QString storeFilePath();

// Creates the store's folder when it is missing. False when the folder cannot
// be created or written, or the file exists and cannot be read and written.
bool makeStoreReachable(const QString &path);

// True for a file QSettings would misread: bytes that are not text, lines
// that are neither "key=value", "[group]", comment nor blank, or values that
// include none of the store's own. A missing or blank file is not damaged.
bool isDamagedStore(const QString &path);

// Moves a damaged file out of the way to "<file>.bad" (or "<file>.2.bad", ...
// when that exists) so a save cannot write over it. True when the path is
// free for a new file afterwards.
bool setAsideDamagedStore(const QString &path);

} // namespace tilemere::store
