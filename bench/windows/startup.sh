#!/usr/bin/env bash
# Start-up time: process start until the course dialog is on screen, beside a
# bare Qt window started the same way. Runs under Xvfb; prints the medians of
# several runs and their ratio (target: 1.5 or less).
# Usage: startup.sh <vocarin binary> <bare_window binary> [runs]
set -euo pipefail
vocarin=$(realpath "$1") bare=$(realpath "$2") runs=${3:-15}

if [ "${4:-}" != inner ]; then
    exec "$(dirname "$0")/../../scripts/xvfb-session" "$0" "$vocarin" "$bare" "$runs" inner
fi

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
mkdir "$work/course"
printf 'Course\r\nc\r\n3\r\n' >"$work/course/Option.txt"
printf 'one\r\ntwo\r\nthree\r\n' >"$work/course/cE.txt"
printf '一\r\n二\r\n三\r\n' >"$work/course/cJ.txt"
cd "$work"

# Milliseconds from starting the program until a visible window has the title.
time_to_window() { # binary title
    local start pid elapsed
    start=$(date +%s%N)
    "$1" >/dev/null 2>&1 &
    pid=$!
    until xdotool search --onlyvisible --name "$2" >/dev/null 2>&1; do
        kill -0 "$pid" 2>/dev/null || { echo "$1 ended before showing \"$2\"" >&2; exit 1; }
        sleep 0.005
    done
    elapsed=$((($(date +%s%N) - start) / 1000000))
    kill "$pid"; wait "$pid" 2>/dev/null || true
    echo "$elapsed"
}

median() { sort -n | awk '{ v[NR] = $1 } END { print v[int((NR + 1) / 2)] }'; }

time_to_window "$vocarin" "問題の変更" >/dev/null # warm the file cache
time_to_window "$bare" "bare window" >/dev/null
v=$(for _ in $(seq "$runs"); do time_to_window "$vocarin" "問題の変更"; done | median)
b=$(for _ in $(seq "$runs"); do time_to_window "$bare" "bare window"; done | median)
echo "course dialog shown: ${v} ms (median of $runs)"
echo "bare Qt window shown: ${b} ms (median of $runs)"
awk -v v="$v" -v b="$b" 'BEGIN { printf "ratio: %.2f (target <= 1.5)\n", v / b }'
