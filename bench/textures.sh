#!/usr/bin/env bash
# convert-all and unpack-all on a generated level of N textures of 256 x 256
# pixels in all five formats (default 2000), then on a level twice as large. Each
# time is shown next to its floor: cat reading the same input bytes and writing
# the same number of output bytes. Times are the best of three runs with a warm
# page cache; peak memory is the maximum resident set size.
#
#   bench/textures.sh BUILD_DIR [N [WORK_PARENT]]   (BUILD_DIR configured with -DDROSSEL_BENCH=ON)
#
# Each command runs on one thread (--jobs 1) and on every core; with BEFORE set
# to another build folder, that build's drossel-cli runs it too, in the same run.
#
# The files go to a new folder under WORK_PARENT (default: the temporary folder).
# With several gigabytes written, a disk's write-back throttling dominates both
# times; a memory file system such as /dev/shm measures the program instead.
set -euo pipefail
source "$(dirname "$0")/timing.sh"
bench_arguments "bench/textures.sh BUILD_DIR [N [WORK_PARENT]]" 2000 "$@"
count=$size

measure() {
    local n=$1 level="$work/level$1"
    "$build/bench/make-texture-level" "$n" "$level" >/dev/null
    local input=$(( $(stat -c %s "$level.dat") + $(stat -c %s "$level.raw") ))
    cat "$level.dat" "$level.raw" >/dev/null
    echo "level: $n textures, $(( input / 1048576 )) MiB in"
    for command in convert-all unpack-all; do
        if [ -n "${BEFORE:-}" ]; then
            report "$command (before)" "$level" "$BEFORE/drossel-cli" "$command" "$level.dat" "$work/out"
        fi
        report "$command -j 1" "$level" "$cli" "$command" --jobs 1 "$level.dat" "$work/out"
        report "$command" "$level" "$cli" "$command" "$level.dat" "$work/out"
        times["$command $n"]=$last_ms
    done
    rm -rf "$work/kept" "$work/out" "$level.dat" "$level.raw"
}

declare -A times
measure "$count"
measure $(( count * 2 ))
for command in convert-all unpack-all; do
    growth "$command" "${times["$command $count"]}" "${times["$command $(( count * 2 ))"]}"
done
