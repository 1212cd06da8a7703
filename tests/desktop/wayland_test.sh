#!/usr/bin/env bash
# The built program as a native Wayland client, on a headless compositor with
# no X server anywhere: it picks Wayland by itself, its front screen and its
# thumbnails are drawn, Enter on a thumbnail starts a game whose board is
# drawn, an arrow key moves a tile, and a close from the compositor ends the
# program with status 0 (after saving the store, from the front screen).
# Without any display the program says so and fails, rather than aborting.
# Skips (77) only when the compositor or its tools are missing or the
# compositor cannot start here.
# Usage: wayland_test.sh PROGRAM
set -euo pipefail
program="$(realpath "$1")"
probe="$(dirname "$(realpath "$0")")/../support/wl_probe.py"
for tool in sway swaymsg grim wtype python3; do
    command -v "$tool" > /dev/null || { echo "SKIP: $tool is not installed"; exit 77; }
done
unset DISPLAY WAYLAND_DISPLAY QT_QPA_PLATFORM XDG_SESSION_TYPE
source "$(dirname "$0")/../support/session.sh"
list_windows() { python3 "$probe" find "$1"; }
grab() {
    local left top
    read -r _ _ _ left top <<< "$(list_windows "$title" | grep "^$1 ")"
    grim -t ppm -g "$((left + $2)),$((top + $3)) $4x$5" "$session/shot.ppm" && python3 "$probe" grab "$session/shot.ppm"
}
close_window() { swaymsg "[con_id=$1] kill" > /dev/null; }

# No display at all: a plain word and a failure status, not an abort.
status=0
"$program" > "$session/program.log" 2>&1 || status=$?
[ "$status" -eq 1 ] || fail "without a display the program ended with status $status, not 1"
grep -q "no display" "$session/program.log" || fail "without a display the program did not say so"

# The compositor refuses to run as root, so root starts it as nobody; the
# program and the tools stay root, who may use its socket. It has a runtime
# folder of its own, and the program is given its socket by path.
cat > "$session/sway.conf" << 'CONFIG'
output HEADLESS-1 resolution 1024x768 position 0 0
xwayland disable
default_border none
default_floating_border none
focus_follows_mouse no
CONFIG
compositor_run="$session/compositor-run"
mkdir -m 700 "$compositor_run"
as_compositor=()
if [ "$(id -u)" -eq 0 ]; then
    chown nobody "$compositor_run" "$session/sway.conf"
    as_compositor=(runuser -u nobody --)
fi
"${as_compositor[@]}" env HOME="$session" XDG_RUNTIME_DIR="$compositor_run" WLR_BACKENDS=headless \
    WLR_RENDERER=pixman WLR_LIBINPUT_NO_DEVICES=1 sway -c "$session/sway.conf" > "$session/sway.log" 2>&1 &
session_pids+=($!)
compositor_listens() {
    SWAYSOCK="$(ls "$compositor_run"/sway-ipc.*.sock 2> /dev/null | head -n 1)"
    WAYLAND_DISPLAY="$(ls "$compositor_run"/wayland-? 2> /dev/null | head -n 1)"
    [ -n "$SWAYSOCK" ] && [ -n "$WAYLAND_DISPLAY" ] && SWAYSOCK="$SWAYSOCK" swaymsg -t get_outputs > /dev/null 2>&1
}
wait_until 30 compositor_listens || { cat "$session/sway.log"; echo "SKIP: the compositor did not start"; exit 77; }
export SWAYSOCK WAYLAND_DISPLAY

start_program "$program"
front_screen_appears
swaymsg -t get_tree | grep -q '"shell": "xdg_shell"' || fail "the window is not a native Wayland client"
[ ! -e "$store" ] || fail "the store existed before the front screen was closed"
closes_within 10 "$front"
[ -s "$store" ] || fail "closing the front screen did not save the store at $store"

start_program "$program"
front_screen_appears
# The seat has a keyboard only while wtype runs, and a key sent before the
# program has bound the new keyboard is lost: each run waits first. Tab goes
# on from the folder list to the thumbnails, where Enter starts a game;
# should the focus start elsewhere, the next Tab and Enter try again.
keys() { wtype -s 300 "$@" -s 200; }
for _ in 1 2 3 4 5 6; do
    keys -k Tab -s 150 -k Return
    ! wait_until 2 find_window "$front" || break
done
window_appears "$front"
play="$id"
[ "$width $height" = "749 483" ] || fail "a ${width}x$height window came up instead of the play screen"
wait_until 10 board_drawn || fail "the board stayed black"
sleep 0.5 # the shuffle's last drawing
board_drawn
shuffled="$board"
board_changed() { board_drawn && [ "$board" != "$shuffled" ]; }
# Of Left and Right one always has a tile beside the hole to move.
moved=false
for key in Left Right Left Right; do
    keys -k "$key"
    ! wait_until 1 board_changed || { moved=true; break; }
done
$moved || fail "neither Left nor Right moved a tile"
closes_within 10 "$play"
echo "native on Wayland: front screen and thumbnails drawn, a game started by keys, a tile moved, closed with status 0"
