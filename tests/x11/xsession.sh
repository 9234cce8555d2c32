# shellcheck shell=bash
# Helpers for driving the real program in an X server (xvfb-session; with no
# window manager every window of the program fills the screen, openbox can be
# started for the tests that need one). Sourced by the scripts, the window
# tests and the benchmarks. Every wait ends on a condition, with a time limit,
# so a loaded machine only makes them slower.

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

# Clicks a point given in design units of a window's canvas, then waits for
# the window to show what the click caused.
click_design() { # window-id canvas-width canvas-height x y
  # shellcheck disable=SC2046
  xdotool mousemove $(design_point "$@") click 1
  wait_for_still "$1"
}

# Where the windows' layout puts a control, read from their own sources
# (layout.awk), so that no script repeats a coordinate of the layout.
xsession_dir=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
layout_of() { # main | dialog | control | rect:control,...: see layout.awk
  local src="$xsession_dir/../../src/windows"
  awk -v want="$1" -f "$xsession_dir/layout.awk" \
    "$src/Fmain.h" "$src/Fselect.h" "$src/FmainLayout.cpp" "$src/Fselect.cpp" ||
    { echo "layout_of: no $1 in the windows' layout" >&2; return 1; }
}

# Clicks a control, found by its name, at its centre.
click_control() { # window-id control
  local place
  place=$(layout_of "$2") || return 1
  # shellcheck disable=SC2086
  click_design "$1" $place
}

# The rectangle around controls of one canvas, grown by a margin on every side
# (design units): canvas-width canvas-height x y width height.
layout_rect() { # margin control...
  local margin=$1 width height x y w h place
  shift
  place=$(layout_of "rect:$(IFS=,; echo "$*")") || return 1
  read -r width height x y w h <<<"$place"
  echo "$width" "$height" $((x - margin)) $((y - margin)) $((w + 2 * margin)) $((h + 2 * margin))
}

# Saves the rectangle around controls, grown by a margin (design units), as an image.
grab_controls() { # window-id file margin control...
  local rect
  rect=$(layout_rect "${@:3}") || return 1
  # shellcheck disable=SC2086
  grab_design "$1" $rect "$2"
}

# Presses Tab until the focus ring shows around a control: reaches a control
# by its name, wherever the tab chain puts it. After each Tab only the
# control's surroundings are watched until they hold still. Fails after 40.
tab_to() { # window-id control
  local rect width height x y w h left top right bottom crop before now last same
  rect=$(layout_rect 3 "$2") || return 1
  read -r width height x y w h <<<"$rect"
  read -r left top < <(design_point "$1" "$width" "$height" "$x" "$y")
  read -r right bottom < <(design_point "$1" "$width" "$height" $((x + w)) $((y + h)))
  crop=$((right - left))x$((bottom - top))+$left+$top
  around() { import -silent -window root -crop "$crop" rgb:- 2>/dev/null | md5sum; }
  before=$(around)
  for _ in $(seq 40); do
    xdotool key Tab
    last='' same=0
    for _ in $(seq 50); do
      now=$(around)
      if [[ $now == "$last" ]]; then
        ((++same >= 2)) && break
      else
        same=0 last=$now
      fi
      sleep 0.1
    done
    [[ $now != "$before" ]] && return 0
  done
  return 1
}

# click_design and grab_design on the dialog's or the main window's canvas.
# shellcheck disable=SC2046
click_dialog() { click_design "$1" $(layout_of dialog) "${@:2}"; } # window-id x y
# shellcheck disable=SC2046
grab_main() { grab_design "$1" $(layout_of main) "${@:2}"; } # window-id x y width height file


# Runs a command every 0.2 s until it succeeds; fails after the given seconds.
wait_until() { # seconds command...
  local deadline=$((SECONDS + $1))
  shift
  until "$@"; do
    ((SECONDS < deadline)) || return 1
    sleep 0.2
  done
}

# The id of the visible window with exactly this title; fails when there is none.
window_id() { # title
  local id
  id=$(xdotool search --onlyvisible --name "^$1\$" 2>/dev/null | head -n1)
  [[ -n $id ]] && echo "$id"
}

window_shown() { window_id "$1" >/dev/null; }
window_gone() { ! window_id "$1" >/dev/null; }
# Keys go to the active window: a box shown but not yet focused by the window
# manager does not get them.
window_active() { # title
  local id
  id=$(window_id "$1") && [[ $(xdotool getactivewindow 2>/dev/null) == "$id" ]]
}

# Starts openbox and waits until it manages the screen.
start_window_manager() {
  openbox --sm-disable >/dev/null 2>&1 &
  wait_until 30 eval 'wmctrl -m >/dev/null 2>&1'
}

# A point given in design units of a window's canvas (its size: layout_of main,
# layout_of dialog), on the screen; the canvas fills
# the window's client area.
# xwininfo, since xdotool's window position counts the frame twice under openbox.
design_point() { # window-id canvas-width canvas-height x y
  local x y width height
  read -r x y width height < <(xwininfo -id "$1" | awk -F: '
    /Absolute upper-left X/ { x = $2 } /Absolute upper-left Y/ { y = $2 }
    /^ *Width/ { w = $2 } /^ *Height/ { h = $2 } END { print x, y, w, h }')
  echo $((x + $4 * width / $2)) $((y + $5 * height / $3))
}

# Saves a rectangle of a window's canvas, given in design units, as an image.
grab_design() { # window-id canvas-width canvas-height x y width height file
  local left top right bottom
  read -r left top < <(design_point "$1" "$2" "$3" "$4" "$5")
  read -r right bottom < <(design_point "$1" "$2" "$3" $(($4 + $6)) $(($5 + $7)))
  import -silent -window root -crop "$((right - left))x$((bottom - top))+$left+$top" +repage "$8"
}

# Succeeds when the two images differ in at least one pixel.
images_differ() { # a b
  local changed
  changed=$(compare -metric AE "$1" "$2" null: 2>&1) || true
  [[ $changed != 0 ]]
}

# Succeeds when an image shows text: antialiased glyphs bring many shades,
# where an empty or not yet painted area has one or two.
has_text() { # file
  (($(convert "$1" -format %k info:) > 8))
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
  click_control "$dialog" Button1
  main=$(wait_for_window "果物") || { echo "no main window after OK"; return 1; }
  wait_for_still "$main"
  for k in 1 2 3; do click_control "$main" "btnWord$k"; done
  click_control "$main" btnNext
  click_control "$main" btnWord1
  # "問題を変える", then the second course in the dialog's list and OK.
  click_control "$main" btnChangeCourse
  dialog=$(wait_for_window "問題の変更") || { echo "no course dialog on change"; return 1; }
  wait_for_still "$dialog"
  click_dialog "$dialog" 150 40
  xdotool key Down
  click_control "$dialog" Button1
  main=$(wait_for_window "色") || { echo "no main window after the change"; return 1; }
  click_control "$main" btnWord1
  click_control "$main" btnClose
}

# For the window tests on the real program, which set test_name, work (their
# folder), pid (the program) and main (its main window) as they go.
# shellcheck disable=SC2154
fail() {
  echo "$test_name: $*" >&2
  import -silent -window root "$work/failure.png" && echo "$test_name: screenshot $work/failure.png" >&2
  [[ -n ${pid:-} ]] && kill "$pid" 2>/dev/null
  exit 1
}
running() { kill -0 "$pid" 2>/dev/null; }
ended() { ! running; }

# Ends the program with 終了 when it still runs, and exits with its exit code.
quit_and_exit() {
  if running; then
    click_control "$main" btnClose
    wait_until 60 ended || fail "終了 did not end the program"
  fi
  local rc=0
  wait "$pid" || rc=$?
  echo "$test_name: exit code $rc"
  exit $rc
}
