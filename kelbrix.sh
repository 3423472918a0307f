#!/usr/bin/env bash
# Sets up a Debian 12 machine for Kelbrix and builds it, then starts the program or runs
# every test.
#
#   ./kelbrix.sh run     install what is missing, build, start the program
#   ./kelbrix.sh test    install what is missing, build, run every test through CTest, then
#                        build and run them again under ASan and UBSan
#   ./kelbrix.sh build   install what is missing and build only
#
# KELBRIX_EDITION=EAN or UPC builds that edition instead of the full one.
set -euo pipefail
cd "$(dirname "$0")"

PACKAGES=(
    cmake g++ ninja-build ccache pkg-config clang-format git
    openbox weston qt6-wayland
    qt6-base-dev qt6-base-dev-tools qt6-qpa-plugins qt6-svg-dev libqt6svg6 libgl-dev
    qt6-tools-dev qt6-l10n-tools
    libzint-dev libtiff-dev libzbar-dev libzxing-dev
    zbar-tools libtiff-tools xvfb xauth fonts-dejavu-core desktop-file-utils appstream
    libreoffice-writer-nogui poppler-utils lintian librsvg2-bin ghostscript
)
BUILD_DIR=${KELBRIX_BUILD_DIR:-build}
# ccache shares compiled objects between clones of the repository in other folders.
export CCACHE_BASEDIR="$PWD" CCACHE_NOHASHDIR=true

sudo_if_needed() {
    if [ "$(id -u)" -eq 0 ]; then "$@"; else sudo "$@"; fi
}

install_packages() {
    local missing=()
    for p in "${PACKAGES[@]}"; do
        dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
    done
    if [ ${#missing[@]} -gt 0 ]; then
        echo "Installing: ${missing[*]}"
        sudo_if_needed apt-get update
        sudo_if_needed env DEBIAN_FRONTEND=noninteractive apt-get install -y "${missing[@]}"
    fi
}

# build DIR [extra cmake options...]
build() {
    local dir=$1
    shift
    local generator=()
    if [ ! -f "$dir/CMakeCache.txt" ] && command -v ninja >/dev/null; then
        generator=(-G Ninja)
    fi
    cmake -S . -B "$dir" "${generator[@]}" -DKELBRIX_EDITION="${KELBRIX_EDITION:-ALLA}" "$@"
    cmake --build "$dir" --parallel "$(nproc)"
}

run_tests() {
    ctest --test-dir "$1" --output-on-failure --parallel "$(nproc)"
}

case "${1:-run}" in
    build)
        install_packages
        build "$BUILD_DIR"
        ;;
    run)
        install_packages
        build "$BUILD_DIR"
        exec "$BUILD_DIR/src/app/kelbrix" "${@:2}"
        ;;
    test)
        install_packages
        # Once as shipped, with every warning an error ...
        build "$BUILD_DIR" -DKELBRIX_WERROR=ON
        run_tests "$BUILD_DIR"
        # ... and once more under AddressSanitizer and UndefinedBehaviorSanitizer (the sanitizer
        # options the tests need are part of the build's test list).
        build "$BUILD_DIR-asan" -DKELBRIX_WERROR=ON -DKELBRIX_SANITIZE=ON -DKELBRIX_BUILD_BENCHMARKS=OFF
        run_tests "$BUILD_DIR-asan"
        ;;
    *)
        echo "usage: $0 [run|test|build]" >&2
        exit 2
        ;;
esac
