#pragma once
// The score tables together with the store that keeps them between runs.
// main creates the one book of a run and hands it to the windows.

#include "ScoreStore.h"
#include "ScoreTables.h"

#include <utility>

namespace tilemere {

struct ScoreBook {
    explicit ScoreBook(ScoreStore::FailureReporter reportFailure = {}) : store(std::move(reportFailure)) {}

    void load() { store.load(tables); }
    void save() { store.save(tables); }

    ScoreTables tables;
    ScoreStore store;
};

} // namespace tilemere
