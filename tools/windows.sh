#!/usr/bin/env bash
# Cross-builds Dunmarrow for 64-bit Windows on Debian, and packs what Windows players download
# into build-windows/: dunmarrow-<version>-win64.zip and an NSIS installer.
#
# The libraries are built with Debian's mingw-w64 from Debian's own source packages, of the
# versions the Linux build uses (SDL_image and SDL_ttf, whose sources Debian's archive does
# not serve here, from the checked archives in third_party/, or DUNMARROW_SOURCES).
# They are cached under ~/.cache/dunmarrow, keyed by those versions, so a second run only
# builds the game.
set -euo pipefail
trap 'echo "tools/windows.sh stopped at line $LINENO" >&2' ERR
cd "$(dirname "$0")/.."
ROOT=$PWD
source tools/dependencies.sh
install_packages "${BUILD_PACKAGES[@]}" "${WINDOWS_PACKAGES[@]}"

HOST=x86_64-w64-mingw32
SOURCES=${DUNMARROW_SOURCES:-$ROOT/third_party}
CACHE=${XDG_CACHE_HOME:-$HOME/.cache}/dunmarrow
OUT=$ROOT/build-windows
JOBS=$(nproc)

source_version() { dpkg-query -W -f '${source:Version}' "$1"; }
SDL_VERSION=$(source_version libsdl1.2-dev)
MIXER_VERSION=$(source_version libsdl-mixer1.2-dev)
PNG_VERSION=$(source_version libpng-dev)
FREETYPE_VERSION=$(source_version libfreetype-dev)
IMAGE_ARCHIVE=SDL_image-1.2-2ffb2e3e1eba.tar.gz
IMAGE_SHA256=690d37232a009ac0110a55e56ccb29b52fb4ca20a62dd7dfc1cf003b7883c3d5
TTF_ARCHIVE=SDL_ttf-2.0-3c4233732b94.tar.gz
TTF_SHA256=4e00b6fc1ea9d51557da488b85c696321e9d047e1e59854d3dacf56b24441bbb
# RECIPE counts changes to how the libraries are built below; it keys the cache too.
RECIPE=1
KEY=$(echo "$RECIPE $SDL_VERSION $MIXER_VERSION $PNG_VERSION $FREETYPE_VERSION $IMAGE_SHA256 \
    $TTF_SHA256 $(x86_64-w64-mingw32-gcc-posix -dumpversion)" | sha256sum | cut -c1-16)
PREFIX=$CACHE/windows-libraries-$KEY

# The archive's source packages, through an apt configuration of our own: Debian's mirror
# with deb-src entries, its keyring to check them, and lists kept in the cache. The machine's
# own apt configuration is left as it is.
APT_DIR=$CACHE/apt
apt_private() {
    local tool=apt-get
    [ "$1" = showsrc ] && tool=apt-cache
    "$tool" -q -o Dir::Etc::SourceList="$APT_DIR/sources.list" \
        -o Dir::Etc::SourceParts="$APT_DIR/sources.list.d" \
        -o Dir::State::Lists="$APT_DIR/lists" -o Dir::Cache="$APT_DIR/cache" \
        -o APT::Sandbox::User="$(id -un)" "$@"
}
set_up_private_apt() {
    mkdir -p "$APT_DIR/sources.list.d" "$APT_DIR/lists/partial" "$APT_DIR/cache/archives/partial"
    local mirror security codename keyring=/usr/share/keyrings/debian-archive-keyring.gpg
    local sources
    sources=$(cat /etc/apt/sources.list /etc/apt/sources.list.d/*.list \
        /etc/apt/sources.list.d/*.sources 2>/dev/null | grep -vE '^[[:space:]]*#' || true)
    mirror=$(grep -oE 'https?://[^ ]+/debian/?( |$)' <<<"$sources" | head -n1 | tr -d ' ' || true)
    security=$(grep -oE 'https?://[^ ]+/debian-security/?( |$)' <<<"$sources" | head -n1 |
        tr -d ' ' || true)
    codename=$(. /etc/os-release && echo "$VERSION_CODENAME")
    {
        echo "deb-src [signed-by=$keyring] ${mirror:-http://deb.debian.org/debian} $codename main"
        echo "deb-src [signed-by=$keyring] ${mirror:-http://deb.debian.org/debian} $codename-updates main"
        echo "deb-src [signed-by=$keyring] ${security:-http://deb.debian.org/debian-security} $codename-security main"
    } >"$APT_DIR/sources.list"
    apt_private update >/dev/null
}

# fetch_debian PACKAGE VERSION: unpacks the source package, Debian's patches applied, in the
# current folder and prints the folder's name. When the archive does not serve that very
# revision (a security update replaced it), the newest revision of the same upstream version
# that it serves is taken, and named in the versions file.
fetch_debian() {
    local served candidates version
    served=$(apt_private showsrc "$1" 2>/dev/null | sed -n 's/^Version: //p' | sort -u)
    candidates=$( (grep -xF "$2" <<<"$served" || true; grep -F "${2%-*}-" <<<"$served" |
        grep -vxF "$2" | sort -rV || true))
    for version in $candidates; do
        if apt_private source "$1=$version" >"$1.fetch.log" 2>&1; then
            echo "$1 $version (Debian)" >>"$PREFIX/share/licences/VERSIONS.txt"
            find . -maxdepth 1 -mindepth 1 -type d -name "$1-*" | head -n1
            return
        fi
        cat "$1.fetch.log" >>"$1.fetch-failures.log"
    done
    echo "Debian's archive serves no source of $1 ${2%-*} that could be fetched:" >&2
    cat "$1.fetch-failures.log" >&2 2>/dev/null || true
    exit 1
}

# fetch_archive FILE SHA256: unpacks an archive from the sources folder, once its checksum
# holds, and prints the folder's name.
fetch_archive() {
    echo "$2  $SOURCES/$1" | sha256sum --check --quiet >&2
    echo "$1 (upstream, sha256 $2)" >>"$PREFIX/share/licences/VERSIONS.txt"
    tar -xzf "$SOURCES/$1"
    tar -tzf "$SOURCES/$1" | sed -n '1s|/.*||p'
}

# build LIBRARY STEPS FOLDER: runs the library's build steps in a subshell, its output in its
# own log; a failure stops everything, naming the
# library and showing the end of its log.
build() {
    local library=$1
    shift
    local log="$WORK/$library.log"
    echo "  $library"
    if ! ("$@") >"$log" 2>&1; then
        echo "Building $library for Windows failed; the end of its log ($log):" >&2
        tail -n 40 "$log" >&2
        exit 1
    fi
}

# keep_licence NAME FILE: the licence a library ships under, for the zip and the installer.
keep_licence() {
    cp "$2" "$PREFIX/share/licences/$1.txt"
}

configure_host() {
    ./configure --host=$HOST --prefix="${PREFIX:?}" CPPFLAGS="-I$PREFIX/include" \
        LDFLAGS="-L$PREFIX/lib" "$@"
}

build_libpng() {
    cd "$1" && configure_host --disable-shared --enable-static && make -j"$JOBS" && make install
}

# Against the zlib that Debian builds for mingw-w64: FreeType's own copy of zlib would clash
# with it when everything is linked together.
build_freetype() {
    cd "$1" && configure_host --disable-shared --enable-static --with-zlib=yes --with-png=no \
        --with-bzip2=no --with-harfbuzz=no --with-brotli=no --enable-freetype-config &&
        make -j"$JOBS" && make install
}

# Debian's dont_propagate_lpthread.diff trims sdl.pc's libraries to -lSDL, which suits a Linux
# link but leaves Windows programs without SDL's main wrapper. Every other Debian patch builds
# for Windows and stays. SDL itself is a DLL, under its own licence (LGPL), and its
# standard-stream redirection is off, so the game writes no stdout.txt or stderr.txt.
build_sdl() {
    cd "$1" && patch -R -p1 <debian/patches/dont_propagate_lpthread.diff &&
        configure_host --enable-shared --disable-static --disable-stdio-redirect --without-x \
        --disable-video-x11 &&
        make -j"$JOBS" && make install
}

# WAV only: no MIDI, MOD, Ogg, FLAC or MP3, so none of their libraries.
build_sdl_mixer() {
    cd "$1" && configure_host --disable-shared --enable-static --disable-music-cmd \
        --disable-music-mod --disable-music-midi --disable-music-ogg --disable-music-flac --disable-music-mp3 \
        --disable-music-mp3-mad-gpl --disable-smpegtest --with-sdl-prefix="$PREFIX" &&
        make -j"$JOBS" && make install
}

# PNG only, linked against libpng rather than loading it at run time.
build_sdl_image() {
    cd "$1" && configure_host --disable-shared --enable-static --enable-png \
        --disable-png-shared --disable-bmp --disable-gif --disable-jpg --disable-lbm --disable-pcx --disable-pnm \
        --disable-tga --disable-tif --disable-webp --disable-xcf --disable-xpm --disable-xv \
        --with-sdl-prefix="$PREFIX" LIBS="-lpng16 -lz" &&
        make -j"$JOBS" && make install
}

build_sdl_ttf() {
    cd "$1" && configure_host --disable-shared --enable-static --with-freetype-prefix="$PREFIX" \
        --with-sdl-prefix="$PREFIX" LIBS="-lz" &&
        make -j"$JOBS" && make install
}

build_libraries() {
    WORK=$CACHE/windows-build-$KEY
    # The libraries' own files (sdl-config, pkg-config's) name the prefix they were built for,
    # so they are built in place; the cache counts only once COMPLETE is written.
    rm -rf "$WORK" "$PREFIX"
    mkdir -p "$WORK" "$PREFIX/share/licences"
    export PATH="$PREFIX/bin:$PATH" PKG_CONFIG_LIBDIR="$PREFIX/lib/pkgconfig"
    export SDL_CONFIG="$PREFIX/bin/sdl-config"
    cd "$WORK"
    set_up_private_apt

    local png freetype sdl mixer image ttf
    png=$(fetch_debian libpng1.6 "$PNG_VERSION")
    build libpng build_libpng "$png"
    keep_licence libpng "$png/LICENSE"

    freetype=$(fetch_debian freetype "$FREETYPE_VERSION")
    build FreeType build_freetype "$freetype"
    keep_licence FreeType "$freetype/docs/FTL.TXT"
    keep_licence zlib /usr/share/doc/libz-mingw-w64-dev/copyright

    sdl=$(fetch_debian libsdl1.2 "$SDL_VERSION")
    build SDL build_sdl "$sdl"
    keep_licence SDL "$sdl/COPYING"

    mixer=$(fetch_debian sdl-mixer1.2 "$MIXER_VERSION")
    build SDL_mixer build_sdl_mixer "$mixer"
    keep_licence SDL_mixer "$mixer/COPYING"

    image=$(fetch_archive "$IMAGE_ARCHIVE" "$IMAGE_SHA256")
    build SDL_image build_sdl_image "$image"
    keep_licence SDL_image "$image/COPYING"

    ttf=$(fetch_archive "$TTF_ARCHIVE" "$TTF_SHA256")
    build SDL_ttf build_sdl_ttf "$ttf"
    keep_licence SDL_ttf "$ttf/COPYING"

    cd "$ROOT"
    touch "$PREFIX/COMPLETE"
    rm -rf "$WORK"
}

# Nothing of an earlier run stays to be mistaken for this one's.
rm -rf "$OUT/packages"
if [ ! -f "$PREFIX/COMPLETE" ]; then
    echo "Building the libraries for Windows (once; cached in $PREFIX)"
    build_libraries
fi

echo "Building the game for Windows"
# pkg-config's answers stay in the cache; the libraries' prefix may have changed since.
rm -f "$OUT/build/CMakeCache.txt"
cmake -S . -B "$OUT/build" -DCMAKE_TOOLCHAIN_FILE="$ROOT/tools/mingw-w64.cmake" \
    -DDUNMARROW_WINDOWS_LIBS="$PREFIX" -DCMAKE_BUILD_TYPE=Release -DDUNMARROW_TESTS=OFF -DDUNMARROW_WERROR=ON \
    >/dev/null
cmake --build "$OUT/build" -j "$JOBS" -- --no-print-directory >/dev/null
(cd "$OUT/build" && cpack -G "ZIP;NSIS" -B "$OUT/packages" >/dev/null)
rm -rf "$OUT/packages/_CPack_Packages"
ls "$OUT"/packages/*
