#!/usr/bin/env bash
# convert-all on a level of N strings and N one-second sounds (default 2000 of
# each), then of twice as many, next to the floor (cat
# reading the same input and writing the same number of bytes). See
# bench/timing.sh for how times and memory are taken.
#
#   bench/texts-sounds.sh BUILD_DIR [N [WORK_PARENT]]   (BUILD_DIR configured with -DDROSSEL_BENCH=ON)
set -euo pipefail
source "$(dirname "$0")/timing.sh"
bench_arguments "bench/texts-sounds.sh BUILD_DIR [N [WORK_PARENT]]" 2000 "$@"
count=$size

declare -A times
for n in "$count" $(( count * 2 )); do
    level="$work/level$n"
    "$build/bench/make-content-level" texts-sounds "$n" "$level" >/dev/null
    echo "level: $n strings and $n sounds, $(( ($(stat -c %s "$level.dat") + $(stat -c %s "$level.raw")) / 1048576 )) MiB in"
    report convert-all "$level" "$cli" convert-all "$level.dat" "$work/out"
    times[$n]=$last_ms
    rm -f "$level.dat" "$level.raw"
done
growth convert-all "${times[$count]}" "${times[$(( count * 2 ))]}"
