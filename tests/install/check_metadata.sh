#!/usr/bin/env bash
# The menu entry and the software-centre description must pass the desktop's
# own validators without errors or warnings, and must name each other and
# the icon consistently, or the menu shows no icon and software centres
# cannot tie the description to the game.
# Usage: check_metadata.sh DESKTOP_SOURCE_DIR
set -euo pipefail
source_dir="$1"
source "$(dirname "$0")/install_common.sh"
id="org.example.Tilemere"
entry="$source_dir/$id.desktop"
metainfo="$source_dir/$id.metainfo.xml"

for tool in desktop-file-validate appstreamcli; do
    command -v "$tool" > /dev/null || { echo "SKIP: $tool is not installed"; exit 77; }
done

# desktop-file-validate prints only what is wrong, hints included.
report="$(desktop-file-validate "$entry" 2>&1)" || fail "desktop-file-validate: $report"
[ -z "$report" ] || fail "desktop-file-validate: $report"

# Every finding fails, pedantic ones included, but one: the id's capital
# letter, kept because the id names the menu entry and the icons that
# desktops already know the game by.
report="$(appstreamcli validate --pedantic --no-net --no-color "$metainfo" 2>&1)" || fail "appstreamcli: $report"
echo "$report"
if grep -E '^[EWIP]:' <<< "$report" | grep -qv 'cid-contains-uppercase-letter'; then
    fail "appstreamcli reports findings"
fi
# The screenshots are published from desktop/screenshots under the names
# the metainfo gives, at the sizes it states.
for image in $(sed -n 's|.*<image type="source" width="\([0-9]*\)" height="\([0-9]*\)">[^<]*/\([^/<]*\)</image>.*|\3:\1x\2|p' "$metainfo"); do
    file="$source_dir/screenshots/${image%%:*}"
    [ -f "$file" ] || fail "the metainfo shows ${image%%:*}, which desktop/screenshots does not have"
    actual="$(png_size "$file")"
    [ "$actual" = "${image#*:}" ] || fail "$file is $actual, the metainfo says ${image#*:}"
done
grep -q '<project_license>MIT</project_license>' "$metainfo" && grep -q '^MIT License' "$source_dir/../LICENSE" ||
    fail "the metainfo's project licence and LICENSE differ"

[ "$(desktop_key "$entry" Icon)" = "$id" ] || fail "the menu entry's icon is not $id"
# "Open With" offers the game for pictures only when it declares their types and takes a file.
[[ "$(desktop_key "$entry" Exec)" == *" %f" && "$(desktop_key "$entry" MimeType)" == *image/jpeg\;* ]] ||
    fail "the menu entry does not open pictures (Exec ... %f, MimeType=image/...)"
grep -q "<launchable type=\"desktop-id\">$id.desktop</launchable>" "$metainfo" ||
    fail "the metainfo does not launch $id.desktop"
grep -q "<binary>$(desktop_exec_command "$entry")</binary>" "$metainfo" ||
    fail "the metainfo does not provide the command the menu entry starts"
echo "desktop entry and metainfo are valid and agree"
