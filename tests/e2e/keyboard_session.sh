#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Starts the real nestora in Xvfb and uses it the way a person does, with
# xdotool keystrokes, checking the settings file it leaves beside itself.
# Usage: keyboard_session.sh path/to/nestora [folder for screenshots]
set -euo pipefail

program=$1
shots=${2:-}
work_prefix=nestora-e2e
. "$(dirname "$0")/x_session.sh"
start_x
# A copy in a folder it may write keeps its settings beside itself; the
# user's configuration folder, a scratch one here, must stay untouched.
export XDG_CONFIG_HOME=$work/config

# Each session runs its own copy of the program, whose settings file lives
# beside it: $folder/nestora.fig.
start() {  # start folder [command prefix...]
    local folder=$1; shift
    cp "$program" "$folder/nestora"
    # The Year by Year window's library goes with the program.
    cp "$(dirname "$program")/libnestora-year-by-year.so" "$folder/"
    "$@" "$folder/nestora" >>"$work/program.log" 2>&1 &
    app_pid=$!
    wait_window "^Tobrel$"
    main=$(xdotool search --name "^Tobrel$" | head -n 1)
}

# The left and right edges of a window's frame: its client's place and width
# and the frame's extents that the window manager announces.
frame_span() {  # window id
    local WINDOW X Y WIDTH HEIGHT SCREEN left right
    eval "$(xdotool getwindowgeometry --shell "$1")"
    read -r left right _ < <(xprop -id "$1" _NET_FRAME_EXTENTS | sed 's/.*= //; s/,/ /g')
    echo "$((X - left)) $((X + WIDTH + right - 1))"
}

set -E
trap 'fail "command failed at line $LINENO"' ERR

# Checks that no warning box came up for what the program has been sent so
# far (`what` names it in the failure). Alt+H opens the help window only once
# the program has handled every key before it, and a warning box, being
# modal, would take the Alt+H instead: so the help window is awaited, a
# warning seen meanwhile fails, and the help window is closed again.
no_warning_after() {  # what
    activate "$main"
    keys alt+h
    local help=
    for _ in $(seq 150); do
        xdotool search --onlyvisible --name "^Warning$" >/dev/null 2>&1 && fail "a warning after $1"
        help=$(xdotool search --onlyvisible --name "^Tobrel  Help$" 2>/dev/null | head -n 1) || true
        [ -n "$help" ] && break
        sleep 0.1
    done
    [ -n "$help" ] || fail "the help window did not open after $1"
    xdotool search --onlyvisible --name "^Warning$" >/dev/null 2>&1 && fail "a warning after $1"
    activate "$help"
    keys alt+F4
    wait_gone "^Tobrel  Help$"
    activate "$main"
}

expected=$(printf '%s\r\n' 10 10 \
    " 6.50000000000000E+0004" " 1.20000000000000E+0004" " 7.50000000000000E-0002" \
    " 3.00000000000000E-0002" " 6.50000000000000E-0002" 20)

echo "1. No settings file: File > Exit writes the first-run file."
one="$work/one"; mkdir -m 755 "$one"
start "$one"
activate "$main"
keys alt+f
keys e
wait_exit
[ -f "$one/nestora.fig" ] || fail "no settings file written"
[ "$(stat -c %s "$one/nestora.fig")" -eq 137 ] || fail "settings file is not 137 bytes"
[ "$(cat "$one/nestora.fig")" = "$expected" ] || { od -c "$one/nestora.fig" | head -5 >&2; fail "settings file differs"; }
[ -e "$XDG_CONFIG_HOME" ] && fail "a copy that may write beside itself wrote into $XDG_CONFIG_HOME"

echo "2. A bad entry brings the warning; Alt+F4 saves what was typed."
start "$one"
activate "$main"
xdotool type --delay 80 "12a"
wait_window "^Warning$"
keys Return
wait_gone "^Warning$"
activate "$main"
keys alt+F4
wait_exit
[ "$(line "$one/nestora.fig" 3)" = " 1.20000000000000E+0001" ] ||
    fail "saved savings are '$(line "$one/nestora.fig" 3)', not 12"

echo "3. A read-only settings file: the error box, then keep open or close without saving."
two="$work/two"; mkdir -m 755 "$two"
printf '%s' "$expected" >"$two/nestora.fig"
chmod 444 "$two/nestora.fig"  # no write permission refuses root too
start "$two"
activate "$main"
xdotool type --delay 80 "7"  # the plan now differs from the file
keys alt+f
keys e
wait_window "^Nestora$"
keys Return
wait_gone "^Nestora$"
# The question after the error box: Enter keeps the window open.
wait_window "^Plan not saved$"
keys Return
wait_gone "^Plan not saved$"
kill -0 "$app_pid" 2>/dev/null || fail "the program ended although the save failed"
xdotool search --onlyvisible --name "^Tobrel$" >/dev/null || fail "the main window closed"
[ "$(cat "$two/nestora.fig")" = "$expected" ] || fail "the read-only file changed"
[ -e "$XDG_CONFIG_HOME" ] && fail "the save went elsewhere than the read-only file"
# A second close, and this time Alt+C: Close Without Saving.
activate "$main"
keys alt+F4
wait_window "^Nestora$"
keys Return
wait_gone "^Nestora$"
wait_window "^Plan not saved$"
keys alt+c
wait_exit
[ "$(cat "$two/nestora.fig")" = "$expected" ] || fail "closing without saving changed the file"

echo "3a. A damaged settings file: the fields show the plan as read; the first save keeps the file."
damaged="$work/damaged"; mkdir -m 755 "$damaged"
printf '20\r\n30\r\n 9.00000000000000E+0004\r\nabc\r\n' >"$damaged/nestora.fig"
cp "$damaged/nestora.fig" "$work/damaged.fig"
cp "$program" "$damaged/nestora"
cp "$(dirname "$program")/libnestora-year-by-year.so" "$damaged/"
"$damaged/nestora" >>"$work/program.log" 2>&1 &
app_pid=$!
# The box comes at creation and again before the window shows; with no
# window of the program active yet, each is activated before Enter.
for _ in 1 2; do
    wait_window "^Nestora$"
    box=$(xdotool search --onlyvisible --name "^Nestora$" | head -n 1)
    activate "$box"
    keys Return
    for _ in $(seq 150); do
        xdotool search --onlyvisible --name "^Nestora$" 2>/dev/null | grep -qx "$box" || break
        sleep 0.1
    done
done
wait_window "^Tobrel$"
main=$(xdotool search --name "^Tobrel$" | head -n 1)
no_warning_after "a damaged start"
keys alt+F4
wait_exit
cmp -s "$damaged/nestora.fig.damaged" "$work/damaged.fig" || fail "the damaged file was not kept"
# The plan that was shown: the savings read before the fault, the rest as
# the fields showed them (the annual savings' "abc" reads as 0).
[ "$(line "$damaged/nestora.fig" 3)" = " 9.00000000000000E+0004" ] ||
    fail "saved savings are '$(line "$damaged/nestora.fig" 3)', not 90000"
[ "$(line "$damaged/nestora.fig" 4)" = " 0.00000000000000E+0000" ] ||
    fail "saved annual savings are '$(line "$damaged/nestora.fig" 4)', not 0"
[ "$(line "$damaged/nestora.fig" 8)" = "20" ] || fail "saved years are not the default 20"

echo "4. Under a comma locale the fields show and take a comma; the file keeps points."
locales="$work/locales"; mkdir -m 755 "$locales"
localedef -i de_DE -f UTF-8 "$locales/de_DE.UTF-8" >/dev/null 2>&1 ||
    [ -d "$locales/de_DE.UTF-8" ] || fail "cannot build a comma locale"
three="$work/three"; mkdir -m 755 "$three"
start "$three" env LOCPATH="$locales" LC_ALL=de_DE.UTF-8
no_warning_after "start-up"
# From Edit1, Tab passes the four results and Edit2 before it reaches Edit9.
keys Tab Tab Tab Tab Tab Tab
xdotool type --delay 80 "8,25"
no_warning_after "typing 8,25"
keys alt+F4
wait_exit
[ "$(line "$three/nestora.fig" 5)" = " 8.25000000000000E-0002" ] ||
    fail "saved return is '$(line "$three/nestora.fig" 5)', not 8,25 %"

echo "5. Year by Year opens from the menu by keyboard and follows an edit."
four="$work/four"; mkdir -m 755 "$four"
start "$four"
activate "$main"
keys alt+y
wait_window "^Year by Year$"
yby=$(xdotool search --onlyvisible --name "^Year by Year$" | head -n 1)
# The first time it opens beside the main window, covering none of it.
read -r _ main_right < <(frame_span "$main")
read -r yby_left yby_right < <(frame_span "$yby")
[ "$yby_left" -gt "$main_right" ] && [ "$yby_right" -lt 1280 ] ||
    fail "Year by Year's frame spans $yby_left…$yby_right, the main window's ends at $main_right"
activate "$main"
# Edit1 has the focus; Tab passes the four results and Edit2 to reach Edit9.
keys Tab Tab Tab Tab Tab Tab
xdotool type --delay 80 "6.5"
sleep 0.5
xdotool search --onlyvisible --name "^Warning$" >/dev/null && fail "6.5 was refused"
activate "$yby"
# Show the nominal balance too, with the check box's mnemonic.
keys alt+n
sleep 0.5
import -window root "$work/year-by-year.png"
[ -s "$work/year-by-year.png" ] || fail "no screenshot"
[ -z "$shots" ] || cp "$work/year-by-year.png" "$shots/"
# Closing it only hides it; the program goes on and ends as before.
keys alt+F4
wait_gone "^Year by Year$"
kill -0 "$app_pid" 2>/dev/null || fail "closing Year by Year ended the program"
activate "$main"
keys alt+F4
wait_exit
[ "$(line "$four/nestora.fig" 5)" = " 6.50000000000000E-0002" ] ||
    fail "saved return is '$(line "$four/nestora.fig" 5)', not 6.5 %"

echo "6. The command line writes the schedule without a display."
env -u DISPLAY -u QT_QPA_PLATFORM "$four/nestora" --schedule >"$work/schedule.csv" ||
    fail "nestora --schedule failed"
[ "$(head -n 1 "$work/schedule.csv")" = "year,phase,saving,draw_today,balance,balance_today" ] ||
    fail "the schedule's header is '$(head -n 1 "$work/schedule.csv")'"
grep -q "^20,saving,12000,0," "$work/schedule.csv" || fail "no row for year 20"
status=0
env -u DISPLAY "$four/nestora" --schedule "$work/none.fig" 2>"$work/err" || status=$?
[ "$status" -eq 1 ] && [ "$(cat "$work/err")" = "nestora: $work/none.fig: File not found." ] ||
    fail "a missing FILE gave status $status and '$(cat "$work/err")'"

echo "7. The command line adds the varying-returns columns."
env -u DISPLAY -u QT_QPA_PLATFORM "$four/nestora" --schedule --volatility 12 --horizon 30 \
    --paths 2000 >"$work/simulated.csv" || fail "nestora --schedule --volatility failed"
[ "$(head -n 1 "$work/simulated.csv")" = \
  "year,phase,saving,draw_today,balance,balance_today,p10_today,p50_today,p90_today,funded" ] ||
    fail "the simulated schedule's header is '$(head -n 1 "$work/simulated.csv")'"
[ "$(wc -l <"$work/simulated.csv")" -ge 51 ] || fail "the table stops before year 50"
grep -qE "^50,retired,([0-9]+,){7}[01]\.[0-9]{4}$" "$work/simulated.csv" ||
    fail "no simulated row for year 50"
status=0
env -u DISPLAY "$four/nestora" --schedule --volatility 80 2>/dev/null >/dev/null || status=$?
[ "$status" -eq 2 ] || fail "--volatility 80 gave status $status, not 2"

echo "8. A second start on the same settings file brings the running window to the front."
five="$work/five"; mkdir -m 755 "$five"
start "$five"
first=$app_pid
activate "$main"
keys alt+h  # the help window comes in front of the main window
wait_window "^Tobrel  Help$"
activate "$(xdotool search --onlyvisible --name "^Tobrel  Help$" | head -n 1)"
status=0
timeout 20 "$five/nestora" >>"$work/program.log" 2>&1 || status=$?
[ "$status" -eq 0 ] || fail "the second start ended with status $status"
[ "$(xdotool search --onlyvisible --name "^Tobrel$" | wc -l)" -eq 1 ] || fail "two main windows"
for _ in $(seq 50); do
    [ "$(xdotool getactivewindow)" = "$main" ] && break
    sleep 0.1
done
[ "$(xdotool getactivewindow)" = "$main" ] || fail "the running window did not come to the front"
kill -0 "$first" 2>/dev/null || fail "the first window ended"
env -u DISPLAY "$five/nestora" --schedule >/dev/null || fail "--schedule refused while the window runs"

echo "9. SIGTERM closes the window as its close box does: the plan is saved, status 0."
[ -e "$five/nestora.fig" ] && fail "a settings file before any close"
kill -TERM "$app_pid"
wait_exit
[ -f "$five/nestora.fig" ] || fail "SIGTERM ended the program without saving"

echo "10. A plan document opens from the File menu by keyboard, the rest into Year by Year."
six="$work/six"; mkdir -m 755 "$six"
cat >"$work/retire.nestora" <<'PLAN'
{
  "format": "nestora-plan",
  "version": 1,
  "plan": {
    "current_savings": "77000",
    "annual_savings": "12000",
    "return_percent": "8.5",
    "inflation_percent": "3.0",
    "draw_percent": "6.0",
    "years_to_retirement": "20"
  },
  "life": { "age": 52 }
}
PLAN
start "$six"
activate "$main"
keys ctrl+o
wait_window "^Open Plan$"
activate "$(xdotool search --onlyvisible --name "^Open Plan$" | head -n 1)"
xdotool type --delay 40 "$work/retire.nestora"
keys Return
wait_gone "^Open Plan$"
sleep 1
xdotool search --onlyvisible --name "^Warning$|^Tobrel$" | grep -qv "^$main$" &&
    fail "a box came up while opening the plan"
activate "$main"
keys alt+F4
wait_exit
[ "$(line "$six/nestora.fig" 3)" = " 7.70000000000000E+0004" ] ||
    fail "saved savings are '$(line "$six/nestora.fig" 3)', not the document's 77000"
grep -qx "age=52" "$XDG_CONFIG_HOME/nestora/year-by-year.conf" ||
    fail "Year by Year did not keep the document's age"

echo "PASS"
