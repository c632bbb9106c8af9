#!/usr/bin/env bash
# Whole-process wall time of `quillax render` against rsvg-convert rasterising `quillax svg`'s output
# of the same view at the same size, both to PNG. Usage: bench/render_vs_rsvg.sh [BUILD_DIR] [POINTS] [RUNS],
# POINTS a count for a generated object or `ship` for the sample ship. rsvg-convert comes from Debian's
# librsvg2-bin, installed when missing. `quillax --version` runs beside them: the start of a command
# that draws nothing, which loads neither QtGui nor the drawing module.
set -euo pipefail
cd "$(dirname "$0")/.."
build="${1:-build}"
points="${2:-100000}"
runs="${3:-5}"
size=578x520
bin="$build/bin"
if ! command -v rsvg-convert >/dev/null; then
    sudo=""
    [ "$(id -u)" -eq 0 ] || sudo="sudo"
    $sudo apt-get update
    DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y --no-install-recommends librsvg2-bin
fi
cmake --build "$build" --target quillax make-sample-object >/dev/null

work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
if [ "$points" = ship ]; then
    cp Assets/PlayerTopb.lin "$work/large.lin"
else
    "$bin/make-sample-object" --points "$points" --meshes 8 "$work/large.lin"
fi
"$bin/quillax" svg "$work/large.lin" "$work/large.svg" --size "$size"
width="${size%x*}"
height="${size#*x}"

render=("$bin/quillax" render "$work/large.lin" "$work/render.png" --size "$size")
rsvg=(rsvg-convert --width "$width" --height "$height" -o "$work/rsvg.png" "$work/large.svg")
start=("$bin/quillax" --version)

if command -v hyperfine >/dev/null; then
    hyperfine --warmup 1 --runs "$runs" --export-json "$work/times.json" "${render[*]}" "${rsvg[*]}" "${start[*]}"
    medians=($(python3 -c 'import json,sys; print(*[r["median"] for r in json.load(open(sys.argv[1]))["results"]])' "$work/times.json"))
else
    # Median of the runs, alternating the two so that both see the same machine load.
    median() { sort -n | awk '{a[NR]=$1} END {print a[int((NR+1)/2)]}'; }
    # Microseconds of one run of the command named, appended to its file.
    timed() {
        local name="$1" begin end
        shift
        begin=$(date +%s%N); "$@" >/dev/null; end=$(date +%s%N)
        echo $(((end - begin) / 1000)) >>"$work/$name.txt"
    }
    : >"$work/render.txt"
    : >"$work/rsvg.txt"
    : >"$work/start.txt"
    "${render[@]}"
    "${rsvg[@]}"
    for ((i = 0; i < runs; i++)); do
        timed render "${render[@]}"
        timed rsvg "${rsvg[@]}"
        timed start "${start[@]}"
    done
    medians=("$(median <"$work/render.txt")e-6" "$(median <"$work/rsvg.txt")e-6" "$(median <"$work/start.txt")e-6")
    echo "runs of render (us): $(tr '\n' ' ' <"$work/render.txt")"
    echo "runs of rsvg   (us): $(tr '\n' ' ' <"$work/rsvg.txt")"
    echo "runs of start  (us): $(tr '\n' ' ' <"$work/start.txt")"
fi
python3 - "${medians[@]}" "$points" "$size" <<'PY'
import sys
render, rsvg, start = (float(value) for value in sys.argv[1:4])
points, size = sys.argv[4], sys.argv[5]
print(f"{points} (points) at {size}: quillax render {render * 1000:.1f} ms, rsvg-convert {rsvg * 1000:.1f} ms (medians)")
print(f"ratio render / rsvg-convert = {render / rsvg:.3f} (the goal: at most 0.4)")
print(f"quillax --version {start * 1000:.1f} ms, {start / rsvg:.3f} of rsvg-convert: the start of a command that does not draw")
PY
