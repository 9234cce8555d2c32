# Helpers for driving the real program in an X server with xdotool. Sourced.
# Every wait polls for a condition with a generous limit, so a loaded machine
# only makes the tests slower.

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

# Starts openbox and waits until it manages the screen.
start_window_manager() {
  openbox --sm-disable >/dev/null 2>&1 &
  wait_until 30 eval 'wmctrl -m >/dev/null 2>&1'
}

# A point given in design units of a window's canvas (650 x 399 for the main
# window, 442 x 256 for the course dialog), on the screen; the canvas fills
# the window's client area.
# xwininfo, since xdotool's window position counts the frame twice under openbox.
design_point() { # window-id canvas-width canvas-height x y
  local x y width height
  read -r x y width height < <(xwininfo -id "$1" | awk -F: '
    /Absolute upper-left X/ { x = $2 } /Absolute upper-left Y/ { y = $2 }
    /^ *Width/ { w = $2 } /^ *Height/ { h = $2 } END { print x, y, w, h }')
  echo $((x + $4 * width / $2)) $((y + $5 * height / $3))
}

click_design() { # window-id canvas-width canvas-height x y
  # shellcheck disable=SC2046
  xdotool mousemove $(design_point "$@") click 1
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
