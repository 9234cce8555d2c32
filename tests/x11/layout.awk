# Where the windows' own sources put a control, for the X session helpers
# (xsession.sh): the design sizes (kDesignSize in Fmain.h and Fselect.h), the
# main window's layout table (FmainLayout.cpp, one row a control, its rect
# relative to its parent) and the dialog's place() calls (Fselect.cpp).
# want=main or want=dialog: prints the canvas's design size. want=a control's
# name: prints its canvas's design size and its centre on it. want=rect:NAME,...
# (controls of one canvas): prints the canvas's design size and the rectangle
# around them (x y width height).
function rect_of(text, r) { return split(text, r, /, */) }
FILENAME ~ /Fmain\.h$/ && match($0, /kDesignSize\{[0-9]+, [0-9]+\}/) {
  size["main"] = substr($0, RSTART + 12, RLENGTH - 13); sub(/, /, " ", size["main"])
}
FILENAME ~ /Fselect\.h$/ && match($0, /kDesignSize\{[0-9]+, [0-9]+\}/) {
  size["dialog"] = substr($0, RSTART + 12, RLENGTH - 13); sub(/, /, " ", size["dialog"])
}
FILENAME ~ /FmainLayout\.cpp$/ && match($0, /\.name = u"[A-Za-z0-9]+"_s/) {
  name = substr($0, RSTART + 10, RLENGTH - 13)
  parent = ""
  if (match($0, /\.parent = u"[A-Za-z0-9]+"_s/)) parent = substr($0, RSTART + 12, RLENGTH - 15)
  match($0, /\.rect = \{[-0-9, ]+\}/)
  rect_of(substr($0, RSTART + 9, RLENGTH - 10), r)
  x[name] = r[1] + (parent == "" ? 0 : x[parent]); y[name] = r[2] + (parent == "" ? 0 : y[parent])
  w[name] = r[3]; h[name] = r[4]; canvas[name] = "main"
}
FILENAME ~ /Fselect\.cpp$/ && match($0, /place\([A-Za-z0-9]+, nullptr, \{[-0-9, ]+\}\)/) {
  call = substr($0, RSTART + 6, RLENGTH - 7)
  name = call; sub(/,.*/, "", name)
  sub(/^[^{]*\{/, "", call); sub(/\}$/, "", call)
  rect_of(call, r)
  x[name] = r[1]; y[name] = r[2]; w[name] = r[3]; h[name] = r[4]; canvas[name] = "dialog"
}
END {
  if (want in size) {
    print size[want]
    exit 0
  }
  if (want ~ /^rect:/) {
    count = split(substr(want, 6), names, ",")
    for (i = 1; i <= count; i++) {
      c = names[i]
      if (!(c in canvas) || canvas[c] != canvas[names[1]]) exit 1
      if (i == 1 || x[c] < left) left = x[c]
      if (i == 1 || y[c] < top) top = y[c]
      if (i == 1 || x[c] + w[c] > right) right = x[c] + w[c]
      if (i == 1 || y[c] + h[c] > bottom) bottom = y[c] + h[c]
    }
    print size[canvas[names[1]]], left, top, right - left, bottom - top
    exit 0
  }
  if (!(want in canvas)) exit 1
  print size[canvas[want]], int(x[want] + w[want] / 2), int(y[want] + h[want] / 2)
}
