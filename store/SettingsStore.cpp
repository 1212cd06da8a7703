#include "SettingsStore.h"

// Placeholder until the store is written.
std::array<std::int16_t, 4> soundOptions{};
std::array<std::uint8_t, 6> solvingData{};

void loadSettings() {}
void saveSettings() {}

namespace tilemere {
void setStoreErrorReporter(std::function<void(const QString &)>) {}
} // namespace tilemere
