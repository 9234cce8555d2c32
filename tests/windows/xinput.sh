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
#   dialog-escape         Esc does nothing in the course dialog at its first
#                         showing; shown again, Esc closes it as Alt+F4 does
#   click-during-closing  最初から clicked while the closing sentence is spoken
#                         starts the run over only once the closing message
#                         has been shown over the finished run and closed
#   keys-during-closing   Home, 1 and Enter typed while the closing sentence is
#                         spoken are handled once the closing message is
#                         closed, one after the other, as typed during a word:
#                         the run starts over and reaches question 2
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
  # One answer button: 1 is always right.
  mkdir -p "$work/single"
  printf '一択\r\nsky\r\n1\r\n' >"$work/single/Option.txt"
  printf 'sun\r\nmoon\r\nstar\r\n' >"$work/single/skyE.txt"
  printf '太陽\r\n月\r\n星\r\n' >"$work/single/skyJ.txt"
  exec "$(dirname "$0")/../x11/xvfb-session" "$0" "$bin" "$work" "$case" inner
fi

# shellcheck source=../x11/xsession.sh
source "$(dirname "$0")/../x11/xsession.sh"
cd "$work" || exit 1
test_name="xinput $case" pid=

start_window_manager || fail "openbox did not start"
SDL_AUDIODRIVER=disk SDL_DISKAUDIOFILE=/dev/null "$bin" &
pid=$!

# The course dialog lists 長文, 動物 and 一択 (folder order); $1 picks the row.
choose_course() { # row
  wait_until 60 window_shown "問題の変更" || fail "the course dialog did not appear"
  local dialog
  dialog=$(window_id "問題の変更")
  click_dialog "$dialog" 60 40
  for ((row = 0; row < $1; ++row)); do xdotool key Down; done
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

# The run of 一択 up to its last question answered, Next enabled: by clicks,
# or by the keys 1 and Enter. Leaves question-1 and question-2 (the question
# number and the status line as each question is asked) and the answers
# area at question 2.
number() { grab_main "$main" 14 196 123 17 "$1.png"; } # clear of a message box
status() { grab_main "$main" 14 196 329 17 "$1-status.png" && grab_main "$main" 8 276 633 112 "$1-answers.png"; }
next_button() { grab_main "$main" 24 236 89 30 "$1.png"; }
answer_all() { # clicks | keys
  main=$(window_id "一択") || fail "no main window"
  painted() { number question-1 && has_text question-1.png; }
  wait_until 60 painted || fail "the main window shows no question number"
  next_button next-disabled
  local question
  for question in 1 2 3; do
    # Once the number has changed, the count of the answer before has too.
    asked() { number now && { ((question == 1)) || images_differ "question-$((question - 1)).png" now.png; }; }
    wait_until 30 asked || fail "question $question was not asked"
    wait_for_still "$main"
    number "question-$question"
    status "question-$question"
    if [[ $1 == clicks ]]; then click_control "$main" btnWord1; else xdotool key 1; fi
    enabled() { next_button now && images_differ next-disabled.png now.png; }
    wait_until 30 enabled || fail "the answer to question $question did not enable Next"
    ((question == 3)) && break
    if [[ $1 == clicks ]]; then click_control "$main" btnNext; else xdotool key Return; fi
  done
}
# The closing message over the finished run, then closed by Enter.
closing_message() {
  wait_until 60 window_shown "Vocarin" || fail "no closing message after the last question"
  number closing
  images_differ question-3.png closing.png && fail "input made during the closing sentence ran before the closing message"
  # The pointer goes over the message, as it does to reach OK; Enter closes it.
  wait_until 30 window_active Vocarin || fail "the closing message did not become active"
  xdotool mousemove --window "$(window_id Vocarin)" 20 20 key Return
  wait_until 30 window_gone "Vocarin" || fail "Enter did not close the closing message"
}

case $case in
click-during-closing)
  choose_course 2
  answer_all clicks
  # Next, then 最初から at once, well inside the closing sentence.
  # shellcheck disable=SC2046
  read -r next_x next_y < <(design_point "$main" $(layout_of btnNext))
  # shellcheck disable=SC2046
  read -r reset_x reset_y < <(design_point "$main" $(layout_of btnReset))
  xdotool mousemove "$next_x" "$next_y" click 1 sleep 0.3 mousemove "$reset_x" "$reset_y" click 1
  closing_message
  restarted() { number now && ! images_differ question-1.png now.png; }
  wait_until 30 restarted || fail "最初から clicked during the closing sentence did not start the run over"
  ;;
keys-during-closing)
  choose_course 2
  answer_all keys
  xdotool key --delay 100 Return Home 1 Return
  closing_message
  # The run starts over, question 1 is answered and Next brings question 2.
  at_question_2() {
    status now && ! images_differ question-2-status.png now-status.png &&
      ! images_differ question-2-answers.png now-answers.png
  }
  wait_until 30 at_question_2 || fail "Home, 1 and Enter typed during the closing sentence did not reach question 2"
  sleep 1
  at_question_2 || fail "more happened after question 2 was reached"
  ;;
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
dialog-close | dialog-escape)
  # Esc leaves the dialog up at the first showing, where no course is loaded yet.
  if [[ $case == dialog-escape ]]; then
    wait_until 60 window_shown "問題の変更" || fail "the course dialog did not appear"
    wait_until 30 window_active "問題の変更" || fail "the course dialog did not become active"
    xdotool key Escape Tab Escape
    sleep 1
    window_shown "問題の変更" || fail "Esc closed the course dialog at its first showing"
  fi
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
  wait_until 30 window_active "問題の変更" || fail "the course dialog did not become active"
  if [[ $case == dialog-close ]]; then close_key=alt+F4; else close_key=Escape; fi
  xdotool key "$close_key"
  wait_until 30 window_gone "問題の変更" || fail "$close_key did not close the course dialog"
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
