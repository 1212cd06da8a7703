#pragma once
// The score tables and two reserved blocks, kept between runs in the user's
// settings: $XDG_CONFIG_HOME/Ostrel/Brackwater-Tilemere.conf, group "1.0".

#include <QString>

#include <array>
#include <cstdint>
#include <functional>

extern std::array<std::int16_t, 4> soundOptions; // kept and written back, never used
extern std::array<std::uint8_t, 6> solvingData;  // kept and written back, never used

// Reads every table; places without a stored name become ("Anononymous", 32767).
void loadSettings();
// Writes all 90 values. A file that is not a readable store is first moved
// aside to "<file>.bad" so its scores can still be recovered by hand.
void saveSettings();

namespace tilemere {
// Called with " Error Failerd" when the store cannot be read or written.
void setStoreErrorReporter(std::function<void(const QString &message)> reporter);
// The file the store reads and writes; it follows QSettings::setPath, which
// is how tests point the store at a folder of their own.
QString storeFilePath();
} // namespace tilemere
