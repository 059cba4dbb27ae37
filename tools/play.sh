#!/usr/bin/env bash
# Installs what is missing, builds the game and starts it. Options are passed on to the
# game: -nosound, -software, or both.
set -euo pipefail
cd "$(dirname "$0")/.."
source tools/dependencies.sh
install_packages "${BUILD_PACKAGES[@]}" "${RUN_PACKAGES[@]}"
configure_and_build build -DDUNMARROW_TESTS=OFF
# The game finds its pictures, sounds and font from the repository's root.
exec build/dunmarrow "$@"
