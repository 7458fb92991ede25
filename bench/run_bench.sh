#!/usr/bin/env bash
# Runs the frame-cost benchmark under its own Xvfb: every configuration of veltamar-bench, the
# peer program (xscreensaver's atlantis, -delay 0) at the same size with its frames counted the
# same way, and the real program with its 64-per-second pacing at 0, 25 and 50 fish, with the
# default random tank, with the ripple tool in use, and on a 1920 x 1080 screen, and the
# screensaver with the default tank. The peer, the program and the saver also report their resident
# memory: the high-water mark over the run and the resident size 20 s after their start.
#
# usage: run_bench.sh BUILD_DIRECTORY [--quick | --smoke] [--headless]
# --smoke draws a few frames of each configuration only: it shows that the benchmark runs, not what
# a frame costs.
# --headless draws the benchmark's frames without an X server (an EGL pbuffer on the GPU when there
# is one, else Mesa's surfaceless platform) and leaves out what needs one: the peer, the paced
# program and the saver. The bench bundle runs it so.
set -euo pipefail
build=$(cd "$1" && pwd)
shift
quick=""; headless=""
for option in "$@"; do
    case "$option" in
        --quick) quick=1 ;;
        --smoke) quick=smoke ;;
        --headless) headless=1 ;;
        *) echo "usage: run_bench.sh BUILD_DIRECTORY [--quick | --smoke] [--headless]" >&2; exit 2 ;;
    esac
done
frames=300; runs=5; peer_seconds=20; paced_seconds=20
if [[ -n "$quick" ]]; then frames=100; runs=3; peer_seconds=6; paced_seconds=10; fi
if [[ "$quick" == smoke ]]; then frames=5; runs=1; peer_seconds=2; paced_seconds=2; fi
memory_seconds=20

atlantis=/usr/libexec/xscreensaver/atlantis
work=$(mktemp -d)
xvfb=""
trap '[[ -n "$xvfb" ]] && kill $xvfb 2>/dev/null; rm -rf "$work"' EXIT

if [[ -z "$headless" ]]; then
    exec 3>"$work/display"
    Xvfb -displayfd 3 -screen 0 1920x1080x24 -nolisten tcp -noreset >/dev/null 2>&1 &
    xvfb=$!
    for _ in $(seq 50); do [[ -s "$work/display" ]] && break; sleep 0.1; done
    export DISPLAY=":$(head -n1 "$work/display")"
fi

bench() {
    if [[ -n "$headless" ]]; then set -- "$@" --headless 1; fi
    "$build/veltamar-bench" --frames "$frames" --runs "$runs" "$@"
}
field() { sed -n "s/.*$1=\([0-9.]*\).*/\1/p"; }

# Resident memory of a process in MB: its high-water mark now, and its resident size once it has
# run $memory_seconds s (sampled by watch_memory; "-" for runs shorter than that).
watch_memory() {  # PID OUT
    (sleep "$memory_seconds"; grep VmRSS "/proc/$1/status" >"$2" 2>/dev/null || true) &
}
memory_fields() {  # PID OUT
    local hwm rss="-"
    # A run as long as the sampling waits for its sample, which may land just after it.
    if [[ -z "$quick" ]]; then for _ in $(seq 20); do [[ -s "$2" ]] && break; sleep 0.1; done; fi
    hwm=$(awk '/VmHWM/ { printf "%.1f", $2 / 1024 }' "/proc/$1/status")
    [[ -s "$2" ]] && rss=$(awk '/VmRSS/ { printf "%.1f", $2 / 1024 }' "$2")
    echo "rss_hwm_mb=$hwm rss_${memory_seconds}s_mb=$rss"
}

renderer=$(bench --print-renderer 1 --frames 1 --runs 1)
[[ "$renderer" == bench* ]] && renderer="(not reported by this build)"
echo "renderer: $renderer"

results=()
for fish in 0 10 25 50; do results+=("$(bench --size 1024x768 --fish "$fish")"); done
for size in 800x600 1680x1050 1920x1080; do results+=("$(bench --size "$size" --fish 50)"); done
for tool in feed swirl ripple; do results+=("$(bench --size 1024x768 --fish 50 --tool "$tool")"); done
printf '%s\n' "${results[@]}"

if [[ -n "$headless" ]]; then exit 0; fi

peer() {
    local size=$1 out="$work/peer-$1"
    PEER_FRAMES_OUT="$out" LD_PRELOAD="$build/libpeer_frame_counter.so" \
        "$atlantis" -delay 0 -geometry "$size+0+0" >/dev/null 2>&1 &
    local program=$!
    watch_memory "$program" "$out.memory"
    sleep "$peer_seconds"
    local memory
    memory=$(memory_fields "$program" "$out.memory")
    kill -TERM "$program"; wait "$program" 2>/dev/null || true
    echo "$(cat "$out") $memory"
}
peer_line=$(peer 1024x768)
echo "${peer_line% rss_hwm_mb=*} size=1024x768 program=atlantis rss_hwm_mb=${peer_line#* rss_hwm_mb=}"

ours=$(printf '%s\n' "${results[@]}" | grep 'size=1024x768 fish=50 tool=none' | field cpu_ms_per_frame)
theirs=$(echo "$peer_line" | field cpu_ms_per_frame)
echo "ratio_vs_atlantis=$(awk -v a="$ours" -v b="$theirs" 'BEGIN { printf "%.3f", a / b }')"

# The real program with its 64-per-second pacing, as people run it: frames and processor time
# counted by the same preloaded counter as the peer's, from the 60th frame on, over the measured
# time. The ripple run clicks the ripple tool into the tank four times a second. Fish "default"
# starts without a settings file: the tank of random counts that a new user sees. The saver runs
# as a screensaver daemon starts it, on the screen's root window, with the default tank.
paced() {  # SIZE FISH TOOL [saver]
    local size=$1 fish=$2 tool=$3 kind=${4:-paced}
    local home="$work/home-$kind-$1-$2-$3" out="$work/$kind-$1-$2-$3"
    mkdir -p "$home/.config/VeltamarScr"
    if [[ "$fish" != "default" ]]; then
        local each=$((fish / 10)) extra=$((fish % 10))
        { printf '[Fish Number]\n'
          for s in $(seq 0 9); do printf 'Fish%d=%d\n' "$s" $((each + (s < extra ? 1 : 0))); done; } \
            >"$home/.config/VeltamarScr/OrvessaSet.ini"
    fi
    exec 4>"$work/display-paced"
    Xvfb -displayfd 4 -screen 0 "${size}x24" -nolisten tcp -noreset >/dev/null 2>&1 &
    local server=$!
    for _ in $(seq 50); do [[ -s "$work/display-paced" ]] && break; sleep 0.1; done
    local display=":$(head -n1 "$work/display-paced")"
    local command=("$build/veltamar")
    [[ "$kind" == "saver" ]] && command+=(--root)
    DISPLAY=$display HOME="$home" XDG_CONFIG_HOME="$home/.config" SDL_AUDIODRIVER=dummy \
        PEER_FRAMES_OUT="$out" LD_PRELOAD="$build/libpeer_frame_counter.so" "${command[@]}" >/dev/null 2>&1 &
    local program=$!
    watch_memory "$program" "$out.memory"
    sleep 4
    if [[ "$tool" == "ripple" ]]; then
        # The palette opens at the mouse; its ripple button is 197 pixels in.
        DISPLAY=$display xdotool mousemove 200 600 click 2 sleep 1 mousemove 397 620 click 1 sleep 0.5
        local until=$((SECONDS + paced_seconds))
        while ((SECONDS < until)); do
            DISPLAY=$display xdotool mousemove $((200 + RANDOM % 600)) $((200 + RANDOM % 400)) click 1
            sleep 0.25
        done
    else
        sleep "$paced_seconds"
    fi
    local memory
    memory=$(memory_fields "$program" "$out.memory")
    kill -TERM "$program"; wait "$program" 2>/dev/null || true
    kill "$server"; wait "$server" 2>/dev/null || true
    local cpu wall
    cpu=$(field cpu_ms_per_frame <"$out")
    wall=$(field wall_ms_per_frame <"$out")
    echo "$kind size=$size fish=$fish tool=$tool fps=$(awk -v w="$wall" 'BEGIN { printf "%.1f", 1000 / w }')" \
         "cpu_ms_per_frame=$cpu cpu_percent_of_one_core=$(awk -v c="$cpu" -v w="$wall" 'BEGIN { printf "%.1f", 100 * c / w }')" \
         "$memory"
}
for fish in 0 25 50 default; do paced 1024x768 "$fish" none; done
paced 1024x768 50 ripple
paced 1920x1080 50 none
paced 1024x768 default none saver

# What reading the user's files through the decoding helper costs beside decoding them in the
# program, as the program did before the helper.
"$build/veltamar-decode-bench" --runs "$runs"
