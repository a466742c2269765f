#!/bin/sh
# How many instructions lorvane-host costs for the smallest scripts: an empty
# one and one that starts Outlook with the add-in and quits. Each runs under
# valgrind's callgrind on a fresh machine folder; the counts (Ir, every
# instruction of the process, loading and relocating the libraries
# included) are printed against their goals. The build is a RelWithDebInfo
# build of lorvane-host and LorvaneOL.so, configured and built in BUILD_DIR
# when it is not there yet.
#
#   bench/host/host-instructions.sh [BUILD_DIR]     (default: build-rwdi)
#
# Exit status: 0 when both counts are below their goals, 1 when one is not,
# 2 when the measurement cannot be made (no valgrind, no build).
set -eu

root=$(cd "$(dirname "$0")/../.." && pwd)
build=${1:-build-rwdi}
case $build in /*) ;; *) build=$root/$build ;; esac

# Goals in instructions: the start/quit script and the empty script.
start_quit_goal=30000000
empty_goal=20000000

if ! command -v valgrind >/dev/null 2>&1; then
    echo "host-instructions: valgrind is missing: install it (Debian: apt-get install valgrind)" >&2
    echo "host-instructions: nothing was measured" >&2
    exit 2
fi

if [ ! -f "$build/CMakeCache.txt" ]; then
    echo "host-instructions: configuring a RelWithDebInfo build in $build" >&2
    if ! cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
        -DLORVANE_TESTS=OFF -DLORVANE_BENCH=OFF >/dev/null; then
        echo "host-instructions: $build could not be configured" >&2
        exit 2
    fi
fi
type=$(sed -n 's/^CMAKE_BUILD_TYPE:[A-Z]*=//p' "$build/CMakeCache.txt")
if [ "$type" != RelWithDebInfo ]; then
    echo "host-instructions: $build is a ${type:-default} build; the goals are for RelWithDebInfo" >&2
fi
if ! cmake --build "$build" -j3 --target lorvane-host LorvaneOL >/dev/null; then
    echo "host-instructions: lorvane-host or LorvaneOL.so did not build in $build" >&2
    exit 2
fi
host=$build/bin/lorvane-host
if [ ! -x "$host" ]; then
    echo "host-instructions: no lorvane-host in $build/bin" >&2
    exit 2
fi

work=$(mktemp -d "${TMPDIR:-/tmp}/host-instructions-XXXXXX")
trap 'rm -rf "$work"' EXIT
: >"$work/empty.script"
printf 'start\nquit\n' >"$work/start-quit.script"

# The instructions of one run of script NAME on a fresh machine folder.
instructions() {
    rm -rf "$work/machine"
    if ! valgrind --tool=callgrind --callgrind-out-file="$work/$1.callgrind" \
        "$host" --data "$work/machine" script "$work/$1.script" \
        >"$work/$1.out" 2>"$work/$1.err"; then
        echo "host-instructions: the $1 script failed:" >&2
        cat "$work/$1.out" "$work/$1.err" >&2
        exit 2
    fi
    count=$(sed -n 's/^==[0-9]*== Collected : \([0-9]*\)$/\1/p' "$work/$1.err")
    if [ -z "$count" ]; then
        echo "host-instructions: callgrind printed no count for the $1 script" >&2
        exit 2
    fi
    echo "$count"
}

status=0
# Prints one line: the script, its count, its goal and whether it is met.
report() {
    if [ "$2" -lt "$3" ]; then
        verdict="below the goal"
    else
        verdict="ABOVE THE GOAL"
        status=1
    fi
    awk -v name="$1" -v n="$2" -v goal="$3" -v verdict="$verdict" 'BEGIN {
        printf "%-12s %8.1f million instructions (goal: below %.0f million): %s\n",
               name, n / 1e6, goal / 1e6, verdict }'
}

# Measured first, so that a measurement that cannot be made ends the script
# (a failure inside $(...) alone would only end the subshell).
start_quit=$(instructions start-quit)
empty=$(instructions empty)
report "start, quit" "$start_quit" "$start_quit_goal"
report "empty" "$empty" "$empty_goal"
exit $status
