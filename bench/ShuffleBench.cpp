// The shuffle without drawing: draws and moves per shuffle for every size.
#include "Shuffle.h"

#include <benchmark/benchmark.h>

#include <algorithm>
#include <vector>

namespace {

void BM_Shuffle(benchmark::State &state)
{
    const auto side = static_cast<std::int16_t>(state.range(0));
    std::uint32_t seed = 1;
    std::vector<double> draws, moves;
    for (auto _ : state) {
        tilemere::Board board;
        board.resetSolved(side);
        tilemere::UniformRandom random(seed++);
        const auto counts = tilemere::shuffleBoard(board, random);
        draws.push_back(static_cast<double>(counts.draws));
        moves.push_back(static_cast<double>(counts.moves));
    }
    auto median = [](std::vector<double> values) {
        std::nth_element(values.begin(), values.begin() + static_cast<long>(values.size() / 2), values.end());
        return values[values.size() / 2];
    };
    state.counters["median_draws"] = median(draws);
    state.counters["median_moves"] = median(moves);
}
BENCHMARK(BM_Shuffle)->DenseRange(3, 6)->Iterations(2000)->Unit(benchmark::kMicrosecond);

} // namespace
