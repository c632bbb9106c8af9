# shellcheck shell=bash
# What the scripts that time the real editor on a virtual display share, sourced after `cd` to the
# project with the script's arguments [BUILD_DIR] [MESHES] [DISPLAY] and `default_display` set: the
# programs built, a scratch folder `work` removed on exit with the editor and Xvfb (the editor's
# recovery folder in it), and Xvfb started.
build="${1:-build}"
meshes="${2:-30x32767,1x16990}"
display="${3:-$default_display}"
cmake --build "$build" --target quillax-editor make-random-walk-object >/dev/null

work="$(mktemp -d)"
xvfb=""
editor=""
# A failed run says whether the display had gone (on a busy machine a few runs in some hundred found it
# unreachable, cause not found). Xvfb is waited for, so that the next script's finds the display free.
xvfb_ended() { [ -n "$xvfb" ] && ! grep -qs '^State:[[:space:]]*[^Z]' "/proc/$xvfb/status"; }
trap 'if (($? != 0)) && xvfb_ended; then echo "Xvfb on $display had ended" >&2; fi
    kill $editor $xvfb 2>/dev/null || true; wait; rm -rf "$work"' EXIT
# Recovery copies of its own: another editor's leftovers would be offered at start, in a box.
export XDG_STATE_HOME="$work/state"
answers() { DISPLAY="$display" xdotool getdisplaygeometry >/dev/null 2>&1; }
if answers; then
    echo "display $display is in use: name another" >&2 && exit 1
fi
Xvfb "$display" -screen 0 1280x1024x24 >/dev/null 2>&1 &
xvfb=$!
# Ready when it answers, which under load can take seconds.
until answers; do
    kill -0 "$xvfb" 2>/dev/null || { echo "Xvfb could not start on $display" >&2 && exit 1; }
    sleep 0.1
done

# "Load File" reads Assets/PlayerTopb.lin two folders above the program's folder: a copy of the editor
# in work/bin/exe reads the seeded random walk of MESHES written to work/Assets.
place_object_for_load_file() {
    mkdir -p "$work/bin/exe" "$work/Assets"
    cp "$build/bin/quillax-editor" "$work/bin/exe/"
    "$build/bin/make-random-walk-object" "$work/Assets/PlayerTopb.lin" --seed 1 --meshes "$meshes"
}
