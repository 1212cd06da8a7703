#!/usr/bin/env bash
# Installs into a temporary prefix and starts the installed game the way the
# menu does: by the command name on the PATH, through bin/'s link, from an
# unrelated folder (installed_game_starts in install_common.sh).
# Usage: smoke_installed.sh BUILD_DIR X_WINDOW_PROGRAM
set -euo pipefail
here="$(cd "$(dirname "$0")" && pwd)"
source "$here/install_common.sh"
source "$here/../support/x_session.sh" "$2"

prefix="$session/prefix"
stage_install "$1" "$prefix" "$session/install"
export PATH="$prefix/bin:$PATH"
installed_game_starts "$prefix" "$(desktop_exec_command "$prefix/share/applications/org.example.Tilemere.desktop")"
echo "the installed game showed its front screen with its class and icons; closing saved the store"
