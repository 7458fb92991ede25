#!/usr/bin/env bash
# Runs the frame-cost benchmark under its own Xvfb: every configuration of veltamar-bench, the
# peer program (xscreensaver's atlantis, -delay 0) at the same size with its frames counted the
# same way, and the real program with its 64-per-second pacing for a minute.
#
# usage: run_bench.sh BUILD_DIRECTORY [--quick]
set -euo pipefail
build=$(cd "$1" && pwd)
quick=${2:-}
frames=300; runs=5; peer_seconds=15; paced_seconds=60
if [[ "$quick" == "--quick" ]]; then frames=100; runs=3; peer_seconds=6; paced_seconds=10; fi

atlantis=/usr/libexec/xscreensaver/atlantis
work=$(mktemp -d)
trap 'kill $xvfb 2>/dev/null || true; rm -rf "$work"' EXIT

exec 3>"$work/display"
Xvfb -displayfd 3 -screen 0 1920x1080x24 -nolisten tcp -noreset >/dev/null 2>&1 &
xvfb=$!
for _ in $(seq 50); do [[ -s "$work/display" ]] && break; sleep 0.1; done
export DISPLAY=":$(head -n1 "$work/display")"

bench() { "$build/veltamar-bench" --frames "$frames" --runs "$runs" "$@"; }
field() { sed -n "s/.*$1=\([0-9.]*\).*/\1/p"; }

results=()
for fish in 0 10 25 50; do results+=("$(bench --size 1024x768 --fish "$fish")"); done
for size in 800x600 1680x1050 1920x1080; do results+=("$(bench --size "$size" --fish 50)"); done
for tool in feed swirl ripple; do results+=("$(bench --size 1024x768 --fish 50 --tool "$tool")"); done
printf '%s\n' "${results[@]}"

peer() {
    local size=$1 out="$work/peer-$1"
    PEER_FRAMES_OUT="$out" LD_PRELOAD="$build/libpeer_frame_counter.so" \
        timeout -s TERM "$peer_seconds" "$atlantis" -delay 0 -geometry "$size+0+0" >/dev/null 2>&1 || true
    cat "$out"
}
peer_line=$(peer 1024x768)
echo "$peer_line size=1024x768 program=atlantis"

ours=$(printf '%s\n' "${results[@]}" | grep 'size=1024x768 fish=50 tool=none' | field cpu_ms_per_frame)
theirs=$(echo "$peer_line" | field cpu_ms_per_frame)
echo "ratio_vs_atlantis=$(awk -v a="$ours" -v b="$theirs" 'BEGIN { printf "%.3f", a / b }')"

# The real program, paced, 50 fish at 1024 x 768: share of one core over the measured time.
home="$work/home"
mkdir -p "$home/.config/VeltamarScr"
printf '[Fish Number]\n' >"$home/.config/VeltamarScr/OrvessaSet.ini"
for s in $(seq 0 9); do printf 'Fish%d=5\n' "$s" >>"$home/.config/VeltamarScr/OrvessaSet.ini"; done
Xvfb -displayfd 4 -screen 0 1024x768x24 -nolisten tcp -noreset 4>"$work/display2" >/dev/null 2>&1 &
xvfb2=$!
for _ in $(seq 50); do [[ -s "$work/display2" ]] && break; sleep 0.1; done
DISPLAY=":$(head -n1 "$work/display2")" HOME="$home" XDG_CONFIG_HOME="$home/.config" SDL_AUDIODRIVER=dummy \
    "$build/veltamar" >/dev/null 2>&1 &
program=$!
sleep 3
ticks() { awk '{ print $14 + $15 }' "/proc/$program/stat"; }
start_ticks=$(ticks); start_time=$(date +%s.%N)
sleep "$paced_seconds"
end_ticks=$(ticks); end_time=$(date +%s.%N)
kill "$program"; wait "$program" 2>/dev/null || true
kill "$xvfb2"
hz=$(getconf CLK_TCK)
echo "paced size=1024x768 fish=50 seconds=$paced_seconds cpu_percent_of_one_core=$(awk -v t=$((end_ticks - start_ticks)) -v hz="$hz" -v a="$start_time" -v b="$end_time" 'BEGIN { printf "%.1f", 100 * t / hz / (b - a) }')"
