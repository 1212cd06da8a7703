#!/usr/bin/env bash
# The built program opening a folder on a slow share (every metadata call,
# open and read there waits 30 ms): the window answers the desktop's pings
# within 100 ms all along, and the folder's thumbnails arrive.
# Usage: slow_disk_test.sh PROGRAM X_WINDOW_PROGRAM SLOW_DISK_LIBRARY
set -euo pipefail
program="$(realpath "$1")"
shim="$(realpath "$3")"
source "$(dirname "$0")/../support/x_session.sh" "$2"
command -v python3 > /dev/null || { echo "SKIP: python3 is not installed"; exit 77; }

# 40 bitmaps of 320 x 240, each its own colour, on the slow share.
share="$session/share/Holiday"
mkdir -p "$share"
python3 - "$share" << 'PICTURES'
import struct, sys
width, height = 320, 240
row = width * 3
for n in range(40):
    pixels = bytes([(n * 6) % 256, (255 - n * 5) % 256, (n * 37) % 256]) * width * height
    header = b"BM" + struct.pack("<IHHI", 54 + len(pixels), 0, 0, 54)
    info = struct.pack("<IiiHHIIiiII", 40, width, height, 1, 24, 0, len(pixels), 2835, 2835, 0, 0)
    open(f"{sys.argv[1]}/{n + 1}.bmp", "wb").write(header + info + pixels)
PICTURES

thumbnails() { find "$XDG_CACHE_HOME/thumbnails/large" -name '*.png' 2> /dev/null | wc -l; }
start_program env LD_PRELOAD="$shim" TILEMERE_SLOW_DISK="$session/share" TILEMERE_SLOW_DISK_MS=30 \
    ASAN_OPTIONS="${ASAN_OPTIONS:-}:verify_asan_link_order=0" "$program"
front_screen_appears
wait_until 30 eval '[ "$(thumbnails)" -gt 0 ]' || fail "the start folder's thumbnails were never kept"
sleep 1
before="$(thumbnails)"
panel="$(grab "$front" 272 16 449 417)"

# Handed over by a second start, as a file manager's "Open With" does.
started=$EPOCHREALTIME
"$program" "$share" > "$session/second.log" 2>&1 || fail "the second start failed: $(cat "$session/second.log")"
longest=0
until [ "$(thumbnails)" -ge $((before + 9)) ]; do
    [ "${EPOCHREALTIME%[.,]*}" -lt $((${started%[.,]*} + 60)) ] || fail "the slow folder's thumbnails did not come within 60 s"
    waited="$("$x_window" pings "$front" 5)" || fail "the program did not answer a ping within 10 s"
    [ "$waited" -le "$longest" ] || longest="$waited"
done
[ "$(grab "$front" 272 16 449 417)" != "$panel" ] || fail "the picture panel did not change"
[ "$longest" -le 100 ] || fail "a ping waited $longest ms for its answer"
closes_within 10 "$front"
echo "the slow folder's thumbnails came; the longest wait for a ping was $longest ms"
