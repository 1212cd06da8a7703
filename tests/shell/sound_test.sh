#!/usr/bin/env bash
# The game's sounds through playSound. First without any sound server: every
# play must return and nothing be shown. Then into a private server with a
# null output, recording what comes out of it: each sound must be heard whole
# (a short one must not lose its tail), also when a click starts while the
# last one still plays.
#   sound_test.sh <sound_probe>
set -u
probe=$1
skip() { echo "SKIPPED: $*"; exit 77; }
fail() { echo "FAILED: $*"; exit 1; }
for tool in pulseaudio pactl parec sox soxi timeout; do
    command -v "$tool" >/dev/null 2>&1 || skip "$tool is missing (install pulseaudio pulseaudio-utils sox)"
done

work=$(mktemp -d /tmp/tilemere-sound.XXXXXX) || exit 1
server_pid= listener_pid= recorder_pid=
cleanup() {
    for pid in $recorder_pid $listener_pid $server_pid; do kill "$pid" 2>/dev/null && wait "$pid" 2>/dev/null; done
    rm -rf "$work"
}
trap cleanup EXIT
trap 'exit 1' INT TERM HUP
# within <command...>: true once the command succeeds, trying for 10 s.
within() { for _ in $(seq 50); do "$@" && return 0; sleep 0.2; done; return 1; }
at_least() { awk -v value="$1" -v limit="$2" 'BEGIN { exit !(value + 0 >= limit + 0) }'; }

# A server of our own: its own runtime folder and socket, so no other server
# (the user's or another test's) is ever touched, and it is never autospawned.
mkdir -p "$work/runtime" "$work/home" "$work/state" "$work/app/Gfx" && chmod 700 "$work/runtime"
echo "autospawn = no" > "$work/client.conf"
export XDG_RUNTIME_DIR="$work/runtime" HOME="$work/home" PULSE_STATE_PATH="$work/state" QT_QPA_PLATFORM=offscreen
export PULSE_RUNTIME_PATH="$work/runtime/pulse" PULSE_CLIENTCONFIG="$work/client.conf"
export PULSE_SERVER="unix:$work/runtime/native"

# Test tones of our own: click 200 ms mono, claps 500 ms stereo at another rate.
sox -n -r 44100 -b 16 -c 1 "$work/app/Gfx/click.wav" synth 0.2 sine 880 vol 0.5 || fail "sox"
sox -n -r 22050 -b 16 -c 2 "$work/app/Gfx/claps.wav" synth 0.5 sine 440 sine 660 vol 0.5 || fail "sox"
echo "not a sound" > "$work/app/Gfx/broken.wav"

# No server yet: the game goes on silently, starting none.
output=$(timeout 30 "$probe" "$work/app" 800 click.wav@0 click.wav@30 claps.wav@60 \
    missing.wav@90 broken.wav@120 click.wav@150 2>&1)
status=$?
echo "$output"
[ "$status" -eq 0 ] || fail "without a sound server the program ended with $status (124: it hung)"
[ ! -e "$work/runtime/pulse/pid" ] || fail "a sound server was started"

pulseaudio --daemonize=no -n --system=false --exit-idle-time=-1 --disallow-exit --disallow-module-loading=false \
    --use-pid-file=no --realtime=no --high-priority=no --log-target=file:"$work/server.log" \
    --load="module-native-protocol-unix socket=$work/runtime/native auth-anonymous=1" &
server_pid=$!
server_answers() { kill -0 "$server_pid" 2>/dev/null && timeout 2 pactl info >/dev/null 2>&1; }
within server_answers || { cat "$work/server.log"; fail "the sound server did not start"; }
timeout 5 pactl load-module module-null-sink sink_name=test_sink >/dev/null || fail "no null output"
timeout 5 pactl set-default-sink test_sink || fail "cannot make the null output the default"

# An idle null output renders up to two seconds ahead, and what its monitor
# has passed on is never taken back: sound arriving then is lost to any
# recording. A listener asking for 20 ms brings that down; wait until it has.
timeout 170 parec --latency-msec=20 -d test_sink.monitor --raw > /dev/null &
listener_pid=$!
low_latency() {
    latency=$(timeout 5 pactl list sinks | sed -n 's/^[[:space:]]*Latency: \([0-9]*\) usec.*/\1/p' | head -n 1)
    [ -n "$latency" ] && [ "$latency" -lt 50000 ]
}
within low_latency || fail "the null output stays at ${latency:-?} us latency"

# listen <name> <least seconds of sound> <end ms> <file>@<ms> ...: records the
# probe's plays; from the first to the last sound (edges below 2%) there must
# be that much sound, and not silence.
listen() {
    local name=$1 least=$2 loudness span
    shift 2
    timeout 60 parec --latency-msec=20 -d test_sink.monitor --file-format=wav "$work/$name.wav" &
    recorder_pid=$!
    sleep 0.3
    timeout 30 "$probe" "$work/app" "$@" || fail "$name: the probe ended with $?"
    sleep 0.3 # the last of the sound through the output before the recording stops
    kill -INT "$recorder_pid" && wait "$recorder_pid" 2>/dev/null
    recorder_pid=
    loudness=$(sox "$work/$name.wav" -n stat 2>&1 | awk '/^RMS +amplitude/ { print $3 }')
    span=$(sox "$work/$name.wav" "$work/$name-span.wav" silence 1 0.005 2% reverse silence 1 0.005 2% reverse &&
        soxi -D "$work/$name-span.wav")
    echo "$name: RMS amplitude $loudness, sound for $span s"
    at_least "$loudness" 0.01 || fail "$name: the recording is silent"
    at_least "$span" "$least" || fail "$name: only $span s of sound came out, at least $least s expected"
}
listen click 0.15 1200 click.wav@100
listen claps 0.4 1500 claps.wav@100
# A solve cuts the last click off 30 ms in and the applause plays whole (a
# click cut by the next click takes the same way).
listen solve 0.4 1500 click.wav@100 claps.wav@130

# A server that has stopped answering (as a hung audio service): the window
# keeps answering while sounds are asked for, and the program still ends.
kill -STOP "$server_pid"
output=$(timeout -s QUIT 30 "$probe" "$work/app" 1500 click.wav@100 click.wav@300 claps.wav@500 click.wav@700 2>&1)
status=$?
kill -CONT "$server_pid"
echo "stopped server: $output"
[ "$status" -eq 0 ] || fail "with a stopped sound server the program ended with $status (124: it hung)"
longest=$(echo "$output" | sed -n 's/^longest wait \([0-9]*\) ms$/\1/p')
[ -n "$longest" ] && [ "$longest" -lt 100 ] || fail "with a stopped sound server the window waited ${longest:-?} ms"

echo "PASSED: silent without a server, every sound came out whole with one, and a stopped one held nothing up"
