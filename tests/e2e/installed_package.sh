#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Starts an installed nestora the way a desktop menu does, from its desktop
# entry's Exec line, in Xvfb under openbox, as an ordinary user with a home
# folder of its own, and checks what a desktop relies on: the main window
# appears, its class matches the entry's StartupWMClass, its 16 and 32 pixel
# icons are the theme's pictures. An installed program cannot write beside
# itself, so the plan goes to ~/.config/nestora/nestora.fig: a typed value is
# there after Alt+F4 and shows at the next start. A settings file the user
# made read-only brings the error box, captioned with the executable's name
# "nestora", and the window stays open; SIGTERM brings the same box, and a
# second SIGTERM ends the program unsaved.
# Usage: installed_package.sh path/to/installed.desktop
set -euo pipefail

entry=$1
work_prefix=nestora-installed
. "$(dirname "$0")/x_session.sh"

field() { sed -n "s/^$1=//p" "$entry" | head -n 1; }

exec_line=$(field Exec)
read -r -a words <<<"$exec_line"
# Started from its menu entry, with no file: the launcher drops %f.
argv=()
for word in "${words[@]}"; do
    case $word in %[fFuU]) ;; *) argv+=("$word") ;; esac
done
program=$(command -v "${argv[0]}") || fail "Exec=$exec_line is not on the PATH"

start_x

# root may write anywhere, /usr/bin included: run as nobody, as a user would,
# with a runtime folder and a home folder of its own that go with the
# session. XDG_CONFIG_HOME is unset, as on most desktops.
as_user=()
export XDG_RUNTIME_DIR=$work/runtime
home=$work/home
mkdir -m 700 "$XDG_RUNTIME_DIR" "$home"
if [ "$(id -u)" -eq 0 ]; then
    as_user=(setpriv --reuid=65534 --regid=65534 --clear-groups)
    chown 65534:65534 "$XDG_RUNTIME_DIR" "$home"
fi
settings=$home/.config/nestora/nestora.fig

set -E
trap 'fail "command failed at line $LINENO"' ERR

start_entry() {
    (cd / && exec "${as_user[@]}" env -u XDG_CONFIG_HOME HOME="$home" "${argv[@]}") \
        >>"$work/program.log" 2>&1 &
    app_pid=$!
    wait_window "^Tobrel$"
    main=$(xdotool search --onlyvisible --name "^Tobrel$" | head -n 1)
}

echo "1. The desktop entry's Exec=$exec_line starts $program; its window appears."
start_entry

echo "2. The window's class is the entry's StartupWMClass; its icons are the theme's."
class=$(xprop -id "$main" WM_CLASS)
wm_class=$(field StartupWMClass)
[[ $class == *"\"$wm_class\""* ]] || fail "WM_CLASS is $class, the entry says $wm_class"
# _NET_WM_ICON holds each picture as its width, its height, then its pixels
# as ARGB row by row; each must equal the theme's PNG of that size.
read -r -a words <<<"$(xprop -id "$main" -notype -f _NET_WM_ICON 32c _NET_WM_ICON |
                      sed 's/^[^=]*= *//' | tr -d ',')"
declare -A shown=()
i=0
while [ $((i + 1)) -lt ${#words[@]} ]; do
    width=${words[i]} height=${words[i + 1]}
    i=$((i + 2))
    shown[$width]=$(for v in "${words[@]:i:width * height}"; do printf '%06X\n' $((v & 0xFFFFFF)); done)
    i=$((i + width * height))
done
icon_name=$(field Icon)
theme_folder=$(realpath "$(dirname "$entry")/../icons/hicolor")
for size in 16 32; do
    [ -n "${shown[$size]:-}" ] || fail "the window carries no ${size} × ${size} icon"
    png=$theme_folder/${size}x$size/apps/$icon_name.png
    [ -f "$png" ] || fail "the entry's Icon=$icon_name has no $png"
    theme=$(convert "$png" -depth 8 txt:- | sed -n 's/.*#\([0-9A-F]\{6\}\).*/\1/p')
    [ "${shown[$size]}" = "$theme" ] || fail "the window's ${size} × ${size} icon differs from $png"
done

echo "3. A typed value, then Alt+F4: the program ends and ~/.config/nestora/nestora.fig holds it."
[ -e "$home/.config" ] && fail "the start-up made $home/.config"
activate "$main"
# The focus starts in Edit1 with its text selected: typing replaces it.
xdotool type --delay 80 "12345"
keys alt+F4
wait_exit
[ -f "$settings" ] || fail "no $settings after the close"
[ "$(line "$settings" 3)" = " 1.23450000000000E+0004" ] ||
    fail "saved savings are '$(line "$settings" 3)', not 12345"
for folder in "$home/.config" "$home/.config/nestora"; do
    [ "$(stat -c %a "$folder")" = 700 ] || fail "$folder has mode $(stat -c %a "$folder"), not 700"
done
[ -e "$(dirname "$program")/nestora.fig" ] && fail "a settings file appeared beside $program"

echo "4. The second start shows the saved value: a digit typed after it makes 123456."
start_entry
activate "$main"
keys End
xdotool type --delay 80 "6"
keys alt+F4
wait_exit
[ "$(line "$settings" 3)" = " 1.23456000000000E+0005" ] ||
    fail "saved savings are '$(line "$settings" 3)'; the second start did not show 12345"

echo "5. A settings file made read-only: File > Exit brings the error box and its question, then still open."
chmod 444 "$settings"
before=$(cat "$settings")
start_entry
activate "$main"
xdotool type --delay 80 "7"  # the plan now differs from the file, which must be written
keys alt+f
keys e
wait_window "^nestora$"
# xdotool matches names without regard to case; the title's case is checked here.
box=$(xdotool search --onlyvisible --name "^nestora$" | head -n 1)
[ "$(xdotool getwindowname "$box")" = nestora ] ||
    fail "the error box is captioned '$(xdotool getwindowname "$box")', not 'nestora'"
keys Return
wait_gone "^nestora$"
# The question after the error box: Enter keeps the window open.
wait_window "^Plan not saved$"
keys Return
wait_gone "^Plan not saved$"
kill -0 "$app_pid" 2>/dev/null || fail "the program ended although the save failed"
[ "$(cat "$settings")" = "$before" ] || fail "the read-only settings file changed"

echo "6. SIGTERM closes as the close box does: the same error box; a second SIGTERM ends it unsaved."
kill -TERM "$app_pid"
wait_window "^nestora$"
kill -0 "$app_pid" 2>/dev/null || fail "the program ended at the first SIGTERM although the save failed"
kill -TERM "$app_pid"
wait_exit 1
[ "$(cat "$settings")" = "$before" ] || fail "the read-only settings file changed"

echo "PASS"
