#!/usr/bin/env bash
# The batch commands of two builds on the demo level and generated levels:
# output trees (diff -r), printed paths, messages and exit codes must be the
# same, for the older build and for the newer one on one thread and on four.
#
#   bench/same-output.sh OLD_BUILD_DIR NEW_BUILD_DIR [WORK_PARENT]
#
# Both build folders configured with -DDROSSEL_BENCH=ON; the levels are made by
# the newer one. Prints one line per comparison and exits 1 when any differs.
set -uo pipefail
old=${1:?usage: bench/same-output.sh OLD_BUILD_DIR NEW_BUILD_DIR [WORK_PARENT]}
new=${2:?usage: bench/same-output.sh OLD_BUILD_DIR NEW_BUILD_DIR [WORK_PARENT]}
work=$(mktemp -d -p "${3:-${TMPDIR:-/tmp}}")
trap 'rm -rf "$work"' EXIT
"$new/tools/make-demo-level" "$work/demo" >/dev/null
"$new/bench/make-texture-level" 200 "$work/textures" >/dev/null
"$new/bench/make-content-level" texts-sounds 300 "$work/texts" >/dev/null
"$new/bench/make-content-level" geometry 40 "$work/geometry" >/dev/null
"$new/bench/make-large-level" 3000 "$work/large" >/dev/null
: >"$work/large.raw"

runs=("$old/drossel-cli" "$new/drossel-cli --jobs 1" "$new/drossel-cli --jobs 4")
differ=0
# compare LABEL ARGUMENTS...: the arguments end with LEVEL.dat and any further
# operands; the output folder is added last.
compare() {
    local label=$1 i=0
    shift
    for run in "${runs[@]}"; do
        i=$((i + 1))
        rm -rf "$work/out$i" && mkdir "$work/out$i"
        # shellcheck disable=SC2086
        $run "$@" "$work/out$i" >"$work/stdout$i" 2>"$work/stderr$i"
        echo "exit $?" >>"$work/stdout$i"
        sed -i "s|$work/out$i|OUT|g" "$work/stdout$i" "$work/stderr$i"
    done
    for i in 2 3; do
        if ! diff -r -q "$work/out1" "$work/out$i" >/dev/null || ! cmp -s "$work/stdout1" "$work/stdout$i" ||
            ! cmp -s "$work/stderr1" "$work/stderr$i"; then
            echo "DIFFERENT: $label (${runs[$((i - 1))]})"
            differ=1
        fi
    done
    echo "same: $label: $(find "$work/out1" -type f | wc -l) files, $(($(wc -l <"$work/stdout1") - 1)) paths, $(wc -l <"$work/stderr1") messages"
}

for level in demo textures texts geometry large; do
    compare "$level convert-all" convert-all "$work/$level.dat"
    compare "$level unpack-all" unpack-all "$work/$level.dat"
    compare "$level convert-all --one-text-file" --one-text-file convert-all "$work/$level.dat"
    compare "$level convert-all --3d-format glb --image png" --3d-format glb --image png convert-all "$work/$level.dat"
    for key in TXMP SNDD TStr M3GM; do
        compare "$level convert-group $key" convert-group "$work/$level.dat" "$key"
        compare "$level unpack-group $key" unpack-group "$work/$level.dat" "$key"
    done
done
exit $differ
