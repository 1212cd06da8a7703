#!/usr/bin/env bash
# Installs what is missing, builds, and starts the game.
set -euo pipefail
source "$(dirname "$0")/scripts/common.sh"

install_missing "${BUILD_PACKAGES[@]}"
build_program brackwater-tilemere runtime_resources
if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ]; then
    cat >&2 <<MSG
There is no display to show the game on (neither DISPLAY nor WAYLAND_DISPLAY is set).
The game is built; start it from a desktop session, or on a virtual display:
    apt-get install xvfb xauth
    xvfb-run -a -s "-screen 0 1024x768x24" ./play.sh
MSG
    exit 2
fi
exec "$TILEMERE_BUILD/brackwater-tilemere/brackwater-tilemere" "$@"
