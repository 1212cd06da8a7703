#!/usr/bin/env bash
# Installs into a temporary prefix and starts the installed game the way the
# menu does: by the command name on the PATH, through bin/'s link, from an
# unrelated folder. Its front screen must show the installed pictures and
# carry the icon and window class the menu entry expects, and closing it
# must save the store.
# Usage: smoke_installed.sh BUILD_DIR X_WINDOW_PROGRAM
set -euo pipefail
here="$(cd "$(dirname "$0")" && pwd)"
source "$here/install_common.sh"
source "$here/../support/x_session.sh" "$2"

prefix="$session/prefix"
stage_install "$1" "$prefix" "$session/install"
entry="$prefix/share/applications/org.example.Tilemere.desktop"
export PATH="$prefix/bin:$PATH"
mkdir "$session/elsewhere" && cd "$session/elsewhere"
start_program "$(desktop_exec_command "$entry")"
front_screen_appears

# Without a matching window class the desktop cannot tie the window to its
# menu entry and shows a generic icon in the task bar.
wanted_class="$(desktop_key "$entry" StartupWMClass)"
"$x_window" class "$front" | grep -qxF "$wanted_class" ||
    fail "the window's class is $("$x_window" class "$front" | tr '\n' ' '), the menu entry expects $wanted_class"
# The window carries the game's icon in every installed size up to 128
# pixels (larger ones serve launchers only). It is set once the window is
# drawn, so it may come a moment after the window.
wanted_sizes=()
for icon in "$prefix"/share/icons/hicolor/*/apps/*.png; do
    size="$(basename "$(dirname "$(dirname "$icon")")")"
    [ "${size%%x*}" -gt 128 ] || wanted_sizes+=("$size")
done
for _ in $(seq 50); do
    window_icons="$("$x_window" icons "$front" || true)"
    missing=()
    for size in "${wanted_sizes[@]}"; do
        grep -qxF "$size" <<< "$window_icons" || missing+=("$size")
    done
    [ ${#missing[@]} -eq 0 ] && break
    sleep 0.1
done
[ ${#missing[@]} -eq 0 ] || fail "the window has no ${missing[*]} icon (it has: $(echo $window_icons))"

[ ! -e "$store" ] || fail "the store existed before the window was closed"
closes_within 30 "$front"
[ -s "$store" ] || fail "closing the front screen did not save the store at $store"
echo "the installed game showed its front screen ($colours colours of thumbnails); closing saved the store"
