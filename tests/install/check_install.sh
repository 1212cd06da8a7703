#!/usr/bin/env bash
# Installs the built tree the ways a player or a packager would and checks
# that the program, its resource folders, the command in bin/ and the desktop
# files land where they belong, and that the manifest is enough to remove
# every installed file again.
# Usage: check_install.sh BUILD_DIR
set -euo pipefail
build="$1"
source "$(dirname "$0")/install_common.sh"

work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
prefix="$work/prefix"
stage_install "$build" "$prefix" "$work/first"
manifest="$work/first.manifest"
program_folder="$prefix/lib/brackwater-tilemere"
program="$program_folder/brackwater-tilemere"
link="$prefix/bin/brackwater-tilemere"

program_folder_complete "$program_folder"

# The command is a relative link, so a staged or moved tree still works.
[ -L "$link" ] || fail "$link is not a symbolic link"
target="$(readlink "$link")"
[ "${target#/}" = "$target" ] || fail "the link points to an absolute path: $target"
[ "$(readlink -f "$link")" = "$(readlink -f "$program")" ] ||
    fail "$link resolves to $(readlink -f "$link"), not the program"

entry="$prefix/share/applications/org.example.Tilemere.desktop"
[ -f "$entry" ] || fail "no desktop entry"
[ -f "$prefix/share/metainfo/org.example.Tilemere.metainfo.xml" ] || fail "no metainfo file"
[ "$(desktop_exec_command "$entry")" = "$(basename "$link")" ] ||
    fail "the menu entry starts '$(desktop_exec_command "$entry")', which bin/ does not have"

# Every icon is where the icon theme looks for it, at the size its folder names.
icon_name="$(desktop_key "$entry" Icon)"
icons=("$prefix"/share/icons/hicolor/*/apps/"$icon_name".png)
[ -f "${icons[0]}" ] || fail "no icon named $icon_name"
for icon in "${icons[@]}"; do
    size_folder="$(basename "$(dirname "$(dirname "$icon")")")"
    actual="$(png_size "$icon")"
    [ "$actual" = "$size_folder" ] || fail "$icon is $actual, not $size_folder"
done

# The manifest lists exactly what was installed, the link included, so
# removing what it lists leaves nothing behind.
grep -qx "$link" "$manifest" || fail "the manifest does not list $link"
installed="$(find "$prefix" \( -type f -o -type l \) | sort)"
listed="$(sort "$manifest")"
[ "$installed" = "$listed" ] || {
    diff <(echo "$listed") <(echo "$installed") >&2 || true
    fail "the manifest and the installed files differ (< manifest, > installed)"
}

# Installing again over an existing install replaces the link.
stage_install "$build" "$prefix" "$work/again"
[ "$(readlink -f "$link")" = "$(readlink -f "$program")" ] || fail "a second install broke the link"

# Uninstalling as the README says removes every file and the program folder.
xargs -d '\n' rm -f < "$manifest"
find "$program_folder" -depth -type d -empty -delete
left="$(find "$prefix" \( -type f -o -type l \))"
[ -z "$left" ] || fail "files left after uninstalling: $left"
[ ! -e "$program_folder" ] || fail "$program_folder is left after uninstalling"

# A packager stages under DESTDIR: the link must land inside the stage. The
# prefix is a folder of the test's own, so a rule that ignores DESTDIR
# writes there and not into the machine's /usr/local.
stage="$work/stage"
package_prefix="$work/package"
DESTDIR="$stage" stage_install "$build" "$package_prefix" "$work/staged"
staged_link="$stage$package_prefix/bin/brackwater-tilemere"
[ ! -e "$package_prefix" ] || fail "with DESTDIR something was installed outside the stage: $(find "$package_prefix")"
[ -L "$staged_link" ] || fail "with DESTDIR the link is not at $staged_link"
[ "$(readlink -f "$staged_link")" = "$(readlink -f "$stage$package_prefix/lib/brackwater-tilemere/brackwater-tilemere")" ] ||
    fail "with DESTDIR the link does not resolve to the staged program"
grep -qx "$staged_link" "$work/staged.manifest" ||
    fail "with DESTDIR the manifest does not list the staged link"

echo "install layout, link, manifest and DESTDIR staging are sound"
