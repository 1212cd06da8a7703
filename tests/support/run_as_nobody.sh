#!/usr/bin/env bash
# Runs some of a test program's tests as the unprivileged user "nobody", for
# checks that root passes whatever they test (file and folder permissions).
#   run_as_nobody.sh <test program> <gtest filter>
set -u
program=$1
filter=$2

skip() {
    echo "SKIPPED: $*"
    exit 77
}

[ "$(id -u)" -eq 0 ] || skip "not root: the test program runs these tests itself"
command -v runuser >/dev/null 2>&1 || skip "runuser is not installed"
id nobody >/dev/null 2>&1 || skip "there is no user nobody"

# nobody cannot reach the build folder, so the program goes to a folder of its own.
folder=$(mktemp -d /tmp/tilemere-nobody.XXXXXX) || exit 1
trap 'rm -rf "$folder"' EXIT
trap 'exit 1' INT TERM HUP
cp "$program" "$folder/tests" || exit 1
chmod 755 "$folder" "$folder/tests"
cd "$folder" || exit 1

output=$(timeout 120 runuser -u nobody -- env -u XDG_RUNTIME_DIR HOME="$folder" TMPDIR=/tmp \
    QT_QPA_PLATFORM=offscreen "$folder/tests" --gtest_filter="$filter" 2>&1)
status=$?
echo "$output"
[ "$status" -eq 0 ] || exit "$status"
# Passing means the tests ran: a skip as nobody would prove nothing.
if echo "$output" | grep -q "\[  SKIPPED \]"; then
    echo "FAILED: the tests skipped themselves as nobody"
    exit 1
fi
echo "$output" | grep -q "\[  PASSED  \] [1-9]" || { echo "FAILED: no test matched $filter"; exit 1; }
