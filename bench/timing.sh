# Shared by the benchmark scripts (sourced, not run): wall-clock times as the
# best of three runs with a warm page cache, the floor of a command (cat reading
# its input and writing as many bytes as it wrote), and peak memory.
# Needs $work, a folder of the caller's own (bench_arguments makes one).

# The arguments of a benchmark on generated levels: BUILD_DIR [SIZE [WORK_PARENT]].
#   bench_arguments USAGE DEFAULT_SIZE "$@"
# Sets $build, $size, $cli and $work, a new folder under WORK_PARENT (default:
# the temporary folder) that is removed when the script ends.
bench_arguments() {
    local usage="usage: $1" default=$2
    shift 2
    build=${1:?$usage}
    size=${2:-$default}
    work=$(mktemp -d -p "${3:-${TMPDIR:-/tmp}}")
    trap 'rm -rf "$work"' EXIT
    cli="$build/drossel-cli"
}

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

# Runs "$@" (which writes into $work/out) and prints one line: its time, the
# floor of what it wrote, their ratio, the output size and the peak memory.
# Leaves the time in $last_ms.
report() {
    local label=$1 level=$2
    shift 2
    local ms output floor_ms peak
    ms=$(best "$@")
    output=$(du -sb "$work/out" | cut -f1)
    rm -rf "$work/kept" && mv "$work/out" "$work/kept"
    floor_ms=$(best floor "$level" "$work/kept")
    rm -rf "$work/out" "$work/kept" && mkdir "$work/out"
    peak=$(peak_kib "$@")
    printf '  %-22s %6d ms   floor (cat) %6d ms   ratio %5.2f   out %6.1f MiB   peak %7d KiB\n' \
        "$label" "$ms" "$floor_ms" "$(awk "BEGIN { print $ms / ($floor_ms > 0 ? $floor_ms : 1) }")" \
        "$(awk "BEGIN { print $output / 1048576 }")" "$peak"
    last_ms=$ms
}

growth() {  # growth LABEL SMALL_MS LARGE_MS
    awk "BEGIN { printf \"doubling the level: %s takes %.2f times as long\\n\", \"$1\", $3 / ($2 > 0 ? $2 : 1) }"
}
