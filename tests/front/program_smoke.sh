#!/usr/bin/env bash
# Starts the built program on a virtual display with a home of its own,
# closes its window as a player would, and checks that closing saved the
# store. Usage: program_smoke.sh PROGRAM CLOSE_WINDOW_SCRIPT
set -euo pipefail
program="$1"
closer="$2"

home="$(mktemp -d)"
trap 'rm -rf "$home"' EXIT
export HOME="$home" XDG_CONFIG_HOME="$home/.config" XDG_RUNTIME_DIR="$home/run"
mkdir -p "$XDG_RUNTIME_DIR" && chmod 700 "$XDG_RUNTIME_DIR"
unset QT_QPA_PLATFORM
export QT_QPA_PLATFORM=xcb
store="$XDG_CONFIG_HOME/Ostrel/Brackwater-Tilemere.conf"

# Both run under the same virtual display: the program in the background,
# the closer in front; the program must then end by itself.
xvfb-run -a -s "-screen 0 1024x768x24" bash -c '
    "$1" > "$4/program.log" 2>&1 &
    pid=$!
    status=0
    /usr/bin/python3 "$2" "$3" 30 || status=1
    for _ in $(seq 1 100); do
        kill -0 "$pid" 2>/dev/null || break
        sleep 0.1
    done
    if kill -0 "$pid" 2>/dev/null; then
        echo "the program did not end after its window was closed" >&2
        kill "$pid"
        status=1
    fi
    wait "$pid" || { echo "the program ended with status $?" >&2; status=1; }
    exit $status
' smoke "$program" "$closer" "Brackwater-Tilemere" "$home" || {
    cat "$home/program.log" >&2 || true
    exit 1
}

if [ ! -s "$store" ]; then
    echo "closing the front screen did not save the store ($store)" >&2
    cat "$home/program.log" >&2 || true
    exit 1
fi
echo "front screen closed and the store was saved"
