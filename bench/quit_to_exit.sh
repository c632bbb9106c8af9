#!/usr/bin/env bash
# How long the editor takes to end after Ctrl+Q, measured from outside: the real editor on a virtual
# display opens an object, Ctrl+Q is pressed, and the time until the process has ended (a zombie counts as
# ended: it is its parent's to reap) is printed, five times. Usage: bench/quit_to_exit.sh [BUILD_DIR]
# [MESHES] [DISPLAY] (MESHES as make-random-walk-object takes them; Xvfb and xdotool from Debian).
# Watch a process this script started: one adopted by the machine's init stays in the process table,
# alive to `kill -0`, until init reaps it, which can take seconds.
set -euo pipefail
cd "$(dirname "$0")/.."
default_display=:96
source bench/editor_on_display.sh
"$build/bin/make-random-walk-object" "$work/object.lin" --seed 1 --meshes "$meshes"
ended() { [ ! -e "/proc/$editor" ] || grep -q '^State:[[:space:]]*Z' "/proc/$editor/status" 2>/dev/null; }
for run in 1 2 3 4 5; do
    DISPLAY="$display" QT_QPA_PLATFORM=xcb "$build/bin/quillax-editor" "$work/object.lin" 2>/dev/null &
    editor=$!
    DISPLAY="$display" xdotool search --sync --onlyvisible --pid "$editor" --name "Quillax Object Editor" >/dev/null
    sleep 1
    # No window manager: a click gives the window the keyboard.
    DISPLAY="$display" xdotool mousemove 700 300 click 1
    sleep 0.3
    start=$(date +%s%N)
    DISPLAY="$display" xdotool key ctrl+q
    until ended; do sleep 0.005; done
    echo "run $run: ended $(( ($(date +%s%N) - start) / 1000000 )) ms after Ctrl+Q"
    wait "$editor" || true
    editor=""
done
