#!/usr/bin/env bash
# The menu entry's launcher starts vocarin in the right folder: the folder it
# is given (or the folder of a file it is given), else ~/Vocarin when a course
# is there, else the installed courses. What it cannot use it says in a
# message box, since the menu entry has no terminal.
# Usage: launch.sh <vocarin-launch>
set -euo pipefail

launcher=$1
here=$(cd "$(dirname "$0")" && pwd)
root=$(mktemp -d)
trap 'rm -rf "$root"' EXIT

# An installed tree whose vocarin only reports the folder it was started in.
mkdir -p "$root/usr/bin" "$root/usr/share/vocarin/courses" "$root/home" "$root/opened folder"
cp "$launcher" "$root/usr/bin/vocarin-launch"
printf '#!/bin/sh\npwd -P\n' >"$root/usr/bin/vocarin"
chmod +x "$root/usr/bin/vocarin" "$root/usr/bin/vocarin-launch"
bundled=$root/usr/share/vocarin/courses own=$root/home/Vocarin

status=0
pass() { echo "ok: $1"; }
fail() { echo "FAIL: $1"; status=1; }

# Runs the launcher with no display and checks the folder vocarin started in.
expect() { # what folder [arguments...]
  local what=$1 want=$2 got
  shift 2
  got=$(cd / && env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM HOME="$root/home" \
    "$root/usr/bin/vocarin-launch" "$@")
  if [ "$got" = "$(cd "$want" && pwd -P)" ]; then pass "$what"; else
    fail "$what: started in '$got', expected '$want'"
  fi
}

# The launcher refuses: a Japanese message on stderr, exit code 1, no vocarin.
expect_refusal() { # what message [arguments...]
  local what=$1 message=$2 out code=0
  shift 2
  out=$(cd / && env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM HOME="$root/home" \
    "$root/usr/bin/vocarin-launch" "$@" 2>"$root/stderr") || code=$?
  if [ "$code" = 1 ] && [ -z "$out" ] && grep -qF "$message" "$root/stderr"; then
    pass "$what"
  else
    fail "$what: exit code $code, vocarin said '$out', stderr '$(cat "$root/stderr")'"
  fi
}

course() { # folder option-file-name
  mkdir -p "$1"
  printf 'T\np\n3\n' >"$1/$2"
}

expect "no ~/Vocarin: the bundled courses" "$bundled"
mkdir "$own"
expect "empty ~/Vocarin: the bundled courses" "$bundled"
mkdir "$own/notes"
# shellcheck disable=SC2088 # "~/Vocarin" is the case's name
expect "~/Vocarin with a folder but no course: the bundled courses" "$bundled"
course "$own/notes/deeper" Option.txt
expect "a course two levels down is none: the bundled courses" "$bundled"
course "$own/day1" Option.txt
# shellcheck disable=SC2088 # "~/Vocarin" is the case's name
expect "~/Vocarin with a course in a subfolder" "$own"
rm -r "$own/day1"
course "$own" option.txt
# shellcheck disable=SC2088 # "~/Vocarin" is the case's name
expect "~/Vocarin itself a course, the name in other case" "$own"

expect "a folder opened from the file manager" "$root/opened folder" "$root/opened folder"
course "$root/opened folder" Option.txt
expect "a file opened from the file manager: its folder" "$root/opened folder" \
  "$root/opened folder/Option.txt"
# Through a symbolic link, as /usr/local/bin links sometimes are.
ln -s "$root/usr/bin/vocarin-launch" "$root/link"
got=$(cd / && env -u DISPLAY HOME="$root/home" "$root/link")
if [ "$got" = "$(cd "$own" && pwd -P)" ]; then
  pass "started through a link"
else
  fail "started through a link: '$got'"
fi

expect_refusal "a missing folder" "「$root/missing」が見つかりません。" "$root/missing"
expect_refusal "an option-like name" "「-dash」が見つかりません。" -dash
expect_refusal "two folders" "指定できるのは1つだけです。" "$root/opened folder" "$root/home"

# With a display the message is a box on the screen, closed with Enter.
message_box() {
  # shellcheck source=../x11/xsession.sh
  source "$here/../x11/xsession.sh"
  HOME="$root/home" "$root/usr/bin/vocarin-launch" -dash >"$root/out" 2>/dev/null &
  local pid=$! box
  box=$(wait_for_window "^Vocarin\$" "$pid") || { echo "no message box"; return 1; }
  wait_for_still "$box"
  import -silent -window "$box" "$root/box.png"
  has_text "$root/box.png" || { echo "the message box shows no text"; return 1; }
  xdotool key --window "$box" Return
  wait_for_exit "$pid" >/dev/null || return 1
  { [ "$exit_code" = 1 ] && [ ! -s "$root/out" ]; } || { echo "exit code $exit_code"; return 1; }
}
export -f message_box
export root here
if why=$("$here/../x11/xvfb-session" bash -c message_box 2>&1); then
  pass "the message is shown in a box"
else
  fail "the message is shown in a box: $why"
fi
exit $status
