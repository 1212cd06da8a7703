# Sourced by the tests that start the real program on a display of their
# own (x_session.sh for X, the Wayland test): a home of the test's own, and
# helpers to start the program and wait on its windows. Everything started
# here ends with the test. The display's script defines
#   list_windows TITLE    one line "id width height x y" per visible window so titled
#   grab ID X Y W H       "colours hash" of that rectangle of the window
#   close_window ID       asks the window to close, as its close button does
session="$(mktemp -d)"
chmod 755 "$session" # a compositor run as another user reads its files here
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
export XDG_RUNTIME_DIR="$session/run"
mkdir -p "$HOME" "$XDG_RUNTIME_DIR" && chmod 700 "$XDG_RUNTIME_DIR"
title="Brackwater-Tilemere"
store="$XDG_CONFIG_HOME/Ostrel/Brackwater-Tilemere.conf"

# start_program COMMAND...: starts the game in the background.
start_program() {
    "$@" > "$session/program.log" 2>&1 &
    program_pid=$!
}
program_ended() { ! kill -0 "$program_pid" 2> /dev/null; }

# window_appears [OTHER_THAN_ID]: waits for a window titled as the game's,
# other than the one given, and sets window to "id width height x y" and
# id, width, height, x and y to its parts.
window_appears() {
    window=""
    wait_until 30 find_window "${1:-none}" || fail "no window titled $title appeared${1:+ besides $1}"
    read -r id width height x y <<< "$window"
}
find_window() {
    window="$(list_windows "$title" | grep -v "^$1 " | head -n 1)"
    [ -n "$window" ]
}

# front_screen_appears: waits for the front screen, sets front to its id and
# waits for its thumbnails (nine pictures give thousands of colours, the
# bare picture panel a few hundred at most).
front_screen_appears() {
    window_appears
    front="$id"
    [ "$width $height" = "749 483" ] ||
        fail "a ${width}x$height window came up instead of the front screen (a start-up message?)"
    wait_until 30 thumbnails_shown || fail "the picture panel shows $colours colours: no thumbnails"
}
thumbnails_shown() {
    read -r colours _ <<< "$(grab "$front" 272 16 449 417)"
    [ "$colours" -ge 2000 ]
}
# board_drawn: true once the board of the play screen $play shows more than
# one colour; sets board to its "colours hash".
board_drawn() {
    board="$(grab "$play" 264 16 400 400)"
    [ "${board%% *}" -gt 1 ]
}

# closes_within SECONDS ID: asks the window to close; the program must then
# end, successfully, within SECONDS.
closes_within() {
    close_window "$2" || fail "could not ask window $2 to close"
    wait_until "$1" program_ended || fail "the program did not end within $1 s of the close request"
    local status=0
    wait "$program_pid" || status=$?
    program_pid=""
    [ "$status" -eq 0 ] || fail "the program ended with status $status"
}
