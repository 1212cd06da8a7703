#include "ScoreStore.h"

#include "ScoreTables.h"
#include "StoreFile.h"
#include "StoreReader.h"
#include "StoreValues.h"

#include <QDebug>
#include <QSettings>

#include <algorithm>

namespace tilemere {

namespace {

const QString kFailureMessage = QStringLiteral(" Error Failerd");
constexpr const char *kMissingName = "Anononymous";

struct Contents {
    ScoreTables tables;
    std::array<std::int16_t, 4> soundOptions{1, 1, 1, 1};
    std::array<std::uint8_t, 6> solvingData{};
    bool complete = true; // every value present in the file was used
};

// A result no game can give: counters are 16-bit and never negative.
bool isPossibleResult(std::int32_t value)
{
    return value >= 0 && value <= kEmptyScore;
}

Contents readContents(const store::StoreText &text)
{
    using namespace store;
    Contents contents;
    contents.complete = !text.flawed;
    const auto value = [&](const QString &name) { return text.values.value(name); };
    const auto unused = [&](const QString &name) {
        if (value(name).kind != RawValue::Kind::Missing)
            contents.complete = false;
    };

    const QString solvingName = QLatin1String(kSolvingDataName);
    if (auto bytes = binaryOf(value(solvingName), kSolvingDataSize))
        std::copy(bytes->cbegin(), bytes->cend(), contents.solvingData.begin());
    else
        unused(solvingName);
    const QString soundName = QLatin1String(kSoundOptionsName);
    if (auto bytes = binaryOf(value(soundName), kSoundOptionsSize))
        contents.soundOptions = unpackLittleEndian<std::int16_t, 4>(*bytes);
    else
        unused(soundName);

    for (ScoreMode scoreMode : kScoreModes) {
        for (int sizeIndex = 1; sizeIndex <= 4; ++sizeIndex) {
            ScoreTable &table = contents.tables(scoreMode, sizeIndex);
            const QString valuesName = tableValuesName(scoreMode, sizeIndex);
            const auto bytes = binaryOf(value(valuesName), kTableValuesSize);
            if (bytes)
                table.values = unpackLittleEndian<std::int32_t, kPlaces>(*bytes);
            else
                unused(valuesName);
            for (int place = 1; place <= kPlaces; ++place) {
                const auto at = static_cast<std::size_t>(place - 1);
                const QString nameName = placeNameName(scoreMode, sizeIndex, place);
                // Names belong to results: without the results, no names.
                const auto name = bytes ? playerNameOf(value(nameName)) : std::nullopt;
                if (!name)
                    unused(nameName);
                table.names[at] = name.value_or(kMissingName);
                if (!bytes || !isPossibleResult(table.values[at])) {
                    if (bytes)
                        contents.complete = false;
                    table.values[at] = kEmptyScore;
                    table.names[at] = kMissingName;
                }
            }
        }
    }
    return contents;
}

void writeContents(QSettings &settings, const Contents &contents)
{
    using namespace store;
    const QByteArray solving(reinterpret_cast<const char *>(contents.solvingData.data()),
                             static_cast<qsizetype>(contents.solvingData.size()));
    settings.setValue(QLatin1String(kSolvingDataName), solving);
    settings.setValue(QLatin1String(kSoundOptionsName), packLittleEndian(contents.soundOptions));
    for (ScoreMode scoreMode : kScoreModes) {
        for (int sizeIndex = 1; sizeIndex <= 4; ++sizeIndex) {
            const ScoreTable &table = contents.tables(scoreMode, sizeIndex);
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

ScoreStore::ScoreStore(FailureReporter reportFailure)
    : reportFailure_(std::move(reportFailure))
{
}

QString ScoreStore::filePath()
{
    return store::storeFilePath();
}

void ScoreStore::reportFailure() const
{
    if (reportFailure_)
        reportFailure_(kFailureMessage);
    else
        qWarning().noquote() << "Score store:" << kFailureMessage;
}

void ScoreStore::load(ScoreTables &tables)
{
    const QString path = filePath();
    const auto text = store::readStoreText(path);
    loadFailed_ = !text;
    if (loadFailed_) {
        reportFailure();
        return;
    }
    const Contents contents = readContents(*text);
    known_ = text->stamp;
    knownComplete_ = contents.complete;
    tables = contents.tables;
    soundOptions_ = contents.soundOptions;
    solvingData_ = contents.solvingData;
    // Read, but nothing won in this run could be kept.
    if (!store::makeStoreReachable(path))
        reportFailure();
}

void ScoreStore::save(const ScoreTables &tables)
{
    const QString path = filePath();
    // After a failed load the tables hold nothing of the file's scores.
    if (loadFailed_ || !store::makeStoreReachable(path)) {
        reportFailure();
        return;
    }
    // Judged again when the file changed since it was last read or written
    // (another copy of the game saved meanwhile, or the player replaced it).
    const auto stamp = store::stampOf(path);
    bool complete = knownComplete_;
    if (!stamp || stamp != known_) {
        const auto onDisk = store::readStoreText(path);
        if (!onDisk) {
            reportFailure();
            return;
        }
        complete = readContents(*onDisk).complete;
    }
    if (!complete && !store::setAsideDamagedStore(path)) {
        reportFailure(); // never write over what could not be kept
        return;
    }
    QSettings settings(QLatin1String(store::kOrganisation), QLatin1String(store::kApplication));
    if (settings.status() == QSettings::AccessError) {
        reportFailure();
        return;
    }
    settings.beginGroup(QLatin1String(store::kGroup));
    writeContents(settings, {tables, soundOptions_, solvingData_, true});
    settings.endGroup();
    settings.sync();
    // The checks above can pass and the write still fail (the disk filled,
    // the folder changed meanwhile); that is the store not being writable.
    if (settings.status() == QSettings::AccessError) {
        reportFailure();
        known_.reset();
        return;
    }
    known_ = store::stampOf(path);
    knownComplete_ = true;
}

} // namespace tilemere
