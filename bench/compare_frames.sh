#!/usr/bin/env bash
# Compares the frames two builds draw, byte for byte: the benchmark's --snapshot of the same frame
# for every tool at 1024 x 768 and 1920 x 1080, with the default settings, a dimmed light and a
# gradient colour plane behind the picture. Prints one line per picture and fails when any differ;
# the pictures are kept in OUT_DIRECTORY (PPM) to look at.
#
# usage: compare_frames.sh BEFORE_BUILD AFTER_BUILD OUT_DIRECTORY [--headless]
# With --headless the after build draws without an X server (the before build still needs DISPLAY).
set -euo pipefail
before=$(cd "$1" && pwd)
after=$(cd "$2" && pwd)
out=$3
headless=${4:-}
mkdir -p "$out"

declare -A variants=(
    [default]=""
    [dim-light]="LIGHTQIANGDU=60"
    [gradient]="BACK GUDING=0;BACK MANJIANBIAN=1"
)
different=0
for size in 1024x768 1920x1080; do
    for variant in default dim-light gradient; do
        settings=()
        IFS=';' read -r -a pairs <<<"${variants[$variant]}"
        for pair in "${pairs[@]}"; do [[ -n "$pair" ]] && settings+=(--setting "$pair"); done
        for tool in none feed swirl ripple point touch zoomin zoomout; do
            name="$size-$variant-$tool"
            "$before/veltamar-bench" --size "$size" --fish 50 --tool "$tool" --frames 40 --runs 1 \
                "${settings[@]}" --snapshot "$out/before-$name.ppm" >/dev/null
            after_options=()
            [[ "$headless" == "--headless" ]] && after_options=(--headless 1)
            "$after/veltamar-bench" --size "$size" --fish 50 --tool "$tool" --frames 40 --runs 1 \
                "${settings[@]}" "${after_options[@]}" --snapshot "$out/after-$name.ppm" >/dev/null
            if cmp -s "$out/before-$name.ppm" "$out/after-$name.ppm"; then
                echo "same      $name"
            else
                echo "DIFFERENT $name"
                different=1
            fi
        done
    done
done
exit "$different"
