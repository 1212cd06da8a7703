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
