#!/usr/bin/env bash
# The resident memory "Load File" adds to the empty editor, per point, measured from outside: the real
# editor on a virtual display loads a seeded random-walk object of a million points (Ctrl+L), and
# VmRSS is read before and after. Usage: bench/resident_per_point.sh [BUILD_DIR] [MESHES] [DISPLAY]
# (MESHES as make-random-walk-object takes them; Xvfb and xdotool from Debian's xvfb and xdotool).
set -euo pipefail
cd "$(dirname "$0")/.."
default_display=:97
source bench/editor_on_display.sh
place_object_for_load_file
points=$(python3 -c 'import sys; print(sum(int(c) * int(p) for c, p in (g.split("x") for g in sys.argv[1].split(","))))' "$meshes")

DISPLAY="$display" QT_QPA_PLATFORM=xcb "$work/bin/exe/quillax-editor" 2>/dev/null &
editor=$!
resident() { awk '/VmRSS/ {print $2}' "/proc/$editor/status"; }
window=$(DISPLAY="$display" xdotool search --sync --pid "$editor" --name "Quillax Object Editor" | head -1)
sleep 1
before=$(resident)
DISPLAY="$display" xdotool windowfocus --sync "$window" key --window "$window" ctrl+l
# Settled when the resident size stops changing.
after=0
while [ "$(resident)" != "$after" ]; do
    after=$(resident)
    sleep 1
done
echo "points $points, empty editor ${before} kB, loaded ${after} kB," \
    "$(python3 -c "print(round(($after - $before) * 1024 / $points, 2))") bytes per point"
