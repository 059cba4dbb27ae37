#!/usr/bin/env bash
# Regenerates every picture, sound and the font under gfx/, sfx/ and fonts/.
set -euo pipefail
cd "$(dirname "$0")/.."
source tools/dependencies.sh
install_packages "${ASSET_PACKAGES[@]}"
/usr/bin/python3 tools/make_assets.py
