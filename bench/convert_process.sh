#!/usr/bin/env bash
# Whole-process wall time (median of RUNS, and the spread) of `quillax convert` on 1,000,000 points,
# .lin to JSON and back, and on an SVG of 100,000 segments to .lin; also `svg`'s document of the million
# points at the start view. Usage: bench/convert_process.sh [BUILD_DIR] [RUNS]
set -euo pipefail
cd "$(dirname "$0")/.."
build="${1:-build}"
runs="${2:-7}"
bin="$build/bin"
cmake --build "$build" --target quillax make-random-walk-object >/dev/null

work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
"$bin/make-random-walk-object" "$work/million.lin" --seed 1 --meshes 30x32767,1x16990
"$bin/quillax" convert "$work/million.lin" "$work/million.json"
# 100 polylines of 1,000 segments each, random steps with three decimals, in a transformed group.
python3 - "$work/segments.svg" <<'PY'
import random, sys
random.seed(1)
out = ['<svg xmlns="http://www.w3.org/2000/svg" viewBox="0 0 1000 1000">',
       '<g transform="translate(500,500) scale(0.5)" style="stroke:#ff8000;fill:none">']
for element in range(100):
    x = y = 0.0
    points = []
    for k in range(1001):
        x += random.uniform(-5, 5)
        y += random.uniform(-5, 5)
        points.append(f"{x:.3f},{y:.3f}")
    out.append(f'<polyline points="{" ".join(points)}"/>')
open(sys.argv[1], "w").write("\n".join(out + ["</g>", "</svg>", ""]))
PY

# Median and range of the wall times of a command, in seconds.
measure() {
    local name="$1" times=()
    shift
    "$@"
    for ((i = 0; i < runs; i++)); do
        local start end
        start=$(date +%s%N)
        "$@"
        end=$(date +%s%N)
        times+=($(((end - start) / 1000)))
    done
    printf '%s\n' "${times[@]}" | sort -n | awk -v name="$name" '{a[NR] = $1 / 1e6}
        END {printf "%-28s median %.3f s  (min %.3f, max %.3f, %d runs)\n", name, a[int((NR + 1) / 2)], a[1], a[NR], NR}'
}

echo "load: $(uptime | sed 's/.*load average: //')"
measure "lin to json (1,000,000 pts)" "$bin/quillax" convert "$work/million.lin" "$work/out.json"
measure "json to lin (1,000,000 pts)" "$bin/quillax" convert "$work/million.json" "$work/out.lin"
measure "svg to lin (100,000 segs)" "$bin/quillax" convert "$work/segments.svg" "$work/segments.lin"
measure "svg view (1,000,000 pts)" "$bin/quillax" svg "$work/million.lin" "$work/view.svg"
cmp "$work/million.lin" "$work/out.lin" && echo "the million points came back bit for bit"
echo "sizes: json $(stat -c %s "$work/million.json") bytes, view svg $(stat -c %s "$work/view.svg") bytes"
