#!/usr/bin/env bash
# The web build's figures, in headless Chromium on the loopback: the bytes a player downloads
# as a web server sends them (gzip); the time from opening the page in a browser just started
# to the game's first picture, beside the same for tools/minimal_screen.cpp (a program built as
# the game is that only fills its screen), the two taking turns, served by Python's server
# (HTTP/1.1) and by nginx over HTTP/2 with a certificate of its own, as hosts serve; the time
# to the menu in a browser already running; the main thread's work while the game waits on its
# menu; and the cost of one slider-drag event over a 20 x 26 game. RUNS chooses how often each
# is taken (5; the first visits 2 x RUNS + 1). The first visits are taken once more in a browser
# left to settle after its start, with the processor time of all its processes.
set -euo pipefail
cd "$(dirname "$0")/.."
source tools/dependencies.sh
install_packages "${WEB_TEST_PACKAGES[@]}" "${WEB_BENCH_PACKAGES[@]}"
tools/web.sh >/dev/null
install_browser_driver
SITE=$(ls -d build-web/dunmarrow-*-web/)
set -- "$SITE" build-web/bench
source tests/e2e/web_session.sh
start_display
RUNS=${RUNS:-5}

total=0
cd "$SITE"
for file in index.html page/*.js page.*.css dunmarrow.*.js dunmarrow.*.wasm assets.*.pack sfx/*.wav \
    icon.png; do
    bytes=$(gzip -9c "$file" | wc -c)
    printf '%-24s %8d bytes gzipped (%d as stored)\n' "$file" "$bytes" "$(stat -c %s "$file")"
    total=$((total + bytes))
done
cd - >/dev/null
echo "download, gzipped: $total bytes"

# serve_h2 DIR: the folder served by nginx over HTTP/2 and TLS, gzip on, as hosts serve it;
# sets SERVED_URL. (Chromium is told to take the certificate, which is the server's own.)
serve_h2() {
    local conf port
    conf=$(mktemp -d)
    chmod 755 "$conf"
    openssl req -x509 -newkey rsa:2048 -nodes -subj /CN=127.0.0.1 -days 2 \
        -keyout "$conf/key.pem" -out "$conf/cert.pem" 2>/dev/null
    port=$(python3 -c 'import socket; s = socket.socket(); s.bind(("127.0.0.1", 0)); print(s.getsockname()[1])')
    cat >"$conf/nginx.conf" <<CONF
worker_processes 1;
pid $conf/nginx.pid;
error_log $conf/error.log;
events {}
http {
    include /etc/nginx/mime.types;
    access_log off;
    gzip on;
    gzip_types text/css application/javascript application/wasm application/json;
    client_body_temp_path $conf/body;
    server {
        listen 127.0.0.1:$port ssl http2;
        ssl_certificate $conf/cert.pem;
        ssl_certificate_key $conf/key.pem;
        root $1;
    }
}
CONF
    /usr/sbin/nginx -c "$conf/nginx.conf" -p "$conf" -g 'daemon off;' 2>/dev/null &
    SERVER_PIDS+=($!)
    for _ in $(seq 100); do
        curl -ksf -o /dev/null "https://127.0.0.1:$port/" && break
        sleep 0.1
    done
    SERVED_URL="https://127.0.0.1:$port/"
}

# median: the middle of the numbers on standard input.
median() { sort -g | awk '{ v[NR] = $1 } END { print v[int((NR + 1) / 2)] }'; }
# first_visits NAME GAME_URL MINIMAL_URL: the game and the minimal screen taking turns, each in
# a browser just started.
first_visits() {
    local games=() minimals=() run game minimal
    for run in $(seq $((2 * RUNS + 1))); do
        games+=("$(browser first_visit_ms "$2" 100 500)")
        minimals+=("$(browser first_visit_ms "$3" 100 500)")
        printf 'first visit %s %d: the game %.0f ms, the minimal screen %.0f ms\n' "$1" "$run" \
            "${games[-1]}" "${minimals[-1]}"
    done
    game=$(printf '%s\n' "${games[@]}" | median)
    minimal=$(printf '%s\n' "${minimals[@]}" | median)
    printf 'first visit %s, medians: the game %.0f ms, the minimal screen %.0f ms, ratio %.2f\n' \
        "$1" "$game" "$minimal" "$(echo "$game / $minimal" | bc -l)"
}
serve "$(pwd)/build-web/minimal"
MINIMAL_URL=$SERVED_URL
first_visits "over HTTP/1.1" "$SITE_URL" "$MINIMAL_URL"
serve_h2 "$SITE"
H2_SITE=$SERVED_URL
serve_h2 "$(pwd)/build-web/minimal"
first_visits "over HTTP/2" "$H2_SITE" "$SERVED_URL"

# The same over HTTP/1.1 in a browser left to settle after its start, so that its own start
# does not share the processor with the page: the time, and the processor time of the whole
# browser (every process) from the page's opening to the game's first picture.
settled=()
for run in $(seq $((2 * RUNS + 1))); do
    read -r game game_busy <<<"$(browser settled_visit "$SITE_URL" 100 500)"
    read -r minimal minimal_busy <<<"$(browser settled_visit "$MINIMAL_URL" 100 500)"
    settled+=("$game $game_busy $minimal $minimal_busy")
done
for column in 1 2 3 4; do
    values[column]=$(printf '%s\n' "${settled[@]}" | cut -d' ' -f"$column" | median)
done
printf 'settled browser over HTTP/1.1, medians: the game %s ms (processor %s ms), the minimal screen %s ms (processor %s ms), ratio %.2f\n' \
    "${values[1]}" "${values[2]}" "${values[3]}" "${values[4]}" "$(echo "${values[1]} / ${values[3]}" | bc -l)"

# In the same browser, with nothing cached: the menu comes with the first picture, before any
# input.
for run in $(seq "$RUNS"); do
    printf 'run %d: page opened to the menu drawn %.0f ms\n' "$run" "$(browser drawn_ms 345 190)"
done

start_game
move 5 5
# Past the start's own work (the font, the first drawing), the game only waits.
sleep 2
for run in $(seq "$RUNS"); do
    before=$(browser busy_ms)
    sleep 5
    after=$(browser busy_ms)
    printf 'idle on the menu, main thread: %.2f ms a second\n' "$(echo "($after - $before) / 5" | bc -l)"
done

drag 330 410 300
drag 330 411 350
click 1 400 190
key Escape
for run in $(seq "$RUNS"); do
    before=$(browser busy_ms)
    browser drag_back_and_forth 200 250 >/dev/null
    after=$(browser busy_ms)
    printf 'a slider drag over a 20 x 26 game: %.2f ms an event\n' \
        "$(echo "($after - $before) / 200" | bc -l)"
done
