#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Start-up as a user sees it, timed from outside the program: from exec to
# the first frame of its window on the screen that is not blank
# (bench/window_watch.cpp, screen grabs every 5 ms), with the moment the
# window is mapped and the peak memory. Nestora (the real program, a copy in
# a scratch folder with a settings file of its own) runs beside a bare Qt
# window of the same shape (bench/startup_bare_window.cpp), in an X server of
# their own (Xvfb, no window manager), in turn, RUNS times each after one
# warm-up of each, so that a machine that slows down or speeds up weighs on
# both alike. It prints the medians and the median of the pair-by-pair
# ratios Nestora / bare.
# Usage: bench/startup.sh [BUILD_DIR] [RUNS] [PEER]   (defaults: build/dev, 15)
# PEER, when given, takes the bare window's place: another build's nestora,
# say the one before a change, to see what the change costs.
set -euo pipefail

here=$(cd "$(dirname "$0")/.." && pwd)
build=${1:-$here/build/dev}
runs=${2:-15}
watch=$build/bench/window_watch
for program in "$watch" "$build/bench/startup_bare_window" "$build/app/nestora"; do
    [ -x "$program" ] || { echo "missing $program: build the dev preset first" >&2; exit 2; }
done

work=$(mktemp -d /tmp/nestora-startup-XXXXXX)
xvfb_pid=
cleanup() {
    [ -z "$xvfb_pid" ] || kill "$xvfb_pid" 2>/dev/null || true
    rm -rf "$work"
}
trap cleanup EXIT

# Each Nestora in a folder of its own, with its settings file beside it.
copy() {  # app folder, destination
    mkdir -p "$2"
    cp "$1/nestora" "$1/libnestora-year-by-year.so" "$2/"
}
copy "$build/app" "$work/ours"
bare=$build/bench/startup_bare_window
peer_name=bare
if [ -n "${3:-}" ]; then
    copy "$(dirname "$3")" "$work/peer"
    bare=$work/peer/nestora
    peer_name=peer
fi
ours=$work/ours/nestora
export XDG_CONFIG_HOME=$work/config

Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp -noreset 3>"$work/display" 2>/dev/null &
xvfb_pid=$!
for _ in $(seq 100); do [ -s "$work/display" ] && break; sleep 0.1; done
[ -s "$work/display" ] || { echo "Xvfb did not start" >&2; exit 1; }
DISPLAY=":$(head -n 1 "$work/display")"
export DISPLAY QT_QPA_PLATFORM=xcb

python3 - "$watch" "$bare" "$ours" "$runs" "$peer_name" <<'PY'
import statistics, subprocess, sys, time

watch, bare, ours, runs, peer = sys.argv[1:4] + [int(sys.argv[4]), sys.argv[5]]

def run(program):
    """Milliseconds to the mapped window and to its first frame, peak kilobytes."""
    time.sleep(0.3)  # the one before has gone
    out = subprocess.run([watch, program], capture_output=True, text=True)
    if out.returncode != 0:
        sys.exit(f"{program}: {out.stderr.strip()}")
    return [float(v) for v in out.stdout.split()]

run(bare), run(ours)  # warm-up: the font cache and the libraries are read in
pairs = [(run(bare), run(ours)) for _ in range(runs)]

print(f"start-up seen from outside, to the first frame that is not blank, {runs} runs each,"
      " interleaved")
print(f"{'':14}{'mapped ms':>11}{'frame ms':>10}{'peak MB':>10}")
for name, side in (("bare window" if peer == "bare" else peer, 0), ("nestora", 1)):
    med = [statistics.median(p[side][k] for p in pairs) for k in range(3)]
    print(f"{name:14}{med[0]:11.1f}{med[1]:10.1f}{med[2] / 1024:10.1f}")
ratios = [statistics.median(p[1][k] / p[0][k] for p in pairs) for k in range(3)]
print(f"{'nestora/' + peer:14}{ratios[0]:11.3f}{ratios[1]:10.3f}{ratios[2]:10.3f}"
      "   (median of the pair-by-pair ratios)")
PY
