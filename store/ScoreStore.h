#pragma once
// The score tables and two reserved blocks, kept between runs in the user's
// settings: $XDG_CONFIG_HOME/Ostrel/Brackwater-Tilemere.conf, group "1.0".

#include "StoreReader.h"

#include <QString>

#include <array>
#include <cstdint>
#include <functional>
#include <optional>

namespace tilemere {

class ScoreTables;

class ScoreStore {
public:
    using FailureReporter = std::function<void(const QString &message)>;
    // reportFailure gets " Error Failerd" each time the store cannot be read
    // or written; without one the message goes to the log.
    explicit ScoreStore(FailureReporter reportFailure = {});

    // Fills every table from the file; at start-up. A value that cannot be
    // used gets its first-run default: a table without usable results has
    // empty places (32767, "Anononymous"), a result without a usable name
    // keeps its place under "Anononymous". A file that exists but cannot be
    // read leaves the tables as they are and makes the load a failed one.
    // A file that can be read but not written is read, and reported.
    void load(ScoreTables &tables);
    // Writes all 90 values: after Ok, after Clear Scores, at close. Writes
    // nothing after a failed load, so scores that could not be read are never
    // replaced; reports instead. A file holding anything that load could not
    // use is first moved aside to "<file>.bad" (or "<file>.2.bad", ...).
    void save(const ScoreTables &tables);

    // The last load found a file it could not read.
    bool loadFailed() const { return loadFailed_; }

    // The file the store reads and writes; it follows QSettings::setPath,
    // which is how tests point the store at a folder of their own.
    static QString filePath();

private:
    void reportFailure() const;

    FailureReporter reportFailure_;
    bool loadFailed_ = false;
    // The file as last read or written, and whether all of it could be used:
    // a save reads the file again only when it has changed since.
    std::optional<store::FileStamp> known_;
    bool knownComplete_ = true;
    // Kept and written back; nothing in the program uses them.
    std::array<std::int16_t, 4> soundOptions_{1, 1, 1, 1};
    std::array<std::uint8_t, 6> solvingData_{};
};

} // namespace tilemere
