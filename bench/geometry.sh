#!/usr/bin/env bash
# The character and level exports on the demo level with 20 characters and its
# level made of Q/2 quads, then of Q quads (default 50,000, with 60,006 points;
# the LightWave output holds at most 65,536 points), in every format, glTF
# binary included, next to the floor (cat reading the same input and writing the
# same number of bytes). See bench/timing.sh for how times and memory are taken.
#
#   bench/geometry.sh BUILD_DIR [Q [WORK_PARENT]]   (BUILD_DIR configured with -DDROSSEL_BENCH=ON)
set -euo pipefail
source "$(dirname "$0")/timing.sh"
bench_arguments "bench/geometry.sh BUILD_DIR [Q [WORK_PARENT]]" 50000 "$@"
quads=$size

formats=(lwo rwb b3d b3d-uv glb)
declare -A options=([lwo]="--level-format lwo" [rwb]="--level-format rwb" [b3d]="--level-format b3d"
                    [b3d-uv]="--level-format b3d-uv" [glb]="--3d-format glb")
declare -A times
for q in $(( quads / 2 )) "$quads"; do
    level="$work/level$q"
    "$build/bench/make-content-level" geometry "$q" "$level" >/dev/null
    # The level resource's node key (k70) without its letter.
    index=$("$cli" tree "$level.dat" | awk '/^ONLV/ { getline; print substr($1, 2); exit }')
    echo "level: 20 characters, $q quads"
    report characters "$level" "$cli" convert-group "$level.dat" ONCC "$work/out"
    report "characters glb" "$level" "$cli" convert-group --3d-format glb "$level.dat" ONCC "$work/out"
    for format in "${formats[@]}"; do
        # shellcheck disable=SC2086  # the options are two words
        report "level $format" "$level" "$cli" convert ${options[$format]} "$level.dat" "$index" "$work/out/level"
        times["$format $q"]=$last_ms
    done
    rm -f "$level.dat" "$level.raw"
done
for format in "${formats[@]}"; do
    growth "level $format" "${times["$format $(( quads / 2 ))"]}" "${times["$format $quads"]}"
done
