# Sourced by the other scripts: the Debian packages the game needs, and a way to install
# whichever of them are missing.

# libx11-dev: the desktop's scale is read from X's resources.
BUILD_PACKAGES=(g++ cmake make pkg-config
    libsdl1.2-dev libsdl-image1.2-dev libsdl-mixer1.2-dev libsdl-ttf2.0-dev libx11-dev)
# xmessage, for the error box when no zenity or kdialog is there.
RUN_PACKAGES=(x11-utils)
# libsdl1.2-compat installs beside the classic library, in a folder of its own; never its
# -shim package, which would replace the classic one.
# x11-xserver-utils: xrdb, which gives the test display a high-density desktop's Xft.dpi;
# clang-tidy: the static check of what is left uninitialised.
TEST_PACKAGES=(googletest libgtest-dev libgmock-dev xvfb xauth xdotool imagemagick libx11-dev
    valgrind libsdl1.2-compat faketime x11-xserver-utils clang-tidy)
# What the Debian package is built with, and what it depends on beyond the libraries.
PACKAGE_PACKAGES=(dpkg-dev file ttf-bitstream-vera)
# What the install test checks the installed files and the Debian package with.
INSTALL_TEST_PACKAGES=(desktop-file-utils appstream man-db groff-base lintian
    "${PACKAGE_PACKAGES[@]}")
BENCH_PACKAGES=(libbenchmark-dev libx11-dev xvfb xauth)
# The Windows build: the cross compiler, Debian's zlib for it, what unpacks and builds the
# libraries' source packages, NSIS for the installer, and Wine to test it all.
WINDOWS_PACKAGES=(g++-mingw-w64-x86-64-posix gcc-mingw-w64-x86-64-posix libz-mingw-w64-dev
    mingw-w64-tools binutils-mingw-w64-x86-64 dpkg-dev patch make pkg-config nsis zip unzip
    wine xvfb xauth xdotool imagemagick)
# The web build: Debian's Emscripten and esbuild (which bundles the page's modules), and for its tests Debian's Chromium and Firefox ESR,
# driven through npm's puppeteer-core on the machine's Node.js, and WebKitGTK's driver and
# MiniBrowser, driven through npm's selenium-webdriver with real X input under Xvfb; WebKit
# plays WAV through GStreamer's plugins (wavparse is among the good ones).
WEB_PACKAGES=(emscripten nodejs python3 esbuild)
WEB_TEST_PACKAGES=(chromium firefox-esr webkit2gtk-driver gstreamer1.0-plugins-base
    gstreamer1.0-plugins-good xvfb xauth xdotool imagemagick fonts-dejavu-core bc)
# The web build's benchmark serves the site over HTTP/2 as hosts do: nginx, with a certificate
# of its own made by openssl.
WEB_BENCH_PACKAGES=(nginx-light openssl curl)
ASSET_PACKAGES=(python3 python3-pil ttf-bitstream-vera)

install_packages() {
    local missing=()
    local package
    for package in "$@"; do
        if ! dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "install ok installed"; then
            missing+=("$package")
        fi
    done
    [ "${#missing[@]}" -eq 0 ] && return 0
    local sudo=()
    [ "$(id -u)" -ne 0 ] && sudo=(sudo)
    echo "Installing ${missing[*]}"
    "${sudo[@]}" apt-get update -qq
    "${sudo[@]}" env DEBIAN_FRONTEND=noninteractive apt-get install -y -qq \
        --no-install-recommends "${missing[@]}" >/dev/null
}

# configure_and_build DIR [cmake options...]: warnings fail the build, as the developers have it.
configure_and_build() {
    local dir="$1"
    shift
    cmake -S . -B "$dir" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DDUNMARROW_WERROR=ON "$@" >/dev/null
    cmake --build "$dir" -j "$(nproc)" -- --no-print-directory >/dev/null
}

# The npm packages that drive the browsers in the web tests, exactly as the lock file pins them.
# npm comes with some builds of Node.js and apart from Debian's: installed only when missing.
install_browser_driver() {
    command -v npm >/dev/null || install_packages npm
    (cd tests/web && npm ci --no-audit --no-fund --loglevel=error >/dev/null)
}
