#!/usr/bin/env bash
# The processor time of "Load File" from the click to an idle editor, measured from outside: the real
# editor on a virtual display, started afresh for each run as a user would, has its "Load File" button
# clicked, and the process's user and system time (all its threads, /proc/PID/stat) is read until it
# has not grown for 300 ms. Each run prints that time, the wall time to its last tick and the X
# server's processor time meanwhile; the median, the least and the most of the first follow.
# Usage: bench/load_file_on_display.sh [BUILD_DIR] [MESHES] [DISPLAY] [RUNS] (MESHES as
# make-random-walk-object takes them, e.g. 1x10,30x32767,1x16980 for a first mesh of 10 points; Xvfb
# and xdotool from Debian). The kernel counts in ticks of 10 ms, so a run is within a tick of the
# truth, and the median of many runs closer.
set -euo pipefail
cd "$(dirname "$0")/.."
default_display=:95
source bench/editor_on_display.sh
runs="${4:-11}"
place_object_for_load_file
tick_ms=$((1000 / $(getconf CLK_TCK)))

# The button's centre in the window as it opens (no window manager: the window is at the origin).
button_x=812
button_y=83
cpu_ticks() {
    local fields
    read -r -a fields <"/proc/$1/stat"
    echo $((fields[13] + fields[14]))
}
now_ms() { echo $((${EPOCHREALTIME/./} / 1000)); }

results=()
for run in $(seq "$runs"); do
    DISPLAY="$display" QT_QPA_PLATFORM=xcb "$work/bin/exe/quillax-editor" 2>/dev/null &
    editor=$!
    window=$(DISPLAY="$display" xdotool search --sync --onlyvisible --pid "$editor" --name "Quillax Object Editor" | head -1)
    sleep 1
    # A first click gives the window the pointer and the keyboard; the move to the button repaints it
    # hovered. Both are done before the time is taken.
    DISPLAY="$display" xdotool mousemove --window "$window" 700 300 click 1
    sleep 0.3
    DISPLAY="$display" xdotool mousemove --window "$window" "$button_x" "$button_y"
    sleep 0.5
    before=$(cpu_ticks "$editor")
    server_before=$(cpu_ticks "$xvfb")
    last=$before
    start=$(now_ms)
    changed=$start
    DISPLAY="$display" xdotool click 1
    while (($(now_ms) - changed < 300)); do
        sleep 0.005
        ticks=$(cpu_ticks "$editor")
        if ((ticks != last)); then
            last=$ticks
            changed=$(now_ms)
        fi
    done
    title=$(DISPLAY="$display" xdotool getwindowname "$window")
    case "$title" in
    PlayerTopb.lin*) ;;
    *) echo "run $run: the object was not loaded (the window reads \"$title\")" >&2 && exit 1 ;;
    esac
    cpu=$(((last - before) * tick_ms))
    echo "run $run: ${cpu} ms CPU, idle $((changed - start)) ms after the click;" \
        "the X server $((($(cpu_ticks "$xvfb") - server_before) * tick_ms)) ms CPU meanwhile"
    results+=("$cpu")
    kill "$editor"
    wait "$editor" || true
    editor=""
done
printf '%s\n' "${results[@]}" | sort -n | awk -v meshes="$meshes" '{a[NR] = $1}
    END {printf "meshes %s: median %d ms CPU (least %d, most %d) over %d runs\n", meshes, a[int((NR + 1) / 2)], a[1], a[NR], NR}'
echo "load: $(uptime | sed 's/.*load average: //')"
