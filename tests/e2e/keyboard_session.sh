#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Starts the real nestora in Xvfb and uses it the way a person does, with
# xdotool keystrokes, checking the settings file it leaves beside itself.
# Usage: keyboard_session.sh path/to/nestora
set -euo pipefail

program=$1
work=$(mktemp -d /tmp/nestora-e2e-XXXXXX)
chmod 755 "$work"
xvfb_pid=
wm_pid=
app_pid=
cleanup() {
    [ -n "$app_pid" ] && kill "$app_pid" 2>/dev/null || true
    [ -n "$wm_pid" ] && kill "$wm_pid" 2>/dev/null || true
    [ -n "$xvfb_pid" ] && kill "$xvfb_pid" 2>/dev/null || true
    [ -n "$xvfb_pid" ] && while kill -0 "$xvfb_pid" 2>/dev/null; do sleep 0.1; done
    chmod -R u+w "$work" 2>/dev/null || true
    rm -rf "$work"
}
trap cleanup EXIT

fail() {
    echo "FAIL: $*" >&2
    import -window root /tmp/nestora-e2e-failure.png 2>/dev/null &&
        echo "screen at the failure: /tmp/nestora-e2e-failure.png" >&2
    for w in $(xdotool search --name . 2>/dev/null); do
        echo "window $w: $(xdotool getwindowname "$w") $(xwininfo -id "$w" | grep -o 'Map State: .*')" >&2
    done
    pgrep -a openbox >&2 || echo "no window manager running" >&2
    cat "$work/wm.log" >&2
    [ -s "$work/program.log" ] && { echo "--- the program said:" >&2; cat "$work/program.log" >&2; }
    exit 1
}

# A display of our own, open to every local user (the unwritable-folder case
# runs the program as another user when we are root). Xvfb picks a free
# display number itself and writes it when it is ready.
Xvfb -displayfd 4 -screen 0 1280x1024x24 -nolisten tcp -ac 4>"$work/display" 2>/dev/null &
xvfb_pid=$!
for _ in $(seq 200); do [ -s "$work/display" ] && break; sleep 0.1; done
[ -s "$work/display" ] || fail "Xvfb did not start"
export DISPLAY=":$(head -n 1 "$work/display")"
xdpyinfo >/dev/null 2>&1 || fail "Xvfb did not answer"
unset QT_QPA_PLATFORM

# A window manager, as on a desktop: it draws the frames and closes the
# active window on Alt+F4.
openbox --sm-disable >"$work/wm.log" 2>&1 &
wm_pid=$!
for _ in $(seq 50); do xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q window && break; sleep 0.1; done
sleep 1  # the manager announces itself before it has settled

# Each session runs its own copy of the program, whose settings file lives
# beside it: $folder/nestora.fig.
start() {  # start folder [command prefix...]
    local folder=$1; shift
    cp "$program" "$folder/nestora"
    "$@" "$folder/nestora" >>"$work/program.log" 2>&1 &
    app_pid=$!
    wait_window "^Tobrel$"
    main=$(xdotool search --name "^Tobrel$" | head -n 1)
}

wait_window() {  # name regex; prints nothing, fails after 15 s
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

wait_exit() {  # waits for the program and checks its exit status
    local status=0
    for _ in $(seq 150); do
        kill -0 "$app_pid" 2>/dev/null || break
        sleep 0.1
    done
    kill -0 "$app_pid" 2>/dev/null && fail "the program did not end"
    wait "$app_pid" || status=$?
    app_pid=
    [ "$status" -eq 0 ] || fail "exit status $status"
}

set -E
trap 'fail "command failed at line $LINENO"' ERR

keys() { xdotool key --clearmodifiers --delay 60 "$@"; sleep 0.3; }

line() { sed -n "${2}p" "$1" | tr -d '\r'; }

expected=$(printf '%s\r\n' 10 10 \
    " 6.50000000000000E+0004" " 1.20000000000000E+0004" " 7.50000000000000E-0002" \
    " 3.00000000000000E-0002" " 6.50000000000000E-0002" 20)

echo "1. No settings file: File > Exit writes the first-run file."
one="$work/one"; mkdir -m 755 "$one"
start "$one"
xdotool windowactivate --sync "$main"
keys alt+f
keys e
wait_exit
[ -f "$one/nestora.fig" ] || fail "no settings file written"
[ "$(stat -c %s "$one/nestora.fig")" -eq 137 ] || fail "settings file is not 137 bytes"
[ "$(cat "$one/nestora.fig")" = "$expected" ] || { od -c "$one/nestora.fig" | head -5 >&2; fail "settings file differs"; }

echo "2. A bad entry brings the warning; Alt+F4 saves what was typed."
start "$one"
xdotool windowactivate --sync "$main"
xdotool type --delay 80 "12a"
wait_window "^Warning$"
keys Return
wait_gone "^Warning$"
xdotool windowactivate --sync "$main"
keys alt+F4
wait_exit
[ "$(line "$one/nestora.fig" 3)" = " 1.20000000000000E+0001" ] ||
    fail "saved savings are '$(line "$one/nestora.fig" 3)', not 12"

echo "3. A folder that cannot be written keeps the window open after the error box."
two="$work/two"; mkdir -m 755 "$two"
if [ "$(id -u)" -eq 0 ]; then
    # root writes anywhere: run the program as nobody in a folder root owns.
    start "$two" setpriv --reuid=65534 --regid=65534 --clear-groups
else
    start "$two"
    chmod 555 "$two"
fi
xdotool windowactivate --sync "$main"
keys alt+f
keys e
wait_window "^Nestora$"
keys Return
wait_gone "^Nestora$"
kill -0 "$app_pid" 2>/dev/null || fail "the program ended although the save failed"
xdotool search --onlyvisible --name "^Tobrel$" >/dev/null || fail "the main window closed"
[ -e "$two/nestora.fig" ] && fail "a settings file appeared in the unwritable folder"
kill "$app_pid"; wait "$app_pid" 2>/dev/null || true; app_pid=

echo "4. Under a comma locale the fields show and take a comma; the file keeps points."
locales="$work/locales"; mkdir -m 755 "$locales"
localedef -i de_DE -f UTF-8 "$locales/de_DE.UTF-8" >/dev/null 2>&1 ||
    [ -d "$locales/de_DE.UTF-8" ] || fail "cannot build a comma locale"
three="$work/three"; mkdir -m 755 "$three"
start "$three" env LOCPATH="$locales" LC_ALL=de_DE.UTF-8
sleep 0.5
xdotool search --onlyvisible --name "^Warning$" >/dev/null && fail "a warning at start-up"
xdotool windowactivate --sync "$main"
# From Edit1, Tab passes the four results and Edit2 before it reaches Edit9.
keys Tab Tab Tab Tab Tab Tab
xdotool type --delay 80 "8,25"
sleep 0.5
xdotool search --onlyvisible --name "^Warning$" >/dev/null && fail "8,25 was refused"
keys alt+F4
wait_exit
[ "$(line "$three/nestora.fig" 5)" = " 8.25000000000000E-0002" ] ||
    fail "saved return is '$(line "$three/nestora.fig" 5)', not 8,25 %"

echo "PASS"
