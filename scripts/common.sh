# Shared by play.sh and test.sh: installs what is missing and builds.
# Sourced, not run.

TILEMERE_ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
TILEMERE_BUILD="${TILEMERE_BUILD:-$TILEMERE_ROOT/build}"

as_root() {
    if [ "$(id -u)" -eq 0 ]; then
        "$@"
    elif command -v sudo >/dev/null 2>&1; then
        sudo "$@"
    else
        echo "Installing packages needs root: run this as root or install sudo." >&2
        return 1
    fi
}

# Installs the Debian packages named as arguments that are not installed yet.
install_missing() {
    local missing=()
    local package
    for package in "$@"; do
        if ! dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "ok installed"; then
            missing+=("$package")
        fi
    done
    [ ${#missing[@]} -eq 0 ] && return 0
    echo "Installing: ${missing[*]}"
    as_root apt-get update -q
    as_root env DEBIAN_FRONTEND=noninteractive apt-get install -y --no-install-recommends \
        -o DPkg::Lock::Timeout=600 "${missing[@]}"
}

# qt6-image-formats-plugins reads WebP and TIFF; libheif HEIC, HEIF and AVIF;
# libdeflate reads and writes the thumbnail cache's PNG files; qt6-l10n-tools
# and qt6-tools-dev build the translations, qt6-translations-l10n has Qt's
# own for its dialogs; qt6-wayland lets the game run natively in a Wayland
# session; zlib makes the tests' hostile PNG files.
BUILD_PACKAGES=(cmake g++ make qt6-base-dev qt6-multimedia-dev libgtest-dev fonts-comic-neue
    qt6-image-formats-plugins libjpeg-dev libheif-dev libdeflate-dev qt6-l10n-tools qt6-tools-dev
    qt6-translations-l10n qt6-wayland zlib1g-dev)

# Configures once, then builds what changed: the targets named, or everything.
build_program() {
    if [ ! -f "$TILEMERE_BUILD/CMakeCache.txt" ]; then
        cmake -S "$TILEMERE_ROOT" -B "$TILEMERE_BUILD" -DCMAKE_BUILD_TYPE=RelWithDebInfo \
            ${TILEMERE_CMAKE_ARGS[@]+"${TILEMERE_CMAKE_ARGS[@]}"}
    fi
    local targets=()
    local target
    for target in "$@"; do
        targets+=(--target "$target")
    done
    cmake --build "$TILEMERE_BUILD" -j"$(nproc)" "${targets[@]}"
}
