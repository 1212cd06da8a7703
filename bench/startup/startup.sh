#!/usr/bin/env bash
# The start-up benchmark: the game and a floor window under Xvfb, alternating.
#   bench/startup/startup.sh [BUILD_FOLDER] [--runs N] [--game OTHER_PROGRAM]
# BUILD_FOLDER defaults to build-bench; it is configured with the benchmarks
# if it is not there yet.
set -euo pipefail
source "$(dirname "$0")/../../scripts/common.sh"

install_missing "${BUILD_PACKAGES[@]}" libbenchmark-dev libx11-dev libxdamage-dev libxfixes-dev xvfb libjpeg-turbo-progs python3
build="$TILEMERE_ROOT/build-bench"
if [ $# -gt 0 ] && [ "${1#--}" = "$1" ]; then
    build="$(realpath -m "$1")"
    shift
fi
if [ ! -f "$build/CMakeCache.txt" ]; then
    cmake -S "$TILEMERE_ROOT" -B "$build" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DTILEMERE_BENCH=ON -DTILEMERE_TESTS=OFF
fi
targets=(startup_probe startup_floor startup_photos startup_phases)
# With --game another build is measured, so this tree's game is not needed.
[[ " $* " == *" --game "* ]] || targets+=(brackwater-tilemere)
cmake --build "$build" -j2 "${targets[@]/#/--target=}"
exec python3 "$TILEMERE_ROOT/bench/startup/startup.py" "$build" "$@"
