#pragma once
// The file behind the score store: where it is, whether it can be written,
// and keeping a damaged one aside.

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

// Moves a file holding anything the store could not use out of the way, to
// "<file>.bad" (or "<file>.2.bad", ... when that exists), so a save cannot
// write over it. True when the path is free for a new file afterwards.
bool setAsideDamagedStore(const QString &path);

} // namespace tilemere::store
