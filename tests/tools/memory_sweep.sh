#!/usr/bin/env bash
# Runs render, svg and bmp24 over the sample ship and a 1,000,000-point object under address-space
# limits (ulimit -v) from 64 MB to 512 MB and checks that every run either succeeds with exactly the
# output of an unlimited run, or exits with status 1, a message and no output file: never a hang
# (each run has a timeout), a signal or an abort.
#
#   tests/tools/memory_sweep.sh QUILLAX MAKE_RANDOM_WALK_OBJECT SAMPLE [full|quick]
#
# full: every 16 MB from 64 to 512 MB (29 limits); quick (what ctest runs): every 16 MB up to 128 MB,
# where the large object's runs turn from failing to working, then every 64 MB (11 limits).
# A run the system cannot even start (the dynamic loader fails to map the libraries) is counted
# apart: the program has not run. The summary ends with "N passed, N failed".
set -uo pipefail

quillax=$1
walk=$2
sample=$3
mode=${4:-quick}
if [ "$mode" = full ]; then
    limits=$(seq 64 16 512)
else
    limits="64 80 96 112 128 192 256 320 384 448 512"
fi
work=$(mktemp -d "${TMPDIR:-/tmp}/quillax-sweep-XXXXXX")
trap 'rm -rf "$work"' EXIT
export XDG_RUNTIME_DIR=$work/run
mkdir -m 0700 "$XDG_RUNTIME_DIR"

"$walk" "$work/million.lin" --seed 1 --meshes 30x32767,1x16990 >/dev/null || exit 1
"$quillax" render "$sample" "$work/ship.bmp" || exit 1
"$quillax" render "$work/million.lin" "$work/million.bmp" --size 3000x2000 || exit 1

# Each case: a name, then the command with OUT where the output goes.
cases=(
    "render-ship|render $sample OUT.bmp"
    "render-ship-6000|render $sample OUT.png --size 6000x6000"
    "render-million|render $work/million.lin OUT.bmp"
    "svg-ship|svg $sample OUT.svg"
    "svg-million|svg $work/million.lin OUT.svg"
    "bmp24-ship|bmp24 $work/ship.bmp OUT.bmp"
    "bmp24-million|bmp24 $work/million.bmp OUT.bmp"
)

run_case() { # limit-in-KB case output-base: prints the status; stderr goes to output-base.err
    local limit=$1 command=${2#*|} out=$3
    local arguments
    read -r -a arguments <<<"${command//OUT/$out}"
    (
        [ "$limit" = none ] || ulimit -v "$limit"
        exec timeout -s KILL 120 "$quillax" "${arguments[@]}"
    ) 2>"$out.err"
    echo $?
}

passed=0
failed=0
declare -A succeeded refused unstarted
for entry in "${cases[@]}"; do
    name=${entry%%|*}
    extension=${entry##*.}
    extension=${extension%% *}
    status=$(run_case none "$entry" "$work/$name-reference")
    if [ "$status" != 0 ]; then
        echo "FAIL $name: the unlimited run ended with $status: $(cat "$work/$name-reference.err")"
        exit 1
    fi
    for megabytes in $limits; do
        out=$work/$name-$megabytes
        status=$(run_case $((megabytes * 1024)) "$entry" "$out")
        message=$(head -c 300 "$out.err")
        if [ "$status" = 0 ] && cmp -s "$out.$extension" "$work/$name-reference.$extension"; then
            succeeded[$name]+=" $megabytes"
            passed=$((passed + 1))
        elif [ "$status" = 1 ] && [ -n "$message" ] && [ ! -e "$out.$extension" ]; then
            refused[$name]+=" $megabytes"
            passed=$((passed + 1))
        elif [ "$status" = 127 ] && grep -q "error while loading shared libraries" "$out.err"; then
            unstarted[$name]+=" $megabytes"
        else
            echo "FAIL $name under $megabytes MB: status $status (137: killed after the timeout), \"$message\""
            failed=$((failed + 1))
        fi
        rm -f "$out.$extension"
    done
done

echo "ulimit -v sweep ($mode), limits in MB:" $limits
for entry in "${cases[@]}"; do
    name=${entry%%|*}
    printf '  %-17s ok at:%s\n' "$name" "${succeeded[$name]:- none}"
    printf '  %-17s exit 1 at:%s\n' "" "${refused[$name]:- none}"
    [ -z "${unstarted[$name]:-}" ] || printf '  %-17s not started at:%s\n' "" "${unstarted[$name]}"
done
echo "messages seen:"
cat "$work"/*-[0-9]*.err 2>/dev/null | sort | uniq -c | sort -rn | head -8
echo "$passed passed, $failed failed"
[ "$failed" = 0 ]
