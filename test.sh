#!/usr/bin/env bash
# Installs what is missing, builds, and runs every test.
set -euo pipefail
source "$(dirname "$0")/scripts/common.sh"

install_missing "${BUILD_PACKAGES[@]}" libx11-dev xvfb xauth python3 pulseaudio pulseaudio-utils sox \
    desktop-file-utils appstream
build_program
cd "$TILEMERE_BUILD"
# Window tests draw offscreen; the few that start the real program get an X
# server of their own from xvfb-run inside the test.
QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j2 "$@"
