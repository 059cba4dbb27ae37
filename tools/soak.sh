#!/usr/bin/env bash
# The long soak: a million random but seeded events through the real loop on the sanitizer
# build, with the board, the text slot and the heap checked after each. The test command
# runs the same test with 10,000 events. Options: EVENTS [SEED].
set -euo pipefail
cd "$(dirname "$0")/.."
source tools/dependencies.sh
install_packages "${BUILD_PACKAGES[@]}" "${TEST_PACKAGES[@]}"
configure_and_build build-asan -DDUNMARROW_SANITIZE=ON
DUNMARROW_SOAK_EVENTS="${1:-1000000}" DUNMARROW_SOAK_SEED="${2:-20261208}" \
    build-asan/tests/dunmarrow_loop_tests --gtest_filter='SoakTest.*'
