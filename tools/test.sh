#!/usr/bin/env bash
# Installs what is missing, builds the game twice (plain, and with AddressSanitizer and
# UndefinedBehaviorSanitizer) and runs the whole test suite on both builds, the end-to-end
# tests in a real window under Xvfb included.
set -euo pipefail
cd "$(dirname "$0")/.."
source tools/dependencies.sh
install_packages "${BUILD_PACKAGES[@]}" "${RUN_PACKAGES[@]}" "${TEST_PACKAGES[@]}" \
    "${INSTALL_TEST_PACKAGES[@]}" "${BENCH_PACKAGES[@]}"

echo "Building with the sanitizers"
configure_and_build build-asan -DDUNMARROW_SANITIZE=ON
echo "Testing the sanitizer build"
ctest --test-dir build-asan -j "$(nproc)" --output-on-failure --progress

echo "Building"
# The benchmarks are built too, so that they keep compiling; tools/bench.sh runs them.
configure_and_build build-test -DDUNMARROW_BENCHMARKS=ON
echo "Testing"
ctest --test-dir build-test -j "$(nproc)" --output-on-failure
