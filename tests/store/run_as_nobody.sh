#!/bin/sh
# Runs the store's permission cases as an ordinary user: root may read and
# write any file, so as root they would prove nothing and skip themselves.
#   run_as_nobody.sh <store_tests binary>
set -eu
binary=$1
filter='--gtest_filter=*CannotBeReadOrWritten*'

if [ "$(id -u)" -ne 0 ]; then
    exec "$binary" "$filter"
fi
command -v runuser >/dev/null 2>&1 || { echo "runuser is missing"; exit 77; }

# The build tree may be closed to "nobody", so run a copy from a folder it can
# enter. Its home and settings folders are root's and stay closed to it.
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
chmod 755 "$work"
cp "$binary" "$work/store_tests"
chmod 755 "$work/store_tests"
mkdir "$work/home"
cd "$work"
runuser -u nobody -- env HOME="$work/home" XDG_CONFIG_HOME="$work/home/.config" \
    TMPDIR=/tmp QT_QPA_PLATFORM=offscreen "$work/store_tests" "$filter" >"$work/log" 2>&1 || {
    cat "$work/log"
    exit 1
}
cat "$work/log"
# A run that skipped or found nothing has not shown anything.
grep -q '\[  PASSED  \] 1 test' "$work/log"
! grep -q 'SKIPPED' "$work/log"
