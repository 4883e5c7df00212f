#!/usr/bin/env bash
# Load time of a generated level of N resources (default 100000) next to the
# floor, reading the same file once with cat, and the loader's peak memory;
# with BEFORE=OTHER_BUILD_DIR, an older build's times beside them.
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
ratio() { awk "BEGIN { printf \"%.1f\", $1 / ($floor > 0 ? $floor : 1) }"; }
echo "level: $count resources, $bytes bytes"
echo "cat (floor):                         ${floor} ms"
start=$(best "$build/drossel-cli" --help)
echo "drossel-cli --help (start-up):       ${start} ms   $(ratio "$start") x cat"
# With BEFORE set to another build folder, its drossel-cli is measured beside.
for cli in ${BEFORE:+"$BEFORE/drossel-cli"} "$build/drossel-cli"; do
    label=$([ "$cli" = "$build/drossel-cli" ] && echo "" || echo " (before)")
    info=$(best "$cli" info "$work/level.dat")
    tree=$(best "$cli" tree "$work/level.dat")
    peak=$(/usr/bin/time -f %M "$cli" info "$work/level.dat" 2>&1 >/dev/null | tail -n 1)
    printf '%-37s%s\n' "drossel-cli info$label:" "${info} ms   $(ratio "$info") x cat   peak ${peak} KiB"
    printf '%-37s%s\n' "drossel-cli tree$label:" "${tree} ms   $(ratio "$tree") x cat"
done
"$build/bench/load_bench" --benchmark_min_time=0.5
