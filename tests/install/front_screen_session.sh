#!/usr/bin/env bash
# Runs on the virtual display: starts the installed game, waits for its front
# screen, checks it shows thumbnails of the installed pictures and carries
# the icon and window class the menu entry expects, then closes it as a
# window manager would and checks that closing saved the store.
# Usage: front_screen_session.sh PREFIX X_WINDOW_PROGRAM WORK_DIR
set -euo pipefail
prefix="$1"
x_window="$2"
work="$3"
source "$(dirname "$0")/install_common.sh"
# Tells the caller that the X server came up and the test itself ran.
touch "$work/session-started"
entry="$prefix/share/applications/org.example.Tilemere.desktop"
store="$XDG_CONFIG_HOME/Ostrel/Brackwater-Tilemere.conf"
title="Brackwater-Tilemere"
# The front screen's client area, and its picture panel within it.
window_size="749 483"
picture_panel="272 16 449 417"
# Nine pictures give thousands of colours; the bare panel with its
# "no pictures" label gives a few hundred at most.
least_thumbnail_colours=2000

"$(desktop_exec_command "$entry")" > "$work/program.log" 2>&1 &
pid=$!
trap 'kill "$pid" 2>/dev/null || true' EXIT
running() { kill -0 "$pid" 2>/dev/null; }
screenshot() {
    if command -v import > /dev/null; then
        import -window root "$work/screen.png" && echo "screen saved as $work/screen.png" >&2
    fi
}

window=""
for _ in $(seq 1 600); do
    running || fail "the program ended before showing a window"
    found=0
    window="$("$x_window" find "$title")" || found=$?
    [ "$found" -ne 2 ] || fail "could not look for windows with $x_window"
    [ -z "$window" ] || break
    sleep 0.1
done
[ -n "$window" ] || fail "no window titled $title appeared"
read -r id width height _ <<< "$(head -n 1 <<< "$window")"
if [ "$width $height" != "$window_size" ]; then
    screenshot
    fail "a ${width}x$height window came up instead of the front screen" \
        "(a start-up message such as \"Setup folder was missing.\"?)"
fi

# The thumbnails are drawn after the window maps; wait until they are there.
colours=0
for _ in $(seq 1 60); do
    # shellcheck disable=SC2086 # the rectangle is four numbers
    colours="$("$x_window" colours "$id" $picture_panel)"
    [ "$colours" -lt "$least_thumbnail_colours" ] || break
    sleep 0.5
done
if [ "$colours" -lt "$least_thumbnail_colours" ]; then
    screenshot
    fail "the picture panel shows $colours colours: no thumbnails from the installed Puzzleimages"
fi

# Without a matching window class the desktop cannot tie the window to its
# menu entry and shows a generic icon in the task bar.
wanted_class="$(desktop_key "$entry" StartupWMClass)"
"$x_window" class "$id" | grep -qxF "$wanted_class" ||
    fail "the window's class is $("$x_window" class "$id" | tr '\n' ' '), the menu entry expects $wanted_class"
# The window carries the game's icon in every size that was installed.
window_icons="$("$x_window" icons "$id" || true)"
for icon in "$prefix"/share/icons/hicolor/*/apps/*.png; do
    size="$(basename "$(dirname "$(dirname "$icon")")")"
    grep -qxF "$size" <<< "$window_icons" || fail "the window has no $size icon"
done

[ ! -e "$store" ] || fail "the store existed before the window was closed"
"$x_window" close "$id" || fail "could not ask the front screen to close"
for _ in $(seq 1 300); do
    running || break
    sleep 0.1
done
running && fail "the program did not end after its front screen was closed"
trap - EXIT
status=0
wait "$pid" || status=$?
[ "$status" -eq 0 ] || fail "the program ended with status $status"
[ -s "$store" ] || fail "closing the front screen did not save the store at $store"
echo "front screen shown from the installed tree ($colours colours of thumbnails); closing saved the store"
