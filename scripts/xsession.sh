# Helpers for driving the real program under a bare X server (xvfb-session, no
# window manager: every window of the program fills the screen). Sourced by the
# scripts, the window smoke test and the benchmarks. Every wait ends on a
# condition, with a limit of ten seconds.

# Waits for a visible window whose title matches; prints its id. Given the
# program's process id, gives up as soon as the program has ended.
wait_for_window() { # title [pid]
  local id
  for _ in $(seq 100); do
    id=$(xdotool search --onlyvisible --name "$1" 2>/dev/null | head -n1) && [[ -n "$id" ]] &&
      { echo "$id"; return 0; }
    [[ -z "${2:-}" ]] || kill -0 "$2" 2>/dev/null || return 1
    sleep 0.1
  done
  return 1
}

# Waits until no visible window's title matches.
wait_for_no_window() { # title
  for _ in $(seq 100); do
    xdotool search --onlyvisible --name "$1" >/dev/null 2>&1 || return 0
    sleep 0.1
  done
  return 1
}

# Waits until a window (default: the whole screen) has looked the same in four
# captures a tenth of a second apart: the program has drawn what the last
# input caused. A window
# that has gone has nothing more to draw. (import waits for a click when it
# finds no window, hence the check and the time limit.)
wait_for_still() { # [window-id]
  local last="" same=0 now end=$((SECONDS + 10))
  while ((SECONDS < end)); do
    [[ -z "${1:-}" ]] || xdotool getwindowname "$1" >/dev/null 2>&1 || return 0
    now=$(timeout 2 import -silent -window "${1:-root}" rgb:- 2>/dev/null | md5sum)
    if [[ $now == "$last" ]]; then
      ((++same >= 3)) && return 0
    else
      same=0 last=$now
    fi
    sleep 0.1
  done
  return 1
}

# Clicks a point given in design units of a window's canvas (650 x 399 for the
# main window, 442 x 256 for the course dialog); the canvas fills the window.
click_design() { # window-id canvas-width canvas-height x y
  local WIDTH HEIGHT X Y WINDOW SCREEN
  eval "$(xdotool getwindowgeometry --shell "$1")"
  xdotool mousemove $((X + $4 * WIDTH / $2)) $((Y + $5 * HEIGHT / $3)) click 1
  wait_for_still "$1"
}

# Waits up to ten seconds for a child process to end; prints "exit code: N"
# and leaves N in exit_code, or stops it and says so.
wait_for_exit() { # pid
  for _ in $(seq 100); do
    kill -0 "$1" 2>/dev/null || break
    sleep 0.1
  done
  if kill -0 "$1" 2>/dev/null; then
    kill "$1"
    wait "$1" 2>/dev/null
    echo "still running ten seconds after close"
    return 1
  fi
  exit_code=0
  wait "$1" || exit_code=$?
  echo "exit code: $exit_code"
}

# A fixture of two small courses in the given folder: the working folder itself
# (UTF-8 with mark, 3 buttons) and a subfolder (UTF-16LE, wav marker, 4 buttons).
write_fixture_courses() { # folder
  printf '\xEF\xBB\xBF果物\r\nf\r\n3\r\n' >"$1/Option.txt"
  printf '\xEF\xBB\xBFapple\r\ngrape\r\npeach\r\nlemon\r\n' >"$1/fE.txt"
  printf '\xEF\xBB\xBFりんご\r\nぶどう\r\nもも\r\nレモン\r\n' >"$1/fJ.txt"
  mkdir -p "$1/2_colours"
  printf '色\nc\nwav\n4\n' | iconv -f UTF-8 -t UTF-16 >"$1/2_colours/Option.txt"
  printf 'red\nblue\ngreen\nwhite\nblack\n' | iconv -f UTF-8 -t UTF-16 >"$1/2_colours/cE.txt"
  printf '赤\n青\n緑\n白\n黒\n' | iconv -f UTF-8 -t UTF-16 >"$1/2_colours/cJ.txt"
}

# One whole session with the program already started: OK on the first course
# in the dialog, three answer presses, Next, "問題を変える" and OK on the second
# course, one more press, then "終了".
play_session() {
  local dialog main
  dialog=$(wait_for_window "問題の変更") || { echo "no course dialog"; return 1; }
  wait_for_still "$dialog"
  click_design "$dialog" 442 256 372 232
  main=$(wait_for_window "果物") || { echo "no main window after OK"; return 1; }
  wait_for_still "$main"
  for x in 116 324 532; do click_design "$main" 650 399 "$x" 308; done
  click_design "$main" 650 399 68 251
  click_design "$main" 650 399 116 308
  # "問題を変える", then the second course in the dialog's list and OK.
  click_design "$main" 650 399 386 208
  dialog=$(wait_for_window "問題の変更") || { echo "no course dialog on change"; return 1; }
  wait_for_still "$dialog"
  click_design "$dialog" 442 256 150 40
  xdotool key Down
  click_design "$dialog" 442 256 372 232
  main=$(wait_for_window "色") || { echo "no main window after the change"; return 1; }
  click_design "$main" 650 399 116 308
  click_design "$main" 650 399 592 39
}
