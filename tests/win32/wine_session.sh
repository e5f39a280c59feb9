#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# nestora.exe under wine in Xvfb with openbox, used as a person does with
# xdotool keystrokes and read from outside with nestora_read_window.exe
# (WM_GETTEXT and the controls' places), compared with the design and with
# the Linux program. A private wine prefix in a scratch folder.
# Usage: wine_session.sh WINDOWS_BUILD LINUX_NESTORA LINUX_RESULT_TEXTS [SETUP.EXE] [SHOTS]
#   WINDOWS_BUILD  the folder with nestora.exe and nestora_read_window.exe
#   SETUP.EXE      the installer, installed and removed silently when given
#   SHOTS          a folder for the screenshots of the two windows
set -euo pipefail

exe_folder=$(realpath "$1")
linux_nestora=$(realpath "$2")
linux_results=$(realpath "$3")
setup=${4:+$(realpath "$4")}
shots=${5:+$(realpath "$5")}
work_prefix=nestora-wine
. "$(dirname "$0")/../e2e/x_session.sh"
start_x
export WINEPREFIX=$work/wine WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml=" WINEARCH=win64
# The prefix's own wine server ends before the scratch folder goes.
trap 'wineserver -k 2>/dev/null || true; cleanup' EXIT
wineboot --init >"$work/wineboot.log" 2>&1 || fail "wineboot failed"
wineserver --wait 2>/dev/null || true
set -E
trap 'fail "command failed at line $LINENO"' ERR

app=$work/app
mkdir -p "$app"
cp "$exe_folder/nestora.exe" "$exe_folder/nestora_read_window.exe" "$app/"
read_window() { (cd "$app" && wine nestora_read_window.exe "$@" | tr -d '\r'); }

start() {
    (cd "$app" && exec wine nestora.exe) >>"$work/program.log" 2>&1 &
    app_pid=$!
    wait_window "^Tobrel$"
    main=$(xdotool search --onlyvisible --name "^Tobrel$" | head -n 1)
}

# The control numbered ID in the reading: "left top width height text".
control() {  # reading id
    awk -v id="$2" '$1 == id { $1 = ""; $2 = ""; sub(/^  /, ""); print; exit }' <<<"$1"
}
text_of() { control "$1" "$2" | cut -d' ' -f5-; }

# Where each control stands in its parent's client area, as designed: the
# entry fields (200 ...), the result fields on the panel (300 ...), the
# labels' left and top (100 the title, 101 ... on the window, 109 ... on the
# panel) and the panel.
check_layout() {
    local reading=$1 row id left top width height got
    while read -r id left top width height; do
        read -r gl gt gw gh _ < <(control "$reading" "$id") || fail "no control $id"
        for pair in "$left:$gl" "$top:$gt" "$width:$gw" "$height:$gh"; do
            [ "${pair%%:*}" = "-" ] && continue
            local want=${pair%%:*} have=${pair##*:}
            [ $((want - have)) -le 1 ] && [ $((have - want)) -le 1 ] ||
                fail "control $id at $gl $gt $gw $gh, designed $left $top $width $height"
        done
    done <<'DESIGN'
200 366 46 113 27
201 366 85 113 27
202 366 124 113 27
203 365 163 113 27
204 365 202 113 27
205 365 241 113 27
300 347 16 113 27
301 347 72 113 27
302 347 128 113 27
303 347 185 113 27
100 68 4 229 36
101 11 51 - -
102 354 50 - -
103 11 89 - -
104 354 90 - -
105 11 127 - -
106 11 166 - -
107 11 204 - -
108 11 243 - -
109 16 20 - -
110 16 77 - -
111 16 133 - -
112 16 189 - -
DESIGN
    grep -q '^0 TPanel 12 285 477 225' <<<"$reading" || fail "the panel is not at 12 285 477 225"
}

results() { local r=$1; echo "$(text_of "$r" 300) $(text_of "$r" 301) $(text_of "$r" 302) $(text_of "$r" 303)"; }

# 1. A first start: caption, layout, the default plan's results, and Alt+F4
#    writes the same 137 bytes as the Linux program.
start
reading=$(read_window)
grep -qx 'caption Tobrel' <<<"$reading" || fail "caption: $(head -n 1 <<<"$reading")"
grep -qx 'outer 10 10 518 581' <<<"$reading" || fail "not at 10, 10 at 518 × 581: $(grep outer <<<"$reading")"
check_layout "$reading"
[ "$(results "$reading")" = "795766 440597 28639 26" ] || fail "first-start results: $(results "$reading")"
if [ -n "$shots" ]; then
    sleep 1
    import -window root -crop 518x581+10+10 +repage "$shots/windows-main-window.png"
fi
activate "$main"
keys alt+F4
wait_exit
printf '10\r\n10\r\n 6.50000000000000E+0004\r\n 1.20000000000000E+0004\r\n 7.50000000000000E-0002\r\n 3.00000000000000E-0002\r\n 6.50000000000000E-0002\r\n20\r\n' >"$work/expected.fig"
cmp "$app/nestora.fig" "$work/expected.fig" || fail "the first start's settings file differs"
[ "$(stat -c %s "$app/nestora.fig")" = 137 ] || fail "the settings file is not 137 bytes"

# 2. Typing recomputes the four results, equal to the Linux program's for the
#    same plan; Tab runs Edit1, the four results, then Edit2 on.
start
activate "$main"
keys ctrl+a
xdotool type --delay 60 "250000"
keys Tab Tab Tab Tab Tab
xdotool type --delay 60 "15000"
keys Tab
xdotool type --delay 60 "6.25"
keys Tab
xdotool type --delay 60 "2.5"
keys Tab
xdotool type --delay 60 "5"
keys Tab
xdotool type --delay 60 "12"
sleep 0.5
reading=$(read_window)
want=$("$linux_results" 250000 15000 6.25 2.5 5 12 | tr '\n' ' ' | sed 's/ $//')
[ "$(results "$reading")" = "$want" ] || fail "typed plan: $(results "$reading"), Linux: $want"
for pair in 200:250000 201:15000 202:6.25 203:2.5 204:5 205:12; do
    [ "$(text_of "$reading" "${pair%%:*}")" = "${pair##*:}" ] || fail "field ${pair%%:*}: $(text_of "$reading" "${pair%%:*}")"
done

# 3. The help window: Alt+H, its caption, its text box as designed.
activate "$main"
keys alt+h
wait_window "^Tobrel  Help$"
help=$(read_window TNestoraFhelp)
grep -qx 'outer 435 142 410 740' <<<"$help" || fail "help window not centred: $(grep outer <<<"$help")"
# The text's line ends read as "||": an empty line, then the title.
grep -q '^400 Edit 16 15 361 673 ||        INSTRUCTIONS FOR TOBREL NESTORA||' <<<"$help" ||
    fail "the help text box: $(grep '^400' <<<"$help" | cut -c1-80)"
if [ -n "$shots" ]; then
    sleep 1
    import -window root -crop 410x740+435+142 +repage "$shots/windows-help-window.png"
fi
keys alt+F4
wait_gone "^Tobrel  Help$"
activate "$main"
keys alt+F4
wait_exit
grep -q '^ 2.50000000000000E+0005' "$app/nestora.fig" || fail "the typed plan was not saved"

# 4. A settings file that cannot be written: the error box, the window stays.
chmod a-w "$app/nestora.fig"
start
activate "$main"
xdotool type --delay 80 "7"  # a plan the file does not hold yet, so closing must write it
keys alt+F4
wait_window "^nestora$"
box=$(xdotool search --onlyvisible --name "^nestora$" | head -n 1)
activate "$box"
keys Return
wait_gone "^nestora$"
xdotool search --onlyvisible --name "^Tobrel$" >/dev/null || fail "the window closed after a failed save"
chmod u+w "$app/nestora.fig"
activate "$main"
keys alt+F4
wait_exit

# 5. --schedule gives the Linux program's bytes for a table of plans.
plan() {  # name top left five reals years
    local name=$1; shift
    printf '%s\r\n' "$@" >"$work/$name.fig"
}
plan default 10 10 ' 6.50000000000000E+0004' ' 1.20000000000000E+0004' ' 7.50000000000000E-0002' ' 3.00000000000000E-0002' ' 6.50000000000000E-0002' 20
plan poor 10 10 ' 1.00000000000000E+0003' ' 0.00000000000000E+0000' ' 2.00000000000000E-0002' ' 4.00000000000000E-0002' ' 1.00000000000000E-0001' 5
plan rich 10 10 ' 2.50000000000000E+0006' ' 5.00000000000000E+0004' ' 9.00000000000000E-0002' ' 2.50000000000000E-0002' ' 4.00000000000000E-0002' 30
plan covered 10 10 ' 1.00000000000000E+0005' ' 1.00000000000000E+0004' ' 8.00000000000000E-0002' ' 2.00000000000000E-0002' ' 5.00000000000000E-0002' 0
plan rounded 10 10 ' 6.50000000000000E+0004' ' 1.20000000000000E+0004' ' 8.55550000000000E-0002' ' 3.00000000000000E-0002' ' 6.50000000000000E-0002' 20
cp "$work/default.fig" "$work/Zoë plan.fig"
for name in default poor rich covered rounded "Zoë plan"; do
    "$linux_nestora" --schedule "$work/$name.fig" >"$work/$name.linux.csv"
    (cd "$work" && wine "$app/nestora.exe" --schedule "$name.fig") >"$work/$name.windows.csv" 2>"$work/$name.err"
    cmp "$work/$name.linux.csv" "$work/$name.windows.csv" || fail "--schedule $name differs"
done
"$linux_nestora" --schedule "$work/rich.fig" --volatility 8 --horizon 35 --paths 2000 --seed 7 >"$work/sim.linux.csv"
(cd "$work" && wine "$app/nestora.exe" --schedule rich.fig --volatility 8 --horizon 35 --paths 2000 --seed 7) >"$work/sim.windows.csv"
cmp "$work/sim.linux.csv" "$work/sim.windows.csv" || fail "--schedule with the simulation differs"
status=0
(cd "$work" && wine "$app/nestora.exe" --schedule missing.fig) >/dev/null 2>"$work/missing.err" || status=$?
[ "$status" = 1 ] && grep -q 'File not found.' "$work/missing.err" || fail "a missing file: status $status"
status=0
(cd "$work" && wine "$app/nestora.exe" --horizon 3) >/dev/null 2>&1 || status=$?
[ "$status" = 2 ] || fail "a usage error: status $status"

# 6. The installer, silently: the program, its Start-menu entry and its
#    uninstaller per user; the uninstaller leaves nothing behind.
if [ -n "$setup" ]; then
    programs=$WINEPREFIX/drive_c/users/$(id -un)/AppData/Local/Programs/Nestora
    menu="$WINEPREFIX/drive_c/users/$(id -un)/AppData/Roaming/Microsoft/Windows/Start Menu/Programs"
    before=$(cd "$WINEPREFIX" && find drive_c -path '*/Temp' -prune -o -print | sort)
    wine "$setup" /S
    wineserver --wait
    [ -f "$programs/nestora.exe" ] || fail "the installer put no nestora.exe in $programs"
    [ -f "$programs/uninstall.exe" ] || fail "no uninstaller"
    [ -f "$menu/Nestora.lnk" ] || fail "no Start-menu entry"
    wine reg query 'HKCU\Software\Microsoft\Windows\CurrentVersion\Uninstall\Nestora' \
        >/dev/null 2>&1 || fail "no entry in the list of installed programs"
    # The uninstaller runs on from a copy of itself in the temporary folder.
    wine "$programs/uninstall.exe" /S
    for _ in $(seq 300); do [ -e "$programs" ] || break; sleep 0.1; done
    wineserver --wait
    ! wine reg query 'HKCU\Software\Microsoft\Windows\CurrentVersion\Uninstall\Nestora' \
        >/dev/null 2>&1 || fail "the uninstaller left its registry key"
    after=$(cd "$WINEPREFIX" && find drive_c -path '*/Temp' -prune -o -print | sort)
    [ "$before" = "$after" ] || fail "the uninstaller left: $(diff <(echo "$before") <(echo "$after") | head)"
fi
echo "The Windows program passed its session under wine."
