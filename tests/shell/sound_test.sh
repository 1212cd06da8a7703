#!/usr/bin/env bash
# The game's sounds through playSound. First without any sound server: every
# play must return and nothing be shown. Then into a private server with a
# null output, recording what comes out of it: each sound must be heard whole
# (a short one must not lose its tail), also when a click starts while the
# last one still plays.
#   sound_test.sh <sound_probe>
set -u
probe=$1

skip() {
    echo "SKIPPED: $*"
    exit 77
}
fail() {
    echo "FAILED: $*"
    exit 1
}

for tool in pulseaudio pactl parec sox soxi timeout; do
    command -v "$tool" >/dev/null 2>&1 ||
        skip "$tool is missing (install pulseaudio pulseaudio-utils sox)"
done

work=$(mktemp -d /tmp/tilemere-sound.XXXXXX) || exit 1
server_pid=
listener_pid=
recorder_pid=
cleanup() {
    for pid in $recorder_pid $listener_pid $server_pid; do
        kill "$pid" 2>/dev/null && wait "$pid" 2>/dev/null
    done
    rm -rf "$work"
}
trap cleanup EXIT
trap 'exit 1' INT TERM HUP

# A server of our own: its own runtime folder and socket, so no other server
# (the user's or another test's) is ever touched, and it is never autospawned.
mkdir -p "$work/runtime" "$work/home" "$work/state" "$work/app/Gfx"
chmod 700 "$work/runtime"
echo "autospawn = no" > "$work/client.conf"
export XDG_RUNTIME_DIR="$work/runtime" HOME="$work/home" PULSE_STATE_PATH="$work/state"
export PULSE_RUNTIME_PATH="$work/runtime/pulse" PULSE_CLIENTCONFIG="$work/client.conf"
export PULSE_SERVER="unix:$work/runtime/native"
export QT_QPA_PLATFORM=offscreen

# Test tones of our own: click 200 ms mono, claps 500 ms stereo at another rate.
sox -n -r 44100 -b 16 -c 1 "$work/app/Gfx/click.wav" synth 0.2 sine 880 vol 0.5 || fail "sox"
sox -n -r 22050 -b 16 -c 2 "$work/app/Gfx/claps.wav" synth 0.5 sine 440 sine 660 vol 0.5 || fail "sox"
echo "not a sound" > "$work/app/Gfx/broken.wav"

# No server yet: the game goes on silently, starting none.
output=$(timeout 30 "$probe" "$work/app" 800 click.wav@0 click.wav@30 claps.wav@60 \
    missing.wav@90 broken.wav@120 click.wav@150 2>&1)
status=$?
echo "$output"
[ "$status" -ne 124 ] || fail "the program hung without a sound server"
[ "$status" -eq 0 ] || fail "without a sound server the program ended with $status"
played=$(echo "$output" | grep -c "returned after")
[ "$played" -eq 6 ] || fail "$played of 6 plays returned without a sound server"
[ ! -e "$work/runtime/pulse/pid" ] || fail "a sound server was started"

pulseaudio --daemonize=no -n --system=false --exit-idle-time=-1 --disallow-exit \
    --disallow-module-loading=false --use-pid-file=no --realtime=no --high-priority=no \
    --log-target=file:"$work/server.log" \
    --load="module-native-protocol-unix socket=$work/runtime/native auth-anonymous=1" &
server_pid=$!

for _ in $(seq 50); do
    timeout 2 pactl info >/dev/null 2>&1 && break
    kill -0 "$server_pid" 2>/dev/null || { cat "$work/server.log"; fail "the sound server did not start"; }
    sleep 0.2
done
timeout 5 pactl info >/dev/null 2>&1 || { cat "$work/server.log"; fail "the sound server does not answer"; }
timeout 5 pactl load-module module-null-sink sink_name=test_sink >/dev/null || fail "no null output"
timeout 5 pactl set-default-sink test_sink || fail "cannot make the null output the default"

# An idle null output renders up to two seconds ahead, and what its monitor
# has passed on is never taken back: sound arriving then is lost to any
# recording. A listener asking for 20 ms brings that down; wait until it has.
timeout 170 parec --latency-msec=20 -d test_sink.monitor --raw > /dev/null &
listener_pid=$!
latency=
for _ in $(seq 50); do
    latency=$(timeout 5 pactl list sinks | sed -n 's/^[[:space:]]*Latency: \([0-9]*\) usec.*/\1/p' | head -n 1)
    [ -n "$latency" ] && [ "$latency" -lt 50000 ] && break
    sleep 0.2
done
[ -n "$latency" ] && [ "$latency" -lt 50000 ] || fail "the null output stays at ${latency:-?} us latency"

# record <name> <end ms> <file>@<ms> ...: the probe's plays, recorded.
record() {
    local name=$1
    shift
    timeout 60 parec --latency-msec=20 -d test_sink.monitor --file-format=wav "$work/$name.wav" &
    recorder_pid=$!
    sleep 0.3
    timeout 30 "$probe" "$work/app" "$@" || fail "$name: the probe ended with $?"
    # Let the last of the sound through the output before the recording stops.
    sleep 0.3
    kill -INT "$recorder_pid"
    wait "$recorder_pid" 2>/dev/null
    recorder_pid=
}

# Seconds from the first to the last sound in a recording (edges below 2%).
sound_span() {
    sox "$work/$1.wav" "$work/$1-span.wav" silence 1 0.005 2% reverse silence 1 0.005 2% reverse &&
        soxi -D "$work/$1-span.wav"
}
rms() {
    sox "$work/$1.wav" -n stat 2>&1 | awk '/^RMS +amplitude/ { print $3 }'
}
at_least() {
    awk -v value="$1" -v limit="$2" 'BEGIN { exit !(value + 0 >= limit + 0) }'
}

# check <name> <least span in s>
check() {
    local span loudness
    loudness=$(rms "$1")
    span=$(sound_span "$1")
    echo "$1: RMS amplitude $loudness, sound for $span s"
    at_least "$loudness" 0.01 || fail "$1: the recording is silent"
    at_least "$span" "$2" || fail "$1: only $span s of sound came out, at least $2 s expected"
}

record click 1200 click.wav@100
check click 0.15

record claps 1500 claps.wav@100
check claps 0.4

# The second click cuts the first off 30 ms in and plays whole: the sound
# goes on well past the 30 ms where the first was cut.
record restart 1200 click.wav@100 click.wav@130
check restart 0.15

# A solve cuts the last click off and the applause plays whole.
record solve 1500 click.wav@100 claps.wav@130
check solve 0.4

echo "PASSED: silent without a server, and every sound came out whole with one"
