#!/usr/bin/env bash
# Start-up time: process start until the course dialog is on screen, beside a
# bare Qt window started the same way, and beside that window showing a line
# of Japanese text in each face the program uses (loading those faces is part
# of any window of the program). Runs under Xvfb; prints the medians of
# several runs and the course dialog's ratios to both (target: at most 1.1
# times the window with the Japanese text).
# Usage: startup.sh <vocarin binary> <bare_window binary> [runs]
set -euo pipefail
vocarin=$(realpath "$1") bare=$(realpath "$2") runs=${3:-15}

if [ "${4:-}" != inner ]; then
    exec "$(dirname "$0")/../../tests/x11/xvfb-session" "$0" "$vocarin" "$bare" "$runs" inner
fi

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
mkdir "$work/course"
printf 'Course\r\nc\r\n3\r\n' >"$work/course/Option.txt"
printf 'one\r\ntwo\r\nthree\r\n' >"$work/course/cE.txt"
printf '一\r\n二\r\n三\r\n' >"$work/course/cJ.txt"
cd "$work"

# Milliseconds from starting the program until a visible window has the title.
time_to_window() { # title binary [arguments]
    local title=$1 start pid elapsed
    shift
    start=$(date +%s%N)
    "$@" >/dev/null 2>&1 &
    pid=$!
    until xdotool search --onlyvisible --name "$title" >/dev/null 2>&1; do
        kill -0 "$pid" 2>/dev/null || { echo "$1 ended before showing \"$title\"" >&2; exit 1; }
        sleep 0.005
    done
    elapsed=$((($(date +%s%N) - start) / 1000000))
    kill "$pid"; wait "$pid" 2>/dev/null || true
    echo "$elapsed"
}

median() { sort -n | awk '{ v[NR] = $1 } END { print v[int((NR + 1) / 2)] }'; }

# Each round starts all three, so that a busy moment of the machine falls on all alike.
time_to_window "問題の変更" "$vocarin" >/dev/null # warm the file cache
time_to_window "bare window" "$bare" >/dev/null
time_to_window "Japanese window" "$bare" japanese >/dev/null
record() { # key title binary [arguments]
    local elapsed
    elapsed=$(time_to_window "${@:2}")
    echo "$1 $elapsed"
}
for _ in $(seq "$runs"); do
    record v "問題の変更" "$vocarin"
    record b "bare window" "$bare"
    record j "Japanese window" "$bare" japanese
done >"$work/times"
median_of() { awk -v k="$1" '$1 == k { print $2 }' "$work/times" | median; }
v=$(median_of v) b=$(median_of b) j=$(median_of j)
echo "course dialog shown: ${v} ms (median of $runs)"
echo "bare Qt window shown: ${b} ms (median of $runs)"
awk -v j="$j" -v b="$b" 'BEGIN { printf "bare window with Japanese text in the program'"'"'s faces: %d ms (%.2f of the bare window)\n", j, j / b }'
awk -v v="$v" -v b="$b" -v j="$j" 'BEGIN { printf "ratio: %.2f of the bare window, %.2f of the Japanese window (target <= 1.1)\n", v / b, v / j }'
