#!/usr/bin/env bash
# convert-all and unpack-all on a generated level of N textures of 256 x 256
# pixels in all five formats (default 2000), then on a level twice as large. Each
# time is shown next to its floor: cat reading the same input bytes and writing
# the same number of output bytes. Times are the best of three runs with a warm
# page cache; peak memory is the maximum resident set size.
#
#   bench/textures.sh BUILD_DIR [N [WORK_PARENT]]   (BUILD_DIR configured with -DDROSSEL_BENCH=ON)
#
# The files go to a new folder under WORK_PARENT (default: the temporary folder).
# With several gigabytes written, a disk's write-back throttling dominates both
# times; a memory file system such as /dev/shm measures the program instead.
set -euo pipefail
build=${1:?usage: bench/textures.sh BUILD_DIR [N [WORK_PARENT]]}
count=${2:-2000}
work=$(mktemp -d -p "${3:-${TMPDIR:-/tmp}}")
trap 'rm -rf "$work"' EXIT
cli="$build/drossel-cli"

now_ms() { echo $(( $(date +%s%N) / 1000000 )); }

# Best of three wall-clock runs of "$@" in milliseconds; each run starts with a
# fresh, empty output folder $work/out.
best() {
    local best_ms=999999999 start ms
    for _ in 1 2 3; do
        rm -rf "$work/out" && mkdir "$work/out"
        start=$(now_ms)
        "$@" >/dev/null
        ms=$(( $(now_ms) - start ))
        (( ms < best_ms )) && best_ms=$ms
    done
    echo "$best_ms"
}

# The floor: read the level's bytes, and write as many bytes as the command wrote.
floor() {
    local level=$1 produced=$2
    cat "$level.dat" "$level.raw" >/dev/null
    cat "$produced"/* >"$work/floor.bin"
    rm -f "$work/floor.bin"
}

peak_kib() { /usr/bin/time -f %M "$@" 2>&1 >/dev/null | tail -n 1; }

measure() {
    local n=$1 level="$work/level$1"
    "$build/bench/make-texture-level" "$n" "$level" >/dev/null
    local input=$(( $(stat -c %s "$level.dat") + $(stat -c %s "$level.raw") ))
    cat "$level.dat" "$level.raw" >/dev/null
    echo "level: $n textures, $(( input / 1048576 )) MiB in"
    for command in convert-all unpack-all; do
        local ms output floor_ms peak
        ms=$(best "$cli" "$command" "$level.dat" "$work/out")
        output=$(du -sb "$work/out" | cut -f1)
        rm -rf "$work/kept" && mv "$work/out" "$work/kept"
        floor_ms=$(best floor "$level" "$work/kept")
        rm -rf "$work/out" && mkdir "$work/out"
        peak=$(peak_kib "$cli" "$command" "$level.dat" "$work/out")
        printf '  %-12s %6d ms   floor (cat) %6d ms   ratio %5.2f   out %4d MiB   peak %6d KiB\n' \
            "$command" "$ms" "$floor_ms" "$(awk "BEGIN { print $ms / ($floor_ms > 0 ? $floor_ms : 1) }")" \
            $(( output / 1048576 )) "$peak"
        times["$command $n"]=$ms
    done
    rm -rf "$work/kept" "$work/out" "$level.dat" "$level.raw"
}

declare -A times
measure "$count"
measure $(( count * 2 ))
for command in convert-all unpack-all; do
    awk "BEGIN { printf \"doubling the level: %s takes %.2f times as long\\n\", \"$command\", \
        ${times["$command $(( count * 2 ))"]} / ${times["$command $count"]} }"
done
