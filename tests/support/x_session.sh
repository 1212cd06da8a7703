# Sourced by the tests that start the real program on an X server: a virtual
# screen of 1024 x 768 with a window manager on a free display, and the
# session of session.sh. Skips (77) without Xvfb, openbox or the x_window tool.
# Usage: source x_session.sh X_WINDOW_PROGRAM
x_window="$(realpath "$1")"
for tool in Xvfb openbox "$x_window"; do
    command -v "$tool" > /dev/null || { echo "SKIP: $tool is not installed"; exit 77; }
done
source "$(dirname "${BASH_SOURCE[0]}")/session.sh"
list_windows() { "$x_window" find "$1"; }
grab() { "$x_window" grab "$@"; }
close_window() { "$x_window" close "$1"; }

export QT_QPA_PLATFORM=xcb
unset WAYLAND_DISPLAY
# The server picks a free display and writes its number once it listens.
Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp 3> "$session/display" 2> "$session/xvfb.log" &
session_pids+=($!)
wait_until 30 grep -qs . "$session/display" || { cat "$session/xvfb.log" >&2; fail "Xvfb did not start"; }
export DISPLAY=":$(cat "$session/display")"
openbox --sm-disable > "$session/openbox.log" 2>&1 &
session_pids+=($!)
wait_until 30 "$x_window" wm || { cat "$session/openbox.log" >&2; fail "openbox did not start"; }
