#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Starts an installed nestora the way a desktop menu does, from its desktop
# entry's Exec line, in Xvfb under openbox, and checks what a desktop relies
# on: the main window appears, its class matches the entry's StartupWMClass,
# its 16 and 32 pixel icons are the theme's pictures, and the error box takes
# the application title from the executable's name, "nestora".
# An installed program sits in a folder its user cannot write, so closing it
# brings the error box and the window stays open; the session then ends it.
# Usage: installed_package.sh path/to/installed.desktop
set -euo pipefail

entry=$1
work_prefix=nestora-installed
. "$(dirname "$0")/x_session.sh"

field() { sed -n "s/^$1=//p" "$entry" | head -n 1; }

exec_line=$(field Exec)
read -r -a argv <<<"$exec_line"  # our entry takes no field codes such as %f
program=$(command -v "${argv[0]}") || fail "Exec=$exec_line is not on the PATH"

start_x

# root may write anywhere, /usr/bin included: run as nobody, as a user would,
# with a runtime folder of its own that goes with the session.
as_user=()
export XDG_RUNTIME_DIR=$work/runtime
mkdir -m 700 "$XDG_RUNTIME_DIR"
if [ "$(id -u)" -eq 0 ]; then
    as_user=(setpriv --reuid=65534 --regid=65534 --clear-groups)
    chown 65534:65534 "$XDG_RUNTIME_DIR"
fi

set -E
trap 'fail "command failed at line $LINENO"' ERR

echo "1. The desktop entry's Exec=$exec_line starts $program; its window appears."
(cd / && exec "${as_user[@]}" "${argv[@]}") >"$work/program.log" 2>&1 &
app_pid=$!
wait_window "^Tobrel$"
main=$(xdotool search --onlyvisible --name "^Tobrel$" | head -n 1)

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

echo "3. File > Exit cannot save beside the installed program: the error box, then still open."
activate "$main"
keys alt+f
keys e
wait_window "^nestora$"
# xdotool matches names without regard to case; the title's case is checked here.
box=$(xdotool search --onlyvisible --name "^nestora$" | head -n 1)
[ "$(xdotool getwindowname "$box")" = nestora ] ||
    fail "the error box is captioned '$(xdotool getwindowname "$box")', not 'nestora'"
keys Return
wait_gone "^nestora$"
kill -0 "$app_pid" 2>/dev/null || fail "the program ended although the save failed"
[ -e "$(dirname "$program")/nestora.fig" ] && fail "a settings file appeared beside $program"
kill "$app_pid"; wait "$app_pid" 2>/dev/null || true; app_pid=

echo "PASS"
