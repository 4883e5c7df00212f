#!/usr/bin/env bash
# Load time of a generated level of N resources (default 100000) next to the
# floor, reading the same file once with cat, and the loader's peak memory.
#
#   bench/load.sh BUILD_DIR [N]        (BUILD_DIR configured with -DDROSSEL_BENCH=ON)
set -euo pipefail
build=${1:?usage: bench/load.sh BUILD_DIR [N]}
count=${2:-100000}
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
"$build/bench/make-large-level" "$count" "$work/level" >/dev/null
: > "$work/level.raw"
bytes=$(stat -c %s "$work/level.dat")

# Best of five wall-clock runs, in milliseconds.
best() {
    local best_ms=999999 start end ms
    for _ in 1 2 3 4 5; do
        start=$(date +%s%N)
        "$@" >/dev/null
        end=$(date +%s%N)
        ms=$(( (end - start) / 1000000 ))
        (( ms < best_ms )) && best_ms=$ms
    done
    echo "$best_ms"
}

cat "$work/level.dat" >/dev/null  # warm the page cache for both
floor=$(best cat "$work/level.dat")
info=$(best "$build/drossel-cli" info "$work/level.dat")
tree=$(best "$build/drossel-cli" tree "$work/level.dat")
peak=$(/usr/bin/time -f %M "$build/drossel-cli" info "$work/level.dat" 2>&1 >/dev/null | tail -n 1)

echo "level: $count resources, $bytes bytes"
echo "cat (floor):                 ${floor} ms"
echo "drossel-cli info (load):     ${info} ms"
echo "drossel-cli tree (load+view): ${tree} ms"
echo "peak memory of info:         ${peak} KiB"
"$build/bench/load_bench" --benchmark_min_time=0.5
