# A private X server for Wine's windows, sourced by the scripts that show some, with the bounded
# waits for processes it needs. start_xvfb sets DISPLAY and xvfb_pid; `stop "$xvfb_pid"` ends it.
# Seconds: an X server starts in well under one.
xvfb_timeout=30
xvfb_pid=
# Waits, for a bounded time, until a process of ours has ended.
await_end() { [ -n "$1" ] && timeout 30 tail --pid="$1" -f /dev/null; }
stop() { [ -n "$1" ] && kill "$1" 2>/dev/null && await_end "$1"; }

# A display number that no X server holds; Xvfb refuses one that is taken meanwhile, and the
# next is tried.
start_xvfb() {
    local display deadline
    for display in $(seq 90 140); do
        [ -e "/tmp/.X$display-lock" ] || [ -e "/tmp/.X11-unix/X$display" ] && continue
        Xvfb ":$display" -screen 0 1024x768x24 -nolisten tcp >/dev/null 2>&1 &
        xvfb_pid=$!
        deadline=$((SECONDS + xvfb_timeout))
        while [ "$SECONDS" -lt "$deadline" ] && kill -0 "$xvfb_pid" 2>/dev/null; do
            if xdpyinfo -display ":$display" >/dev/null 2>&1; then
                export DISPLAY=":$display"
                return 0
            fi
        done
        stop "$xvfb_pid"
        xvfb_pid=
    done
    return 1
}
