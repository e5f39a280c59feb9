#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Start-up to the first painted frame, Nestora beside a bare Qt window of the
# same shape (bench/startup_bare_window.cpp), in an X server of its own (Xvfb,
# no window manager). The two programs run in turn, bare then Nestora, RUNS
# times each after one warm-up of each, so a machine that slows down or speeds
# up weighs on both alike. For each it prints the median wall time, processor
# time and peak memory; then the median of the pair-by-pair ratios
# Nestora / bare.
# Usage: bench/startup.sh [BUILD_DIR] [RUNS] [PEER]   (defaults: build/dev, 21)
# PEER, when given, takes the bare window's place: another build's
# startup_nestora, say the one before a change, to see what the change costs.
# NESTORA_STARTUP_PRELOAD, when set, is preloaded into Nestora alone (a
# library it would otherwise load later, to see what linking it would cost).
set -euo pipefail

here=$(cd "$(dirname "$0")/.." && pwd)
build=${1:-$here/build/dev}
runs=${2:-21}
bare=${3:-$build/bench/startup_bare_window}
peer_name=${3:+peer}
ours=$build/bench/startup_nestora
for program in "$bare" "$ours"; do
    [ -x "$program" ] || { echo "missing $program: build the dev preset first" >&2; exit 2; }
done

work=$(mktemp -d /tmp/nestora-startup-XXXXXX)
xvfb_pid=
cleanup() {
    [ -z "$xvfb_pid" ] || kill "$xvfb_pid" 2>/dev/null || true
    rm -rf "$work"
}
trap cleanup EXIT
Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp -noreset 3>"$work/display" 2>/dev/null &
xvfb_pid=$!
for _ in $(seq 100); do [ -s "$work/display" ] && break; sleep 0.1; done
[ -s "$work/display" ] || { echo "Xvfb did not start" >&2; exit 1; }
DISPLAY=":$(head -n 1 "$work/display")"
export DISPLAY QT_QPA_PLATFORM=xcb

python3 - "$bare" "$ours" "$runs" "${peer_name:-bare}" <<'PY'
import os, statistics, subprocess, sys, time

bare, ours, runs, peer = sys.argv[1], sys.argv[2], int(sys.argv[3]), sys.argv[4]
preload = os.environ.pop("NESTORA_STARTUP_PRELOAD", "")

def run(program):
    """Wall seconds, processor seconds (user + system) and peak kilobytes."""
    env = dict(os.environ, LD_PRELOAD=preload) if preload and program == ours else None
    start = time.perf_counter()
    child = subprocess.Popen([program], stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL,
                             env=env)
    _, status, usage = os.wait4(child.pid, 0)
    wall = time.perf_counter() - start
    if status != 0:
        sys.exit(f"{program} ended with status {status}")
    return wall, usage.ru_utime + usage.ru_stime, usage.ru_maxrss

run(bare), run(ours)  # warm-up: the font cache and the libraries are read in
pairs = [(run(bare), run(ours)) for _ in range(runs)]

print(f"start-up to the first painted frame, {runs} runs each, interleaved")
print(f"{'':14}{'wall ms':>10}{'cpu ms':>10}{'peak MB':>10}")
for name, side in (("bare window" if peer == "bare" else peer, 0), ("nestora", 1)):
    med = [statistics.median(p[side][k] for p in pairs) for k in range(3)]
    print(f"{name:14}{med[0] * 1e3:10.1f}{med[1] * 1e3:10.1f}{med[2] / 1024:10.1f}")
ratios = [statistics.median(p[1][k] / p[0][k] for p in pairs) for k in range(3)]
print(f"{'nestora/' + peer:14}{ratios[0]:10.3f}{ratios[1]:10.3f}{ratios[2]:10.3f}"
      "   (median of the pair-by-pair ratios)")
PY
