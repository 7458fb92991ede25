#!/usr/bin/env bash
# Builds the fuzzers with clang and runs each for a bounded time (default 15 s; `make fuzz` runs
# them longer). The kept inputs in tests/fuzz/corpus (seeds and regression cases of crashes that
# were found and fixed) are replayed first; new inputs go to the build directory.
#
# usage: smoke.sh BUILD_DIRECTORY [SECONDS_PER_FUZZER]
# VELTAMAR_WERROR=ON in the environment turns warnings into errors, as in the main build.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
build=$1
seconds=${2:-15}

CXX=clang++ cmake -S "$here" -B "$build" -G Ninja -DVELTAMAR_WERROR="${VELTAMAR_WERROR:-OFF}" >/dev/null
cmake --build "$build" >/dev/null

status=0
for name in profile bmp descramble settings picture music; do
    mkdir -p "$build/corpus/$name"
    if ! "$build/fuzz_$name" -max_total_time="$seconds" -max_len=65536 -timeout=10 \
            -artifact_prefix="$build/crash-$name-" "$build/corpus/$name" "$here/corpus/$name" \
            >"$build/$name.log" 2>&1; then
        echo "fuzz_$name found a failure:"
        tail -n 40 "$build/$name.log"
        status=1
    else
        echo "fuzz_$name: $(grep -E '^Done' "$build/$name.log")"
    fi
done
exit $status
