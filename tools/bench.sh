#!/usr/bin/env bash
# Builds the benchmarks with optimisation and runs them.
set -euo pipefail
cd "$(dirname "$0")/.."
source tools/dependencies.sh
install_packages "${BUILD_PACKAGES[@]}" "${BENCH_PACKAGES[@]}"
cmake -S . -B build-bench -DCMAKE_BUILD_TYPE=Release -DDUNMARROW_TESTS=OFF -DDUNMARROW_BENCHMARKS=ON >/dev/null
cmake --build build-bench -j "$(nproc)" --target board_bench -- --no-print-directory >/dev/null
build-bench/bench/board_bench "$@"
