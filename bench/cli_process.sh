#!/usr/bin/env bash
# Whole-process figures of the command line, from start to exit: `quillax --version`, `check` and
# `render` (PNG) of the sample ship, `render` of 1,000,000 points. Each line gives the median wall time of
# RUNS and the median CPU time (user + system), in milliseconds. With BEFORE (another build's quillax)
# the two binaries run in turn, so that both see the same load.
# Usage: bench/cli_process.sh [BUILD_DIR] [RUNS] [BEFORE]
set -euo pipefail
cd "$(dirname "$0")/.."
build="${1:-build}"
runs="${2:-11}"
before="${3:-}"
bin="$build/bin"
cmake --build "$build" --target quillax make-sample-object make-random-walk-object >/dev/null

work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
"$bin/make-sample-object" "$work/ship.lin" >/dev/null
"$bin/make-random-walk-object" "$work/million.lin" --seed 1 --meshes 30x32767,1x16990 >/dev/null

median() { sort -n | awk '{a[NR]=$1} END {print a[int((NR+1)/2)]}'; }

# Appends one run's wall and CPU milliseconds to the files named.
timed() {
    local wall="$1" cpu="$2"
    shift 2
    local start end
    start=$(date +%s%N)
    /usr/bin/time -f '%U %S' -o "$work/cpu" "$@" >/dev/null
    end=$(date +%s%N)
    echo $(((end - start) / 1000000)) >>"$wall"
    awk '{printf "%d\n", ($1 + $2) * 1000}' "$work/cpu" >>"$cpu"
}

measure() {
    local name="$1"
    shift
    local programs=("$bin/quillax")
    [ -n "$before" ] && programs=("$before" "$bin/quillax")
    for ((i = 0; i < runs; i++)); do
        for k in "${!programs[@]}"; do
            timed "$work/wall.$k" "$work/cpu.$k" "${programs[$k]}" "$@"
        done
    done
    for k in "${!programs[@]}"; do
        printf '%-28s %-40s wall %5s ms  cpu %5s ms\n' "$name" "${programs[$k]}" \
            "$(median <"$work/wall.$k")" "$(median <"$work/cpu.$k")"
        rm -f "$work/wall.$k" "$work/cpu.$k"
    done
}

echo "load: $(uptime)"
measure "--version" --version
measure "check ship" check "$work/ship.lin"
measure "render ship PNG" render "$work/ship.lin" "$work/ship.png"
measure "render 1,000,000 points PNG" render "$work/million.lin" "$work/million.png"
echo "load: $(uptime)"
