#!/usr/bin/env bash
# Smoke test of the real program under a virtual X server: pick the first
# course, answer one question with a number key and see it judged (the meaning
# shown above the buttons and a count raised), answer it right with the other
# keys and move on with Enter (the question number changes), take a
# screenshot, close with 終了.
# Usage: smoke.sh <vocarin binary> <work folder>
# With VOCARIN_SMOKE_COURSES set, the program starts in that folder of courses
# instead of the two made here, and VOCARIN_SMOKE_TITLE names the course the
# dialog offers first; with VOCARIN_SMOKE_WINDOW_MANAGER=1 openbox manages the
# windows (scripts/test-windows: the installed program under Wine, whose
# maximised windows need a window manager, as Windows always has one).
set -uo pipefail
bin=$1 work=$2
courses=${VOCARIN_SMOKE_COURSES:-$work}
title=${VOCARIN_SMOKE_TITLE:-動物}

if [ "${3:-}" != inner ]; then
    rm -rf "$work" && mkdir -p "$work"
    if [ -z "${VOCARIN_SMOKE_COURSES:-}" ]; then
        mkdir -p "$work/animals" "$work/colours"
        printf '動物\r\nani\r\n3\r\n' >"$work/animals/Option.txt"
        printf 'dog\r\ncat\r\nbird\r\nfish\r\n' >"$work/animals/aniE.txt"
        printf '犬\r\n猫\r\n鳥\r\n魚\r\n' >"$work/animals/aniJ.txt"
        printf '色\r\ncol\r\n4\r\n' >"$work/colours/Option.txt"
        printf 'red\r\nblue\r\ngreen\r\nblack\r\n' >"$work/colours/colE.txt"
        printf '赤\r\n青\r\n緑\r\n黒\r\n' >"$work/colours/colJ.txt"
    fi
    exec "$(dirname "$0")/../x11/xvfb-session" "$0" "$bin" "$work" inner
fi

# shellcheck source=../x11/xsession.sh
source "$(dirname "$0")/../x11/xsession.sh"
cd "$work" || exit 1
test_name=smoke
if [ "${VOCARIN_SMOKE_WINDOW_MANAGER:-0}" = 1 ]; then
    start_window_manager || fail "openbox did not start"
fi
(cd "$courses" && exec "$bin") & pid=$!
shown_while_running() { running || fail "Vocarin ended before \"$1\" appeared"; window_shown "$1"; }

wait_until 60 shown_while_running "問題の変更" || fail "the course dialog did not appear"
dialog=$(window_id "問題の変更")
# Mapped is not yet painted: the screenshot waits for the dialog's own text.
dialog_painted() { import -silent -window "$dialog" "$work/dialog-only.png" && has_text "$work/dialog-only.png"; }
wait_until 30 dialog_painted || fail "the course dialog shows no text"
import -silent -window root "$work/dialog.png" || fail "no screenshot of the dialog"
click_control "$dialog" Button1 # OK
wait_until 60 window_gone "問題の変更" || fail "the course did not load"
main=$(window_id "$title") || fail "the course did not load"

# lbJap, the two counts and the question number, before and after the answer.
grab_state() { # prefix
    grab_controls "$main" "$1-meaning.png" 0 lbJap &&
        grab_controls "$main" "$1-counts.png" 0 lbCorrectNum lbWrongNum &&
        grab_controls "$main" "$1-number.png" 0 lbQuestNum
}
painted() { grab_state before && has_text before-counts.png; }
wait_until 60 painted || fail "the main window shows no counts"
xdotool key 1 # btnWord1
# The chosen meaning appears in lbJap, empty until then, and a count goes up.
judged() {
    grab_state now && has_text now-meaning.png && images_differ before-counts.png now-counts.png
}
wait_until 60 judged || fail "the answer was not judged"
import -silent -window root "$work/judged.png" || fail "no screenshot of the judged answer"
# The other buttons (as many as the course shows; a digit past them does
# nothing): one is right, which enables Next; Enter then asks question 2.
xdotool key 2 3 4 5 6 Return
moved_on() { grab_state now && images_differ before-number.png now-number.png; }
wait_until 60 moved_on || fail "Enter did not move on to the next question"
import -silent -window root "$work/screenshot.png" || fail "no screenshot"
echo "smoke: screenshot $work/screenshot.png"
quit_and_exit
