#!/usr/bin/env bash
# Without any sound server the game must go on: every play returns, nothing
# is shown to the player, the program ends normally.
#   no_audio_server_test.sh <sound_probe>
set -u
probe=$1

work=$(mktemp -d /tmp/tilemere-nosound.XXXXXX) || exit 1
trap 'rm -rf "$work"' EXIT
trap 'exit 1' INT TERM HUP
mkdir -p "$work/app/Gfx" "$work/runtime" "$work/home"
chmod 700 "$work/runtime"

# A short 16-bit mono WAV (8000 Hz, 0.2 s of a square wave), written by hand
# so this test needs no sound tools.
little32() {
    local value=$1 i
    for (( i = 0; i < 4; i++ )); do
        printf "\\x$(printf %02x $(( (value >> (8 * i)) & 255 )))"
    done
}
write_wave() {
    local samples=1600 i
    {
        printf 'RIFF'; little32 $(( 36 + samples * 2 ))
        printf 'WAVEfmt \x10\x00\x00\x00\x01\x00\x01\x00\x40\x1f\x00\x00\x80\x3e\x00\x00\x02\x00\x10\x00'
        printf 'data'; little32 $(( samples * 2 ))
        for (( i = 0; i < samples / 8; i++ )); do
            printf '\x00\x30\x00\x30\x00\x30\x00\x30\x00\xd0\x00\xd0\x00\xd0\x00\xd0'
        done
    } > "$1"
}
write_wave "$work/app/Gfx/click.wav"
write_wave "$work/app/Gfx/claps.wav"
echo "not a sound" > "$work/app/Gfx/broken.wav"

# Point every way of finding a server at nothing, and never start one.
echo "autospawn = no" > "$work/client.conf"
export XDG_RUNTIME_DIR="$work/runtime" HOME="$work/home" PULSE_CLIENTCONFIG="$work/client.conf"
export PULSE_RUNTIME_PATH="$work/runtime/pulse" PULSE_SERVER="unix:$work/runtime/no-server"
export QT_QPA_PLATFORM=offscreen

output=$(timeout 30 "$probe" "$work/app" 800 click.wav@0 click.wav@30 claps.wav@60 \
    missing.wav@90 broken.wav@120 click.wav@150 2>&1)
status=$?
echo "$output"
if [ "$status" -eq 124 ]; then
    echo "FAILED: the program hung without a sound server"
    exit 1
fi
[ "$status" -eq 0 ] || { echo "FAILED: the program ended with $status"; exit 1; }
played=$(echo "$output" | grep -c "returned after")
[ "$played" -eq 6 ] || { echo "FAILED: $played of 6 plays returned"; exit 1; }
if [ -e "$work/runtime/pulse/pid" ]; then
    echo "FAILED: a sound server was started"
    exit 1
fi
echo "PASSED: six plays without a sound server, no message, no window"
