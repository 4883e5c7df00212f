#!/usr/bin/env bash
# The memory one command takes on levels whose records claim huge pictures,
# sounds or texts (bench/make-amplification-levels.cpp): peak resident set size
# of convert and convert-all, of replace-sound, a level's b3d-uv export and
# unpack, from /usr/bin/time -v, with the exit status and the first line on
# stderr. A command must refuse, or stay within its limit (README, "Limits")
# plus its output.
#
#   bench/amplification.sh BUILD_DIR [DROSSEL_CLI [WORK_PARENT]]
#
# BUILD_DIR is configured with -DDROSSEL_BENCH=ON; DROSSEL_CLI (default: the one
# in BUILD_DIR) may be another build's, to compare. The .raw files are sparse;
# the outputs go to a new folder under WORK_PARENT (default: the temporary folder).
set -euo pipefail
build=${1:?usage: bench/amplification.sh BUILD_DIR [DROSSEL_CLI [WORK_PARENT]]}
cli=${2:-$build/drossel-cli}
work=$(mktemp -d -p "${3:-${TMPDIR:-/tmp}}")
trap 'rm -rf "$work"' EXIT

# Runs "$@" under /usr/bin/time -v; prints the peak in MiB, the exit status and
# the program's first line on stderr.
measure() {
    local label=$1
    shift
    rm -rf "$work/out" && mkdir "$work/out"
    local status=0
    /usr/bin/time -v -o "$work/time" "$@" >/dev/null 2>"$work/err" || status=$?
    local kib
    kib=$(awk -F': ' '/Maximum resident set size/ { print $2 }' "$work/time")
    printf '  %-28s peak %6d MiB   exit %d   %s\n' "$label" $(( kib / 1024 )) "$status" \
        "$(grep -v '^Command exited' "$work/err" | head -n 1 | cut -c 1-110)"
}

"$build/bench/make-amplification-levels" "$work" | while read -r dat index case; do
    name=$(basename "$dat" .dat)
    echo "$name (.dat: $(( $(stat -c %s "$dat") / 1024 )) KiB, .raw: $(( $(stat -c %s "${dat%.dat}.raw") / 1048576 )) MiB, sparse)"
    case $case in
        picture)
            measure "convert $index out.tga" "$cli" convert "$dat" "$index" "$work/out/out.tga"
            measure "convert $index out.bmp" "$cli" convert "$dat" "$index" "$work/out/out.bmp"
            measure "convert-all" "$cli" convert-all "$dat" "$work/out" ;;
        replace-sound)  # on a copy: an edit changes the level in place
            mkdir -p "$work/edited" && cp --sparse=always "$dat" "${dat%.dat}.raw" "$work/edited/"
            measure "replace-sound $index" "$cli" replace-sound "$work/edited/$name.dat" "$index" "$work/sound.wav" ;;
        b3d-uv)
            measure "convert $index --level-format b3d-uv" "$cli" convert --level-format b3d-uv "$dat" "$index" \
                "$work/out/out.b3d" ;;
        unpack)
            measure "unpack $index" "$cli" unpack "$dat" "$index" "$work/out/out.sndd" ;;
    esac
done
