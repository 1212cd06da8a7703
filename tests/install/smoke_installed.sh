#!/usr/bin/env bash
# Installs into a temporary prefix and starts the installed game the way the
# menu does, by the command name on the PATH, from an unrelated working
# folder and through bin/'s link, on a virtual display with a home of its
# own. front_screen_session.sh then checks the front screen and closes it.
# Usage: smoke_installed.sh BUILD_DIR X_WINDOW_PROGRAM
set -euo pipefail
build="$1"
x_window="$(realpath "$2")"
here="$(cd "$(dirname "$0")" && pwd)"
source "$here/install_common.sh"

for tool in xvfb-run xauth; do
    command -v "$tool" > /dev/null || { echo "SKIP: $tool is not installed"; exit 77; }
done

work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
prefix="$work/prefix"
stage_install "$build" "$prefix" "$work/install"

export HOME="$work/home" XDG_CONFIG_HOME="$work/home/.config" XDG_RUNTIME_DIR="$work/run"
mkdir -p "$HOME" "$XDG_RUNTIME_DIR" "$work/elsewhere"
chmod 700 "$XDG_RUNTIME_DIR"
export PATH="$prefix/bin:$PATH"
# The tests run with the offscreen platform; this one needs the real one.
export QT_QPA_PLATFORM=xcb
unset WAYLAND_DISPLAY
cd "$work/elsewhere"

# xvfb-run -a can lose the race for a display number to another test
# starting an X server at the same moment; only then is it worth a retry.
for attempt in 1 2 3; do
    status=0
    timeout 300 xvfb-run -a -s "-screen 0 1024x768x24" \
        bash "$here/front_screen_session.sh" "$prefix" "$x_window" "$work" || status=$?
    [ "$status" -ne 0 ] && [ ! -e "$work/session-started" ] && [ "$attempt" -lt 3 ] || break
    echo "the X server did not start (attempt $attempt); trying again" >&2
    sleep 2
done
if [ "$status" -ne 0 ]; then
    echo "--- program output" >&2
    cat "$work/program.log" >&2 2> /dev/null || true
    [ "$status" -ne 124 ] || fail "the session did not finish within 300 seconds"
    exit 1
fi
