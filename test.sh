#!/usr/bin/env bash
# Installs what is missing, builds, and runs every test.
#   ./test.sh --sanitize   the same with AddressSanitizer (leaks included) and
#                          UndefinedBehaviorSanitizer, in build-sanitize/
#   ./test.sh --sanitize=thread
#                          the tests of the decoding threads (pictures, the
#                          front screen, the play screen) with ThreadSanitizer,
#                          in build-tsan/
set -euo pipefail
sanitize=false
threads=false
here="$(cd "$(dirname "$0")" && pwd)"
if [ "${1:-}" = "--sanitize" ]; then
    shift
    sanitize=true
    TILEMERE_BUILD="$here/build-sanitize"
elif [ "${1:-}" = "--sanitize=thread" ]; then
    shift
    threads=true
    TILEMERE_BUILD="$here/build-tsan"
fi
source "$(dirname "$0")/scripts/common.sh"
if $threads; then
    TILEMERE_CMAKE_ARGS=("-DCMAKE_CXX_FLAGS=-fsanitize=thread -fno-omit-frame-pointer"
        "-DCMAKE_EXE_LINKER_FLAGS=-fsanitize=thread" "-DCMAKE_SHARED_LINKER_FLAGS=-fsanitize=thread")
    # Any report fails its test. The suppressions name system libraries
    # only, whose own locking the sanitizer cannot see.
    export TSAN_OPTIONS="halt_on_error=1:second_deadlock_stack=1:suppressions=$TILEMERE_ROOT/scripts/tsan-suppressions.txt"
    install_missing "${BUILD_PACKAGES[@]}"
    build_program pictures_tests front_tests play_tests
    cd "$TILEMERE_BUILD"
    QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j2 -R '^(pictures|front|play)_tests' "$@"
    exit
fi
if $sanitize; then
    sanitizers="-fsanitize=address,undefined"
    TILEMERE_CMAKE_ARGS=("-DCMAKE_CXX_FLAGS=$sanitizers -fno-sanitize-recover=undefined -fno-omit-frame-pointer"
        "-DCMAKE_EXE_LINKER_FLAGS=$sanitizers" "-DCMAKE_SHARED_LINKER_FLAGS=$sanitizers")
    # Any finding fails its test; leaks are reported except those made
    # inside system libraries, listed in the suppression file.
    export ASAN_OPTIONS="detect_leaks=1:abort_on_error=0:strict_init_order=1"
    export UBSAN_OPTIONS="print_stacktrace=1:halt_on_error=1"
    export LSAN_OPTIONS="suppressions=$TILEMERE_ROOT/scripts/leak-suppressions.txt:print_suppressions=0"
fi

install_missing "${BUILD_PACKAGES[@]}" libx11-dev libxtst-dev xvfb openbox python3 pulseaudio pulseaudio-utils sox \
    desktop-file-utils appstream sway grim wtype debhelper dpkg-dev lintian
build_program
cd "$TILEMERE_BUILD"
# Window tests draw offscreen; the few that start the real program get an X
# server and window manager, or a headless Wayland compositor, of their own,
# started inside the test.
QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j2 "$@"
