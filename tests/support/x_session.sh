# Sourced by the tests that start the real program on an X server: a virtual
# screen of 1024 x 768 with a window manager on a free display, a home of the
# test's own, and helpers to start the program and wait on its windows.
# Everything started here ends with the test. Skips (77) without Xvfb,
# openbox or the x_window tool.
# Usage: source x_session.sh X_WINDOW_PROGRAM
x_window="$(realpath "$1")"
for tool in Xvfb openbox "$x_window"; do
    command -v "$tool" > /dev/null || { echo "SKIP: $tool is not installed"; exit 77; }
done
session="$(mktemp -d)"
session_pids=()
program_pid=""
end_session() {
    local pid
    for pid in $program_pid "${session_pids[@]}"; do kill "$pid" 2> /dev/null || true; done
    wait
    rm -rf "$session"
}
trap end_session EXIT

fail() {
    echo "FAIL: $*" >&2
    [ ! -s "$session/program.log" ] || { echo "--- program output" >&2; cat "$session/program.log" >&2; }
    exit 1
}

# wait_until SECONDS COMMAND...: polls COMMAND until it succeeds, for up to
# SECONDS (whole seconds).
wait_until() {
    local deadline=$((${EPOCHREALTIME/[.,]/} + $1 * 1000000))
    shift
    until "$@"; do
        [ "${EPOCHREALTIME/[.,]/}" -le "$deadline" ] || return 1
        sleep 0.05
    done
}

export HOME="$session/home" XDG_CONFIG_HOME="$session/home/.config" XDG_CACHE_HOME="$session/home/.cache"
export XDG_RUNTIME_DIR="$session/run" QT_QPA_PLATFORM=xcb
unset WAYLAND_DISPLAY
mkdir -p "$HOME" "$XDG_RUNTIME_DIR" && chmod 700 "$XDG_RUNTIME_DIR"
# The server picks a free display and writes its number once it listens.
Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp 3> "$session/display" 2> "$session/xvfb.log" &
session_pids+=($!)
wait_until 30 grep -qs . "$session/display" || { cat "$session/xvfb.log" >&2; fail "Xvfb did not start"; }
export DISPLAY=":$(cat "$session/display")"
openbox --sm-disable > "$session/openbox.log" 2>&1 &
session_pids+=($!)
wait_until 30 "$x_window" wm || { cat "$session/openbox.log" >&2; fail "openbox did not start"; }

title="Brackwater-Tilemere"
store="$XDG_CONFIG_HOME/Ostrel/Brackwater-Tilemere.conf"

# start_program COMMAND...: starts the game in the background.
start_program() {
    "$@" > "$session/program.log" 2>&1 &
    program_pid=$!
}
program_ended() { ! kill -0 "$program_pid" 2> /dev/null; }
# Its status, once it has ended.
program_status() {
    local status=0
    wait "$program_pid" || status=$?
    program_pid=""
    return "$status"
}

# window_appears [OTHER_THAN_ID]: waits for a window titled as the game's,
# other than the one given, and sets window to "id width height x y".
window_appears() {
    window=""
    wait_until 30 find_window "${1:-none}" || fail "no window titled $title appeared"
}
find_window() {
    window="$("$x_window" find "$title" | grep -v "^$1 " | head -n 1)"
    [ -n "$window" ]
}

# front_screen_appears: waits for the front screen, sets front to its id and
# waits for its thumbnails (nine pictures give thousands of colours, the
# bare picture panel a few hundred at most).
front_screen_appears() {
    window_appears
    read -r front width height _ <<< "$window"
    [ "$width $height" = "749 483" ] ||
        fail "a ${width}x$height window came up instead of the front screen (a start-up message?)"
    wait_until 30 thumbnails_shown || fail "the picture panel shows $colours colours: no thumbnails"
}
thumbnails_shown() {
    read -r colours _ <<< "$("$x_window" grab "$front" 272 16 449 417)"
    [ "$colours" -ge 2000 ]
}

# closes_within SECONDS ID: asks the window to close, as its close button
# does; the program must then end, successfully, within SECONDS.
closes_within() {
    "$x_window" close "$2" || fail "could not ask window $2 to close"
    wait_until "$1" program_ended || fail "the program did not end within $1 s of the close request"
    program_status || fail "the program ended with status $?"
}
