#!/usr/bin/env bash
# Start-up, and load time of a generated level of N resources (default 100000) next to the
# floor, reading the same file once with cat, and the loader's peak memory;
# with BEFORE=OTHER_BUILD_DIR, an older build's times beside them.
#
#   bench/load.sh BUILD_DIR [N [ROUNDS]]   (BUILD_DIR configured with -DDROSSEL_BENCH=ON)
#
# The commands take turns, ROUNDS times (default 15), so that a busy moment of
# the machine falls on all of them alike; each time is the median of its runs.
set -euo pipefail
build=${1:?usage: bench/load.sh BUILD_DIR [N [ROUNDS]]}
count=${2:-100000}
rounds=${3:-15}
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
"$build/bench/make-large-level" "$count" "$work/level" >/dev/null
: > "$work/level.raw"
bytes=$(stat -c %s "$work/level.dat")
level=$work/level.dat
cli=$build/drossel-cli

labels=("cat (floor)")
commands=("cat $level")
for pair in ${BEFORE:+"before:$BEFORE/drossel-cli"} "now:$cli"; do
    name=${pair%%:*} program=${pair#*:}
    suffix=$([ "$name" = before ] && echo " (before)" || echo "")
    labels+=("drossel-cli --help$suffix" "drossel-cli info$suffix" "drossel-cli tree$suffix")
    commands+=("$program --help" "$program info $level" "$program tree $level")
done

cat "$level" >/dev/null  # warm the page cache for all
declare -A runs
for ((round = 0; round < rounds; ++round)); do
    for i in "${!commands[@]}"; do
        start=${EPOCHREALTIME/./}  # microseconds, read without starting a process
        ${commands[$i]} >/dev/null
        end=${EPOCHREALTIME/./}
        runs[$i]+="$(( end - start )) "
    done
done
median() { tr ' ' '\n' | grep . | sort -n | awk '{ v[NR] = $1 } END { printf "%.1f", v[int((NR + 1) / 2)] / 1000 }'; }
floor=$(median <<<"${runs[0]}")
echo "level: $count resources, $bytes bytes; median of $rounds rounds, in ms"
for i in "${!commands[@]}"; do
    ms=$(median <<<"${runs[$i]}")
    line=$(printf '%-40s%6s ms  %4s x cat' "${labels[$i]}:" "$ms" "$(awk "BEGIN { printf \"%.1f\", $ms / $floor }")")
    if [[ ${commands[$i]} == *" info "* || ${commands[$i]} == *" tree "* ]]; then
        peak=$(/usr/bin/time -f %M ${commands[$i]} 2>&1 >/dev/null | tail -n 1)
        line+="   peak $peak KiB"
    fi
    echo "$line"
done
"$build/bench/load_bench" --benchmark_min_time=0.5
