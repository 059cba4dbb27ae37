# Sourced by scripts that need an X display of their own: start_private_display starts Xvfb
# on the first free display number, exports DISPLAY and sets XVFB_PID; its screen is
# 1024x768x24 unless given (WIDTHxHEIGHTxDEPTH). It keeps its state (the resources xrdb gives
# it) when its last client leaves.

start_private_display() {
    local fd_file
    fd_file=$(mktemp)
    Xvfb -displayfd 3 -screen 0 "${1:-1024x768x24}" -nolisten tcp -noreset 3>"$fd_file" 2>/dev/null &
    XVFB_PID=$!
    for _ in $(seq 100); do
        [ -s "$fd_file" ] && break
        sleep 0.1
    done
    export DISPLAY=":$(head -n1 "$fd_file")"
    rm -f "$fd_file"
}
