#include "SettingsStore.h"

#include "ScoreTables.h"
#include "StoreFile.h"
#include "StoreValues.h"

#include <QDebug>
#include <QSettings>

#include <algorithm>

std::array<std::int16_t, 4> soundOptions{};
std::array<std::uint8_t, 6> solvingData{};

namespace tilemere {

namespace {

const QString kFailureMessage = QStringLiteral(" Error Failerd");
constexpr const char *kMissingName = "Anononymous";

std::function<void(const QString &)> &errorReporter()
{
    static std::function<void(const QString &)> reporter;
    return reporter;
}

void reportFailure()
{
    if (errorReporter())
        errorReporter()(kFailureMessage);
    else
        qWarning().noquote() << "Score store:" << kFailureMessage;
}

// Fills the program's data from the store, or with the first-run defaults
// when settings is null (no usable file).
void readEverything(const QSettings *settings)
{
    using namespace store;
    if (settings) {
        if (auto bytes = readBinary(*settings, QLatin1String(kSolvingDataName), kSolvingDataSize))
            std::copy(bytes->cbegin(), bytes->cend(), solvingData.begin());
    }
    const auto sound = settings ? readBinary(*settings, QLatin1String(kSoundOptionsName),
                                             kSoundOptionsSize)
                                : std::nullopt;
    soundOptions = sound ? unpackLittleEndian<std::int16_t, 4>(*sound) : std::array<std::int16_t, 4>{1, 1, 1, 1};

    for (int scoreMode = 1; scoreMode <= 2; ++scoreMode) {
        for (int sizeIndex = 1; sizeIndex <= 4; ++sizeIndex) {
            ScoreTable &table = gScores(scoreMode, sizeIndex);
            if (settings) {
                if (auto bytes = readBinary(*settings, tableValuesName(scoreMode, sizeIndex),
                                            kTableValuesSize))
                    table.values = unpackLittleEndian<std::int32_t, 10>(*bytes);
            }
            for (int place = 1; place <= kPlaces; ++place) {
                const auto at = static_cast<std::size_t>(place - 1);
                const auto name = settings ? readPlayerName(*settings,
                                                            placeNameName(scoreMode, sizeIndex, place))
                                           : std::nullopt;
                if (name) {
                    table.names[at] = *name;
                } else {
                    // Without its name a place is treated as empty, whatever
                    // result was stored for it.
                    table.names[at] = kMissingName;
                    table.values[at] = kEmptyScore;
                }
            }
        }
    }
}

void writeEverything(QSettings &settings)
{
    using namespace store;
    const QByteArray solving(reinterpret_cast<const char *>(solvingData.data()),
                             static_cast<qsizetype>(solvingData.size()));
    settings.setValue(QLatin1String(kSolvingDataName), solving);
    settings.setValue(QLatin1String(kSoundOptionsName), packLittleEndian(soundOptions));
    for (int scoreMode = 1; scoreMode <= 2; ++scoreMode) {
        for (int sizeIndex = 1; sizeIndex <= 4; ++sizeIndex) {
            const ScoreTable &table = gScores(scoreMode, sizeIndex);
            settings.setValue(tableValuesName(scoreMode, sizeIndex), packLittleEndian(table.values));
            for (int place = 1; place <= kPlaces; ++place) {
                const auto at = static_cast<std::size_t>(place - 1);
                settings.setValue(placeNameName(scoreMode, sizeIndex, place),
                                  storedPlayerName(table.names[at]));
            }
        }
    }
}

} // namespace

void setStoreErrorReporter(std::function<void(const QString &message)> reporter)
{
    errorReporter() = std::move(reporter);
}

QString storeFilePath()
{
    return store::storeFilePath();
}

} // namespace tilemere

void loadSettings()
{
    using namespace tilemere;
    const QString path = store::storeFilePath();
    if (!store::makeStoreReachable(path)) {
        reportFailure();
        return;
    }
    // A damaged file is left alone here; the next save moves it aside.
    if (store::isDamagedStore(path)) {
        readEverything(nullptr);
        return;
    }
    QSettings settings(QLatin1String(store::kOrganisation), QLatin1String(store::kApplication));
    if (settings.status() == QSettings::AccessError) {
        reportFailure();
        return;
    }
    // Only the user's own file counts, not an organisation-wide or system
    // file that QSettings would otherwise consult for missing values.
    settings.setFallbacksEnabled(false);
    settings.beginGroup(QLatin1String(store::kGroup));
    readEverything(&settings);
}

void saveSettings()
{
    using namespace tilemere;
    const QString path = store::storeFilePath();
    if (!store::makeStoreReachable(path)) {
        reportFailure();
        return;
    }
    if (store::isDamagedStore(path) && !store::setAsideDamagedStore(path)) {
        reportFailure(); // never write over what could not be kept
        return;
    }
    QSettings settings(QLatin1String(store::kOrganisation), QLatin1String(store::kApplication));
    if (settings.status() == QSettings::AccessError) {
        reportFailure();
        return;
    }
    settings.beginGroup(QLatin1String(store::kGroup));
    writeEverything(settings);
    settings.endGroup();
    settings.sync();
    // The checks above can pass and the write still fail (the disk filled,
    // the folder changed meanwhile); that is the store not being writable.
    if (settings.status() == QSettings::AccessError)
        reportFailure();
}
