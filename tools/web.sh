#!/usr/bin/env bash
# Builds Dunmarrow for the web with Debian's Emscripten: a static site in
# build-web/dunmarrow-<version>-web/ and its zip, build-web/dunmarrow-<version>-web.zip.
set -euo pipefail
cd "$(dirname "$0")/.."
source tools/dependencies.sh
install_packages "${BUILD_PACKAGES[@]}" "${WEB_PACKAGES[@]}"

# Debian's emcc runs on the machine's Node.js and finds its node-acorn there.
export NODE_PATH=/usr/share/nodejs
# Emscripten keeps its cache of system libraries beside itself; a user who cannot write there
# gets a copy of their own.
if [ ! -w /usr/share/emscripten/cache ]; then
    export EM_CACHE=${XDG_CACHE_HOME:-$HOME/.cache}/dunmarrow/emscripten
    [ -d "$EM_CACHE" ] || cp -r /usr/share/emscripten/cache "$EM_CACHE"
fi
if ! configured=$(emcmake cmake -S . -B build-web -DCMAKE_BUILD_TYPE=MinSizeRel \
    -DDUNMARROW_TESTS=OFF -DDUNMARROW_WERROR=ON 2>&1); then
    echo "$configured" >&2
    exit 1
fi
cmake --build build-web -j "$(nproc)" --target web_zip minimal_screen -- --no-print-directory >/dev/null
ls build-web/dunmarrow-*-web.zip
