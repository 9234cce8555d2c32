#!/usr/bin/env bash
# The keyboard as a learner uses it, on the real program in a virtual X server
# with a window manager (openbox), keys sent with xdotool and the pointer held
# still. Sound goes to SDL's disk driver, which plays in real time.
# Usage: keys.sh <vocarin binary> <work folder> <case>
# Cases:
#   digits-enter   a whole run answered with the digit keys and Enter alone,
#                  each Enter pressed twice, ends with the closing message; M
#                  typed before the message shows acts once it is closed
#   tab-reset      after an answer, Tab to 最初から and Enter start the run over
#   voice-list     ↓ and ↑ on the voice box change the voice; "1" and Esc in
#                  the open voice list leave the run as it was
#   radio-keys     Tab reaches both options of ランダム; the arrows and Space
#                  check them
#   focus-ring     Tab draws a ring around the focused control, which leaves
#                  the control's own look as it was; the ring's pictures on a
#                  button, a radio button and the voice box are kept
#   dialog-keys    in the course dialog, Down from OK, Down and Enter load the
#                  second course
set -uo pipefail
bin=$1 work=$2 case=$3

if [ "${4:-}" != inner ]; then
  rm -rf "$work" && mkdir -p "$work/animals" "$work/colours"
  printf '動物\r\nani\r\n3\r\n' >"$work/animals/Option.txt"
  printf 'dog\r\ncat\r\nbird\r\nfish\r\n' >"$work/animals/aniE.txt"
  printf '犬\r\n猫\r\n鳥\r\n魚\r\n' >"$work/animals/aniJ.txt"
  printf '色\r\ncol\r\n3\r\n' >"$work/colours/Option.txt"
  printf 'red\r\nblue\r\ngreen\r\n' >"$work/colours/colE.txt"
  printf '赤\r\n青\r\n緑\r\n' >"$work/colours/colJ.txt"
  exec "$(dirname "$0")/../x11/xvfb-session" "$0" "$bin" "$work" "$case" inner
fi

# shellcheck source=../x11/xsession.sh
source "$(dirname "$0")/../x11/xsession.sh"
cd "$work" || exit 1
test_name="keys $case" pid=
same() { ! images_differ "$1" "$2"; }

start_window_manager || fail "openbox did not start"
SDL_AUDIODRIVER=disk SDL_DISKAUDIOFILE=/dev/null "$bin" &
pid=$!

wait_until 60 window_shown "問題の変更" || fail "the course dialog did not appear"
dialog=$(window_id "問題の変更")
wait_until 30 window_active "問題の変更" || fail "the course dialog did not become active"
wait_for_still "$dialog"

# Keys, then a wait until the main window shows what they caused.
keys() { # key...
  xdotool key --delay 50 "$@"
  wait_for_still "$main"
}
# The status line (question number and both counts) and the answer buttons.
grab_state() { # prefix
  grab_controls "$main" "$1-status.png" 0 lbQuestNum lbCorrectNum lbWrongNum &&
    grab_controls "$main" "$1-answers.png" 0 Panel1
}
# OK has the focus when the dialog opens: Enter loads the first course.
load_first() {
  xdotool key Return
  wait_until 90 window_gone "問題の変更" || fail "Enter on OK did not load the course"
  main=$(window_id "動物") || fail "no main window"
  wait_for_still "$main"
  painted() { grab_state start && has_text start-status.png; }
  wait_until 60 painted || fail "the main window shows no status line"
}

case $case in
digits-enter)
  load_first
  grab_state question-1
  for question in 1 2 3; do
    # Every answer pressed: one is right and brings Next; the second Enter
    # comes when Next is disabled again and does nothing.
    keys 1 2 3 Return Return
    grab_state "question-$((question + 1))"
    images_differ "question-$question-status.png" "question-$((question + 1))-status.png" ||
      fail "Enter after question $question did not move on"
  done
  # After the last, Enter brings the closing sentence and message; Enter and M
  # typed while the sentence is spoken wait for the message to be closed.
  xdotool key --delay 50 1 2 3 Return Return m
  wait_until 60 window_shown "Vocarin" || fail "no closing message after the last question"
  # The question number, clear of the message.
  number() { grab_controls "$main" "$1.png" 0 lbQuestNum; }
  number finished
  wait_until 30 window_active Vocarin || fail "the closing message did not become active"
  xdotool key Return
  wait_until 30 window_gone "Vocarin" || fail "Enter did not close the closing message"
  # M: the round of the words missed, or the message that there are none.
  mistakes() { window_shown "Vocarin" || { number mistakes && images_differ finished.png mistakes.png; }; }
  wait_until 30 mistakes || fail "M typed before the closing message was lost"
  ;;
tab-reset)
  load_first
  keys 1 2 3
  grab_state answered
  images_differ start-status.png answered-status.png || fail "the answers were not counted"
  # The answered buttons are disabled: Tab goes to 最初から, the first stop left.
  keys Tab Return
  grab_state reset
  same start-status.png reset-status.png || fail "Tab to 最初から and Enter did not start over"
  ;;
voice-list)
  load_first
  # The closed voice box, reached by Tab, chooses a voice with the arrows.
  tab_to "$main" ComboBox1 || fail "Tab did not reach the voice box"
  voice() { grab_controls "$main" "$1.png" 0 ComboBox1; }
  voice first
  keys Down
  voice second
  images_differ first.png second.png || fail "↓ on the voice box did not change the voice"
  keys Up
  voice first-again
  same first.png first-again.png || fail "↑ on the voice box did not go back to the voice"
  # Above and below the voice box, where its list opens (the box itself
  # shows the pointer over it).
  list_area() { # prefix
    local height x y w h
    read -r _ height x y w h <<<"$(layout_rect 6 ComboBox1)"
    grab_main "$main" "$x" 0 "$w" $((y + 2)) "$1-above.png" &&
      grab_main "$main" "$x" $((y + h - 2)) "$w" $((height - y - h + 2)) "$1-below.png"
  }
  list_area closed
  click_control "$main" ComboBox1
  list_area open
  if same closed-above.png open-above.png && same closed-below.png open-below.png; then
    fail "a click on the voice box did not open its list"
  fi
  keys 1 Escape
  list_area closed-again
  { same closed-above.png closed-again-above.png && same closed-below.png closed-again-below.png; } ||
    fail "Esc did not close the voice list"
  grab_state after
  same start-status.png after-status.png || fail "a key in the voice list changed the counts"
  same start-answers.png after-answers.png || fail "a key in the voice list answered"
  ;;
radio-keys)
  load_first
  random() { grab_controls "$main" "$1.png" 0 gbRandom; }
  random off
  tab_to "$main" rbRndOff || fail "Tab did not reach ランダム なし"
  random off-focused
  keys Right
  random on-by-arrow
  images_differ off-focused.png on-by-arrow.png || fail "→ on ランダム なし did not check あり"
  keys Left
  random off-by-arrow
  images_differ on-by-arrow.png off-by-arrow.png || fail "← on ランダム あり did not check なし"
  keys Tab space
  random on-by-space
  same on-by-arrow.png on-by-space.png || fail "Tab to ランダム あり and Space did not check it"
  ;;
focus-ring)
  load_first
  # 最初から, ランダム なし and the voice box, each with a margin for the ring.
  ring_areas() { # prefix
    grab_controls "$main" "$1-button.png" 6 btnReset &&
      grab_controls "$main" "$1-radio.png" 4 rbRndOff &&
      grab_controls "$main" "$1-voice.png" 6 ComboBox1
  }
  ring_areas plain
  tab_to "$main" btnReset || fail "Tab did not reach 最初から, or drew no ring on it"
  ring_areas reset
  keys Tab
  ring_areas random
  same plain-button.png random-button.png || fail "最初から does not look as before once the focus left"
  images_differ plain-radio.png random-radio.png || fail "no ring on the focused radio button"
  tab_to "$main" ComboBox1 || fail "Tab did not reach the voice box, or drew no ring on it"
  ring_areas voice
  same plain-radio.png voice-radio.png || fail "the radio button does not look as before once the focus left"
  cp reset-button.png focus-button.png
  cp random-radio.png focus-radio.png
  cp voice-voice.png focus-voice.png
  echo "keys: the ring on a button, a radio button and the voice box: $work/focus-{button,radio,voice}.png"
  ;;
dialog-keys)
  xdotool key Down Down
  wait_for_still "$dialog"
  xdotool key Return
  wait_until 90 window_gone "問題の変更" || fail "Enter on the list did not load a course"
  main=$(window_id "色") || fail "Down, Down and Enter did not load the second course"
  ;;
*)
  fail "unknown case"
  ;;
esac

quit_and_exit
