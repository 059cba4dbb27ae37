#!/usr/bin/env bash
# Installs what is missing, builds the game twice (plain, and with AddressSanitizer and
# UndefinedBehaviorSanitizer) and runs the whole test suite on both builds, the end-to-end
# tests in a real window under Xvfb included; the plain build a second time on sdl12-compat.
# Then the Windows build (tools/windows.sh) plays the same end-to-end scripts under Wine, and
# the web build (tools/web.sh) plays the same session in Debian's Chromium, Firefox ESR and
# WebKitGTK.
set -euo pipefail
cd "$(dirname "$0")/.."
source tools/dependencies.sh
install_packages "${BUILD_PACKAGES[@]}" "${RUN_PACKAGES[@]}" "${TEST_PACKAGES[@]}" \
    "${INSTALL_TEST_PACKAGES[@]}" "${BENCH_PACKAGES[@]}" "${WINDOWS_PACKAGES[@]}" \
    "${WEB_PACKAGES[@]}" "${WEB_TEST_PACKAGES[@]}"

echo "Building with the sanitizers"
configure_and_build build-asan -DDUNMARROW_SANITIZE=ON
echo "Testing the sanitizer build"
ctest --test-dir build-asan -j "$(nproc)" --output-on-failure --progress

echo "Building"
# The benchmarks are built too, so that they keep compiling; tools/bench.sh runs them.
configure_and_build build-test -DDUNMARROW_BENCHMARKS=ON
echo "Testing on the classic SDL 1.2"
DUNMARROW_EXPECTED_SDL=classic ctest --test-dir build-test -j "$(nproc)" --output-on-failure

# Newer distributions ship sdl12-compat, SDL 1.2's interface on SDL2, in place of the classic
# library; Debian keeps it in a folder of its own, so the same build can run on it.
COMPAT_DIR=$(dirname "$(dpkg -L libsdl1.2-compat | grep '/libSDL-1\.2\.so\.0$')")
# (ldd's whole list first: grep -q, leaving at its first match, can cut ldd off mid-list, and
# pipefail then takes ldd's broken pipe for a failure.)
LOADED=$(LD_LIBRARY_PATH="$COMPAT_DIR" ldd build-test/dunmarrow)
if ! grep -q "$COMPAT_DIR/libSDL-1.2" <<<"$LOADED"; then
    echo "sdl12-compat in $COMPAT_DIR is not the SDL the game loads" >&2
    exit 1
fi
echo "Testing on sdl12-compat"
DUNMARROW_EXPECTED_SDL=sdl12-compat LD_LIBRARY_PATH="$COMPAT_DIR" \
    ctest --test-dir build-test -j "$(nproc)" --output-on-failure

echo "Building for Windows"
tools/windows.sh
echo "Testing the Windows build under Wine"
tests/e2e/windows.sh build-windows/packages build-test/tests/close_window \
    build-windows/e2e-screenshots

echo "Building for the web"
tools/web.sh
# Each engine in a session of its own, side by side, so that the slowest sets the pace.
echo "Testing the web build in Chromium, Firefox and WebKit"
install_browser_driver
SITE=$(ls -d build-web/dunmarrow-*-web/)
ENGINES=(chromium firefox webkit)
SESSIONS=()
for engine in "${ENGINES[@]}"; do
    mkdir -p "build-web/e2e-screenshots/$engine"
    (
        started=$SECONDS
        status=0
        ENGINE=$engine tests/e2e/play_in_browser.sh "$SITE" "build-web/e2e-screenshots/$engine" ||
            status=$?
        echo "the $engine session took $((SECONDS - started)) s"
        exit $status
    ) >"build-web/e2e-$engine.log" 2>&1 &
    SESSIONS+=($!)
done
FAILED=0
for i in "${!ENGINES[@]}"; do
    wait "${SESSIONS[i]}" || FAILED=1
    sed "s/^/${ENGINES[i]}: /" "build-web/e2e-${ENGINES[i]}.log"
done
exit "$FAILED"
