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
source "$(dirname "$0")/../../scripts/xsession.sh"
"$bin" & pid=$!
fail() { echo "smoke: $*" >&2; kill "$pid" 2>/dev/null; exit 1; }

dialog=$(wait_for_window "問題の変更" "$pid") || fail "the course dialog did not appear"
wait_for_still "$dialog"
click_design "$dialog" 442 256 372 232 # OK
main=$(wait_for_window "動物" "$pid") || fail "the course did not load"
wait_for_still "$main"
click_design "$main" 650 399 108 308 # btnWord1
import -window root "$work/screenshot.png" || fail "no screenshot"
echo "smoke: screenshot $work/screenshot.png"
click_design "$main" 650 399 592 39 # 終了
wait_for_exit "$pid" || fail "Vocarin did not close"
exit "$exit_code"
