#!/usr/bin/env bash
# What the program costs while the learner does nothing: the real program under
# Xvfb, playing into a private PulseAudio server (null sink), a course chosen and
# its first word spoken, then 60 s without input. Prints the processor time of
# the program (by thread, where any) and of the sound server as a share of one
# core, then how soon a cue is heard after such a quiet time (first_sound).
# Usage: bench/speech/idle.sh path/to/vocarin path/to/first_sound [seconds]
set -euo pipefail

if [[ ${1:-} == inner ]]; then
  set +e +o pipefail # the X helpers test their own failures
  vocarin=$2 seconds=$3
  # shellcheck source=../../tests/x11/xsession.sh
  source "$root/tests/x11/xsession.sh"
  work=$(mktemp -d "${TMPDIR:-/tmp}/vocarin-idle.XXXXXX")
  trap 'rm -rf "$work"' EXIT
  write_fixture_courses "$work"
  cd "$work"
  "$vocarin" 2>/dev/null &
  pid=$!
  dialog=$(wait_for_window "問題の変更" "$pid") || { echo "no course dialog"; exit 1; }
  wait_for_still "$dialog"
  click_control "$dialog" Button1
  main=$(wait_for_window "果物" "$pid") || { echo "no main window"; exit 1; }
  wait_for_still "$main"

  ticks() { awk '{ print $14 + $15 }' "$1/stat"; } # user + system, in 1/100 s
  declare -A before
  for task in "/proc/$pid/task/"*; do before[$task]=$(ticks "$task"); done
  program=$(ticks /proc/$pid) server=$(ticks "/proc/$SOUND_SERVER_PID")
  sleep "$seconds"
  share() { echo "scale=2; $1 / $seconds" | bc; } # ticks -> % of a core
  echo "nothing sounding, no input, ${seconds} s after the first word:"
  printf '  vocarin        %5.2f %% of a core\n' "$(share $(($(ticks /proc/$pid) - program)))"
  for task in "/proc/$pid/task/"*; do
    used=$(($(ticks "$task") - ${before[$task]:-0}))
    ((used == 0)) || printf '    %-12s %5.2f %%\n' "$(cat "$task/comm")" "$(share $used)"
  done
  printf '  sound server   %5.2f %% of a core\n' "$(share $(($(ticks "/proc/$SOUND_SERVER_PID") - server)))"
  kill "$pid"
  wait "$pid" 2>/dev/null || true
  exit 0
fi

root=$(cd "$(dirname "$0")/../.." && pwd)
export root
"$root/tests/sound/sound-session" "$root/tests/x11/xvfb-session" \
  "$root/bench/speech/idle.sh" inner "$(realpath "$1")" "${3:-60}"
"$root/tests/sound/sound-session" "$2" 2>&1 | grep -v XDG_RUNTIME_DIR
