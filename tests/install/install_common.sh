# Shared by the install tests: a staged install of the built tree and a way
# to fail with a reason. Sourced, not run.

fail() {
    echo "FAIL: $*" >&2
    exit 1
}

# stage_install BUILD_DIR PREFIX RECORD
# Installs everything into PREFIX (under $DESTDIR when that is set) and
# leaves the manifest at RECORD.manifest and the output at RECORD.log.
# Installing everything under its component name makes
# CMake write install_manifest_Unspecified.txt instead of
# install_manifest.txt, so a test run never overwrites the manifest of the
# player's real install that the uninstall instructions rely on. Callers
# hold the CTest lock "install_manifest", as that file is still shared.
stage_install() {
    local build="$1" prefix="$2" record="$3"
    cmake --install "$build" --prefix "$prefix" --component Unspecified \
        > "$record.log" 2>&1 || { cat "$record.log" >&2; fail "installing into $prefix failed"; }
    cp "$build/install_manifest_Unspecified.txt" "$record.manifest"
}

# The command a desktop entry starts: the first word of its Exec line.
desktop_exec_command() {
    sed -n 's/^Exec=\([^ ]*\).*/\1/p' "$1" | head -n 1
}

desktop_key() {
    sed -n "s/^$2=//p" "$1" | head -n 1
}

# png_size FILE: "WIDTHxHEIGHT", the big-endian words at bytes 16 and 20 of a PNG.
png_size() {
    od -An -tu1 -j16 -N8 "$1" |
        awk '{ printf "%dx%d", (($1 * 256 + $2) * 256 + $3) * 256 + $4, (($5 * 256 + $6) * 256 + $7) * 256 + $8 }'
}

# program_folder_complete FOLDER: the program reads everything from beside its own file.
program_folder_complete() {
    local item
    [ -x "$1/brackwater-tilemere" ] && [ -f "$1/brackwater-tilemere" ] || fail "no program at $1"
    for item in Gfx/titleBanner.jpg Gfx/click.wav Puzzleimages/ help/ index.htm brackwater-tilemere-sound.so \
        translations/brackwater-tilemere_de.qm translations/brackwater-tilemere_fr.qm; do
        [ -e "$1/$item" ] || fail "$item is not beside the program in $1"
    done
}

# installed_game_starts ROOT COMMAND: started by COMMAND from an unrelated
# folder, as the menu entry under ROOT/share does, the game shows its front
# screen carrying the window class and icons that entry expects, and closing
# it saves the store. Needs x_session.sh.
installed_game_starts() {
    local entry="$1/share/applications/org.example.Tilemere.desktop" wanted_class icon size
    mkdir -p "$session/elsewhere" && cd "$session/elsewhere"
    start_program "$2"
    front_screen_appears
    # Without a matching window class the desktop cannot tie the window to its
    # menu entry and shows a generic icon in the task bar.
    wanted_class="$(desktop_key "$entry" StartupWMClass)"
    "$x_window" class "$front" | grep -qxF "$wanted_class" ||
        fail "the window's class is $("$x_window" class "$front" | tr '\n' ' '), the menu entry expects $wanted_class"
    # The window carries the game's icon in every installed size up to 128
    # pixels (larger ones serve launchers only), set a moment after it is drawn.
    wanted_sizes=()
    for icon in "$1"/share/icons/hicolor/*/apps/*.png; do
        size="$(basename "$(dirname "$(dirname "$icon")")")"
        [ "${size%%x*}" -gt 128 ] || wanted_sizes+=("$size")
    done
    wait_until 5 has_every_icon || fail "the window has no ${missing[*]} icon (it has: $(echo $window_icons))"
    [ ! -e "$store" ] || fail "the store existed before the window was closed"
    closes_within 30 "$front"
    [ -s "$store" ] || fail "closing the front screen did not save the store at $store"
}
has_every_icon() {
    local size
    window_icons="$("$x_window" icons "$front" || true)"
    missing=()
    for size in "${wanted_sizes[@]}"; do
        grep -qxF "$size" <<< "$window_icons" || missing+=("$size")
    done
    [ ${#missing[@]} -eq 0 ]
}
