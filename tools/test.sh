#!/usr/bin/env bash
# Installs what is missing, builds the game twice (plain, and with AddressSanitizer and
# UndefinedBehaviorSanitizer) and runs the whole test suite on both builds, the end-to-end
# tests in a real window under Xvfb included.
set -euo pipefail
cd "$(dirname "$0")/.."
source tools/dependencies.sh
install_packages "${BUILD_PACKAGES[@]}" "${RUN_PACKAGES[@]}" "${TEST_PACKAGES[@]}"

echo "Building with the sanitizers"
configure_and_build build-asan -DDUNMARROW_SANITIZE=ON
echo "Testing the sanitizer build"
ctest --test-dir build-asan -j "$(nproc)" --output-on-failure --progress

echo "Building"
configure_and_build build-test
echo "Testing"
ctest --test-dir build-test -j "$(nproc)" --output-on-failure
