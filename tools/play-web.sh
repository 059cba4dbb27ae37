#!/usr/bin/env bash
# Builds the web site (tools/web.sh), serves it on the loopback and prints the address to open
# in a browser. Ctrl-C stops the server. PORT chooses the port (8000).
set -euo pipefail
cd "$(dirname "$0")/.."
tools/web.sh >/dev/null
SITE=$(ls -d build-web/dunmarrow-*-web/)
PORT=${PORT:-8000}
echo "Dunmarrow is served at http://127.0.0.1:$PORT/ (Ctrl-C stops the server)"
exec python3 -m http.server "$PORT" --bind 127.0.0.1 --directory "$SITE"
