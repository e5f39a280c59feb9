# SPDX-License-Identifier: MIT
# Sourced by the end-to-end scripts: a work folder, an X display of our own
# (Xvfb) with a window manager (openbox, which also closes the active window
# on Alt+F4), and the waits and keystrokes a person's session needs.
# The sourcing script sets `work_prefix` first and then calls start_x.

work=$(mktemp -d "/tmp/${work_prefix:-nestora-e2e}-XXXXXX")
chmod 755 "$work"
xvfb_pid=
wm_pid=
app_pid=
cleanup() {
    local pid
    for pid in "$app_pid" "$wm_pid" "$xvfb_pid"; do
        [ -z "$pid" ] || kill "$pid" 2>/dev/null || true
    done
    [ -n "$xvfb_pid" ] && while kill -0 "$xvfb_pid" 2>/dev/null; do sleep 0.1; done
    chmod -R u+w "$work" 2>/dev/null || true
    rm -rf "$work"
}
trap cleanup EXIT

# Says what the screen held when a check failed.
fail() {
    echo "FAIL: $*" >&2
    import -window root /tmp/nestora-e2e-failure.png 2>/dev/null &&
        echo "screen at the failure: /tmp/nestora-e2e-failure.png" >&2
    for w in $(xdotool search --name . 2>/dev/null); do
        echo "window $w: $(xdotool getwindowname "$w") $(xwininfo -id "$w" | grep -o 'Map State: .*')" >&2
    done
    [ -s "$work/wm.log" ] && { echo "--- the window manager said:" >&2; cat "$work/wm.log" >&2; }
    [ -s "$work/program.log" ] && { echo "--- the program said:" >&2; cat "$work/program.log" >&2; }
    exit 1
}

# A display open to every local user (a test may run the program as another
# user); Xvfb picks a free display number and writes it once it is ready.
# Without -noreset the server resets each time its last client leaves (the
# xdpyinfo below, each xprop while the manager starts), and a client that
# connects during a reset is refused.
start_x() {
    Xvfb -displayfd 4 -screen 0 1280x1024x24 -nolisten tcp -ac -noreset 4>"$work/display" 2>/dev/null &
    xvfb_pid=$!
    for _ in $(seq 200); do [ -s "$work/display" ] && break; sleep 0.1; done
    [ -s "$work/display" ] || fail "Xvfb did not start"
    DISPLAY=":$(head -n 1 "$work/display")"
    export DISPLAY
    xdpyinfo >/dev/null 2>&1 || fail "Xvfb did not answer"
    unset QT_QPA_PLATFORM

    # A manager that could not reach the new server is started again.
    local attempt
    for attempt in 1 2 3; do
        openbox --sm-disable >>"$work/wm.log" 2>&1 &
        wm_pid=$!
        for _ in $(seq 50); do
            xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q window && break 2
            kill -0 "$wm_pid" 2>/dev/null || break
            sleep 0.1
        done
        kill "$wm_pid" 2>/dev/null || true
        wm_pid=
    done
    [ -n "$wm_pid" ] || fail "the window manager did not start"
    sleep 1  # the manager announces itself before it has settled
}

wait_window() {  # name regex; fails after 15 s
    for _ in $(seq 150); do
        xdotool search --onlyvisible --name "$1" >/dev/null 2>&1 && return 0
        sleep 0.1
    done
    fail "no window named $1"
}

wait_gone() {  # name regex
    for _ in $(seq 150); do
        xdotool search --onlyvisible --name "$1" >/dev/null 2>&1 || return 0
        sleep 0.1
    done
    fail "window $1 stayed open"
}

# Right after start-up the window manager may still be taking the window in
# and refuse to activate it; a few tries give it time.
activate() {  # window id
    for _ in $(seq 10); do
        timeout 5 xdotool windowactivate --sync "$1" 2>/dev/null && return 0
        sleep 0.3
    done
    fail "window $1 cannot be activated"
}

keys() { xdotool key --clearmodifiers --delay 60 "$@"; sleep 0.3; }

wait_exit() {  # [status, default 0]: waits for the program ($app_pid), checks its exit status
    local expected=${1:-0} status=0
    for _ in $(seq 150); do
        kill -0 "$app_pid" 2>/dev/null || break
        sleep 0.1
    done
    kill -0 "$app_pid" 2>/dev/null && fail "the program did not end"
    wait "$app_pid" || status=$?
    app_pid=
    [ "$status" -eq "$expected" ] || fail "exit status $status, not $expected"
}

line() { sed -n "${2}p" "$1" | tr -d '\r'; }  # file, line number, without its CR
