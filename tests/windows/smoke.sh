#!/usr/bin/env bash
# Smoke test of the real program under a virtual X server: pick the first
# course, answer one question by clicking, take a screenshot, close with 終了.
# Usage: smoke.sh <vocarin binary> <work folder>
set -uo pipefail
bin=$1 work=$2

if [ "${3:-}" != inner ]; then
    rm -rf "$work" && mkdir -p "$work/animals" "$work/colours"
    printf '動物\r\nani\r\n3\r\n' >"$work/animals/Option.txt"
    printf 'dog\r\ncat\r\nbird\r\nfish\r\n' >"$work/animals/aniE.txt"
    printf '犬\r\n猫\r\n鳥\r\n魚\r\n' >"$work/animals/aniJ.txt"
    printf '色\r\ncol\r\n4\r\n' >"$work/colours/Option.txt"
    printf 'red\r\nblue\r\ngreen\r\nblack\r\n' >"$work/colours/colE.txt"
    printf '赤\r\n青\r\n緑\r\n黒\r\n' >"$work/colours/colJ.txt"
    exec "$(dirname "$0")/../../scripts/xvfb-session" "$0" "$bin" "$work" inner
fi

cd "$work"
read -r width height < <(xdpyinfo | awk '/dimensions:/ { split($2, s, "x"); print s[1], s[2] }')
"$bin" & pid=$!
fail() { echo "smoke: $*" >&2; kill "$pid" 2>/dev/null; exit 1; }

wait_for_window() { # title
    for _ in $(seq 150); do
        xdotool search --onlyvisible --name "$1" >/dev/null 2>&1 && return 0
        kill -0 "$pid" 2>/dev/null || fail "Vocarin ended before \"$1\" appeared"
        sleep 0.1
    done
    return 1
}

# A design point of the 650 x 399 canvas that fills the screen.
click_design() { # x y
    xdotool mousemove $(($1 * width / 650)) $(($2 * height / 399)) click 1
}

wait_for_window "問題の変更" || fail "the course dialog did not appear"
sleep 0.5
# OK sits at (372, 232) of the dialog's 442 x 256 canvas.
xdotool mousemove $((372 * width / 442)) $((232 * height / 256)) click 1
wait_for_window "動物" || fail "the course did not load"
sleep 1
click_design 108 308 # btnWord1
sleep 1.5
import -window root "$work/screenshot.png" || fail "no screenshot"
echo "smoke: screenshot $work/screenshot.png"
click_design 592 39 # 終了
for _ in $(seq 100); do kill -0 "$pid" 2>/dev/null || break; sleep 0.1; done
kill -0 "$pid" 2>/dev/null && fail "Vocarin did not close"
wait "$pid"
rc=$?
echo "smoke: exit code $rc"
exit $rc
