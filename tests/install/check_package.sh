#!/usr/bin/env bash
# Builds the Debian package from a copy of the source tree, as a packager
# would, and checks what a player would get from it: its metadata and
# dependencies (the libraries loaded at run time included), where its files
# land, that lintian finds no error, and that the program unpacked into a
# throw-away root starts from its command in /usr/games as the installed one
# does (installed_game_starts).
# Usage: check_package.sh SOURCE_DIR X_WINDOW_PROGRAM
set -euo pipefail
source_dir="$(realpath "$1")"
here="$(cd "$(dirname "$0")" && pwd)"
for tool in dpkg-buildpackage dh lintian; do
    command -v "$tool" > /dev/null || { echo "SKIP: $tool is not installed"; exit 77; }
done
source "$here/install_common.sh"
source "$here/../support/x_session.sh" "$2"

# A copy without build folders, so nothing of the developer's build leaks in.
copy="$session/src/brackwater-tilemere"
mkdir -p "$copy"
tar -C "$source_dir" --exclude='./build*' --exclude=./.git -cf - . | tar -C "$copy" -xf -
if command -v ccache > /dev/null; then
    export CMAKE_CXX_COMPILER_LAUNCHER=ccache CCACHE_BASEDIR="$session/src"
fi
(cd "$copy" && DEB_BUILD_OPTIONS="nocheck parallel=$(nproc)" dpkg-buildpackage -us -uc -b) \
    > "$session/build.log" 2>&1 || { tail -n 40 "$session/build.log" >&2; fail "the package did not build"; }
debs=("$session"/src/brackwater-tilemere_*.deb)
deb="${debs[0]}"
[ -f "$deb" ] || fail "no package was made"

field() { dpkg-deb -f "$deb" "$1"; }
[ "$(field Package)" = "brackwater-tilemere" ] || fail "the package is called $(field Package)"
[ "$(field Section)" = "games" ] || fail "the package is in section $(field Section), not games"
depends="$(field Depends)"
# libheif is opened only for the first HEIF picture, the sound module's Qt
# Multimedia only for the first sound: no library scan finds them.
for needed in libheif1 libqt6multimedia6 libqt6widgets6; do
    grep -qw "$needed" <<< "$depends" || fail "the package does not depend on $needed: $depends"
done
grep -qw qt6-wayland <<< "$(field Recommends)" || fail "the package does not recommend qt6-wayland"

files="$(dpkg-deb -c "$deb" | awk '{ print $6 }' | sed 's|^\./|/|')"
for wanted in /usr/games/brackwater-tilemere /usr/share/applications/org.example.Tilemere.desktop \
    /usr/share/metainfo/org.example.Tilemere.metainfo.xml /usr/share/icons/hicolor/48x48/apps/org.example.Tilemere.png \
    /usr/share/doc/brackwater-tilemere/copyright; do
    grep -qxF "$wanted" <<< "$files" || fail "the package has no $wanted"
done
! grep -q '^/usr/bin/\|^/usr/local/' <<< "$files" || fail "the package installs outside Debian's places"

lintian --tag-display-limit 0 "$deb" > "$session/lintian.log" 2>&1 || true
cat "$session/lintian.log"
! grep -q '^E:' "$session/lintian.log" || fail "lintian reports errors"

root="$session/root"
dpkg -x "$deb" "$root"
folder="$root/usr/lib/brackwater-tilemere"
program_folder_complete "$folder"
command="$root/usr/games/brackwater-tilemere"
[ "$(readlink -f "$command")" = "$folder/brackwater-tilemere" ] || fail "the command does not lead to the program"
installed_game_starts "$root/usr" "$command"
echo "the package builds, installs into Debian's places, passes lintian and its program starts and ends cleanly"
