#!/usr/bin/env bash
# Builds the Debian package as Debian builds its own: with dpkg-buildflags' hardening
# (fortify, stack protector, relro, bind-now), in Debian's layout for games, stripped.
# Usage: tools/debian_package.sh [OUTPUT_DIR]   (build-deb by default); prints the package's
# path.
set -euo pipefail
cd "$(dirname "$0")/.."
source tools/dependencies.sh
install_packages "${BUILD_PACKAGES[@]}" "${PACKAGE_PACKAGES[@]}"

OUT=$(realpath -m "${1:-build-deb}")
export DEB_BUILD_MAINT_OPTIONS=hardening=+all
cmake -S . -B "$OUT/build" -DCMAKE_BUILD_TYPE=None -DDUNMARROW_TESTS=OFF \
    -DDUNMARROW_DEBIAN_LAYOUT=ON \
    -DCMAKE_CXX_FLAGS="$(dpkg-buildflags --get CPPFLAGS) $(dpkg-buildflags --get CXXFLAGS)" \
    -DCMAKE_EXE_LINKER_FLAGS="$(dpkg-buildflags --get LDFLAGS)" >/dev/null
cmake --build "$OUT/build" -j "$(nproc)" -- --no-print-directory >/dev/null
(cd "$OUT/build" && cpack -G DEB -B "$OUT" >/dev/null)
ls "$OUT"/dunmarrow_*.deb
