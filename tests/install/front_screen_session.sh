#!/usr/bin/env bash
# Runs on the virtual display: starts the installed game, waits for its front
# screen, checks it shows thumbnails of the installed pictures and carries
# the icon and window class the menu entry expects, then closes it as a
# window manager would and checks that closing saved the store.
# Usage: front_screen_session.sh PREFIX CLOSE_WINDOW_PROGRAM WORK_DIR
set -euo pipefail
prefix="$1"
close_window="$2"
work="$3"
source "$(dirname "$0")/install_common.sh"
entry="$prefix/share/applications/org.example.Tilemere.desktop"
store="$XDG_CONFIG_HOME/Ostrel/Brackwater-Tilemere.conf"
title="Brackwater-Tilemere"
# The front screen's client area, and its picture panel within it.
window_size="749x483"
panel_left=272 panel_top=16 panel_size="449x417"
# Nine photographs give thousands of colours; the bare panel with its
# "no pictures" label gives a few dozen.
least_thumbnail_colours=2000

"$(desktop_exec_command "$entry")" > "$work/program.log" 2>&1 &
pid=$!
trap 'kill "$pid" 2>/dev/null || true' EXIT

running() { kill -0 "$pid" 2>/dev/null; }

# Prints the id and geometry of each mapped top-level window with our title.
shown_windows() {
    xwininfo -root -children 2>/dev/null |
        sed -n "s/^ *\(0x[0-9a-f]*\) \"$title\": ([^)]*) *\([0-9]*x[0-9]*\)+\([0-9-]*\)+\([0-9-]*\).*/\1 \2 \3 \4/p" |
        while read -r id size x y; do
            if xwininfo -id "$id" | grep -q 'Map State: IsViewable'; then
                echo "$id $size $x $y"
            fi
        done
}

window=""
for _ in $(seq 1 600); do
    running || fail "the program ended before showing a window"
    window="$(shown_windows | head -n 1)"
    [ -z "$window" ] || break
    sleep 0.1
done
[ -n "$window" ] || fail "no window titled $title appeared"
read -r id size x y <<< "$window"
if [ "$size" != "$window_size" ]; then
    import -window root "$work/screen.png"
    fail "a $size window came up instead of the $window_size front screen" \
        "(a start-up message such as \"Setup folder was missing.\"?)"
fi

# The thumbnails are drawn after the window maps; wait until they are there.
colours=0
for _ in $(seq 1 60); do
    import -window root "$work/screen.png"
    colours="$(convert "$work/screen.png" -crop "$panel_size+$((x + panel_left))+$((y + panel_top))" \
        +repage -format '%k' info:)"
    [ "$colours" -lt "$least_thumbnail_colours" ] || break
    sleep 0.5
done
[ "$colours" -ge "$least_thumbnail_colours" ] ||
    fail "the picture panel shows $colours colours: no thumbnails from the installed Puzzleimages"

# Without a matching window class the desktop cannot tie the window to its
# menu entry and shows a generic icon in the task bar.
wm_class="$(xprop -id "$id" WM_CLASS)"
wanted_class="$(desktop_key "$entry" StartupWMClass)"
grep -qF "\"$wanted_class\"" <<< "$wm_class" ||
    fail "the window's class is $wm_class, the menu entry expects \"$wanted_class\""
# The window carries the game's icon in every size that was installed
# (xprop reads only the first 64 KiB of a property unless told otherwise).
window_icons="$(xprop -len 4000000 -id "$id" _NET_WM_ICON | grep -o 'Icon ([0-9]* x [0-9]*)' || true)"
for icon in "$prefix"/share/icons/hicolor/*/apps/*.png; do
    side="$(basename "$(dirname "$(dirname "$icon")")")"
    side="${side%%x*}"
    grep -qF "Icon ($side x $side)" <<< "$window_icons" || fail "the window has no ${side}px icon"
done

[ ! -e "$store" ] || fail "the store existed before the window was closed"
"$close_window" "$id" || fail "could not ask the front screen to close"
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
