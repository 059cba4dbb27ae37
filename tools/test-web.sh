#!/usr/bin/env bash
# Builds the web version and plays its browser session in one engine, whole or by topic:
#   tools/test-web.sh [ENGINE] [TOPIC...]
# ENGINE is chromium (the default), firefox or webkit; the topics are listed at the top of
# tests/e2e/play_in_browser.sh (page, damaged, hosts, windows, touch, views, keyboard,
# offline). Screenshots go to build-web/e2e-screenshots/ENGINE/.
set -euo pipefail
cd "$(dirname "$0")/.."
source tools/dependencies.sh
ENGINE=${1:-chromium}
[ $# -gt 0 ] && shift
case "$ENGINE" in
    chromium | firefox | webkit) ;;
    *) echo "usage: tools/test-web.sh [chromium|firefox|webkit] [TOPIC...]" >&2; exit 2 ;;
esac
install_packages "${WEB_TEST_PACKAGES[@]}"
tools/web.sh >/dev/null
install_browser_driver
mkdir -p "build-web/e2e-screenshots/$ENGINE"
ENGINE=$ENGINE exec tests/e2e/play_in_browser.sh "$(ls -d build-web/dunmarrow-*-web/)" \
    "build-web/e2e-screenshots/$ENGINE" "$@"
