#!/usr/bin/env bash
# The real program in a virtual X server with a window manager (openbox),
# driven with xdotool as a learner would, the pointer held still after each
# action. Sound goes to SDL's disk driver, which plays in real time, so speech
# lasts as long as on a sound card.
# Usage: xinput.sh <vocarin binary> <work folder> <case>
# Cases:
#   answer-during-speech  an answer clicked while a long text is spoken is
#                         judged once the speech is over
#   close-during-speech   the window manager's close pressed while a long text
#                         is spoken ends the program once the speech is over
#   dialog-close          the course dialog shown again by "問題を変える" is
#                         cancelled by the window manager's close (Alt+F4) and
#                         leaves the question and counters as they were
set -uo pipefail
bin=$1 work=$2 case=$3

# A sentence of about five seconds as the first word, so that question 1 and
# "もう一度聞く" speak for long.
long_word="Speaking slowly and clearly, the teacher read out a long sentence about the weather in the mountains"

if [ "${4:-}" != inner ]; then
  rm -rf "$work" && mkdir -p "$work/long" "$work/short"
  printf '長文\r\nlong\r\n3\r\n' >"$work/long/Option.txt"
  printf '%s\r\ncat\r\nbird\r\nfish\r\n' "$long_word" >"$work/long/longE.txt"
  printf '長い文\r\n猫\r\n鳥\r\n魚\r\n' >"$work/long/longJ.txt"
  printf '動物\r\nani\r\n3\r\n' >"$work/short/Option.txt"
  printf 'dog\r\ncat\r\nbird\r\nfish\r\n' >"$work/short/aniE.txt"
  printf '犬\r\n猫\r\n鳥\r\n魚\r\n' >"$work/short/aniJ.txt"
  exec "$(dirname "$0")/../x11/xvfb-session" "$0" "$bin" "$work" "$case" inner
fi

# shellcheck source=../x11/xsession.sh
source "$(dirname "$0")/../x11/xsession.sh"
cd "$work" || exit 1
test_name="xinput $case" pid=

start_window_manager || fail "openbox did not start"
SDL_AUDIODRIVER=disk SDL_DISKAUDIOFILE=/dev/null "$bin" &
pid=$!

# The course dialog lists 長文 first (folder order); $1 picks the row.
choose_course() { # row
  wait_until 60 window_shown "問題の変更" || fail "the course dialog did not appear"
  local dialog
  dialog=$(window_id "問題の変更")
  click_dialog "$dialog" 60 40
  (($1 == 0)) || xdotool key Down
  click_control "$dialog" Button1
  # The dialog goes once the first word has been spoken.
  wait_until 90 window_gone "問題の変更" || fail "the course did not load"
}

# Answer buttons (Panel1), the two text labels and the status labels.
grab_state() { # main prefix
  grab_controls "$1" "$2-answers.png" 0 Panel1
  grab_controls "$1" "$2-texts.png" 0 Panel3 Panel2
  grab_controls "$1" "$2-counts.png" 0 lbQuestNum lbCorrectNum lbWrongNum
}

case $case in
answer-during-speech)
  choose_course 0
  main=$(window_id "長文") || fail "no main window"
  click_control "$main" bbtnListenAgain
  sleep 1                             # well inside the speech
  click_control "$main" btnWord1
  # The chosen meaning appears in lbJap, empty until then, once it is judged.
  judged() { grab_controls "$main" now.png 0 lbJap && has_text now.png; }
  wait_until 60 judged || fail "the answer clicked during speech was not judged after it"
  ;;
close-during-speech)
  choose_course 0
  main=$(window_id "長文") || fail "no main window"
  click_control "$main" bbtnListenAgain
  sleep 1
  wmctrl -i -c "$main"
  wait_until 60 ended || fail "the close pressed during speech did not end the program"
  ;;
dialog-close)
  choose_course 1
  main=$(window_id "動物") || fail "no main window"
  unanswered() {
    grab_controls "$main" unanswered.png 0 lbQuestNum lbCorrectNum lbWrongNum &&
      has_text unanswered.png
  }
  wait_until 60 unanswered || fail "the main window shows no counts"
  click_control "$main" btnWord1 # judged and counted
  counted() {
    grab_controls "$main" now.png 0 lbQuestNum lbCorrectNum lbWrongNum &&
      images_differ unanswered.png now.png
  }
  wait_until 60 counted || fail "the answer was not counted"
  sleep 1 # the praise or "No!" is spoken; nothing on the window changes meanwhile
  grab_state "$main" before
  click_control "$main" btnChangeCourse
  wait_until 60 window_shown "問題の変更" || fail "the course dialog did not appear again"
  dialog=$(window_id "問題の変更")
  dialog_active() { [[ $(xdotool getactivewindow 2>/dev/null) == "$dialog" ]]; }
  wait_until 30 dialog_active || fail "the course dialog did not become active"
  xdotool key alt+F4
  wait_until 30 window_gone "問題の変更" || fail "Alt+F4 did not close the course dialog"
  # Once the main window has been painted again, it shows what it showed before.
  unchanged() {
    grab_state "$main" after || return 1
    for part in answers texts counts; do
      images_differ "before-$part.png" "after-$part.png" && return 1
    done
    return 0
  }
  wait_until 30 unchanged || fail "closing the dialog changed the main window"
  click_control "$main" btnClose
  wait_until 60 ended || fail "終了 did not end the program"
  ;;
*)
  fail "unknown case"
  ;;
esac

quit_and_exit
