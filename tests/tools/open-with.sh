#!/usr/bin/env bash
# The desktop entry never makes Vocarin the program that opens folders, even
# where the desktop names no default of its own (GLib then takes the first
# application that declares the type, and /usr/local comes before /usr), and
# a folder handed to it through "Open with" still reaches the launcher. The
# desktop's own tools read the entries: GLib's gio and update-desktop-database,
# which package installation runs.
# Usage: open-with.sh <desktop entry>
set -euo pipefail

entry=$1 id=$(basename "$1")
root=$(mktemp -d)
trap 'rm -rf "$root"' EXIT

# A desktop of its own: no user or system choices, only these entries.
export HOME=$root/home LC_ALL=C.UTF-8
export XDG_DATA_HOME=$HOME/.local/share XDG_CONFIG_HOME=$HOME/.config
export XDG_DATA_DIRS=$root/usr/local/share:$root/usr/share XDG_CONFIG_DIRS=$root/etc/xdg
unset XDG_CURRENT_DESKTOP
mkdir -p "$HOME" "$root/usr/local/share/applications" "$root/usr/share/applications" \
  "$root/bin" "$root/course folder"
# GLib leaves out entries whose command is not on the PATH. This launcher
# only notes what it is given.
printf '#!/bin/sh\nprintf "%%s\\n" "$@" >"%s/given"\n' "$root" >"$root/bin/vocarin-launch"
chmod +x "$root/bin/vocarin-launch"
export PATH=$root/bin:$PATH

status=0
pass() { echo "ok: $1"; }
fail() { echo "FAIL: $1"; status=1; }

folder_opener() {
  update-desktop-database "$root/usr/local/share/applications" "$root/usr/share/applications"
  gio mime inode/directory 2>&1
}

# Installed by hand (cmake --install) into /usr/local, and by the package into /usr.
for place in usr/local/share usr/share; do
  rm -f "$root"/usr/local/share/applications/*.desktop "$root"/usr/share/applications/*.desktop
  cp "$entry" "$root/$place/applications/"
  opener=$(folder_opener)
  if [[ $opener == *"$id"* ]]; then
    fail "/$place, no file manager: $opener"
  else
    pass "/$place, no file manager: Vocarin is no folder opener"
  fi
  cat >"$root/usr/share/applications/org.example.Files.desktop" <<'EOF'
[Desktop Entry]
Type=Application
Name=Files
Exec=true %U
MimeType=inode/directory;
EOF
  opener=$(folder_opener)
  if [[ $opener == *'Default application for “inode/directory”: org.example.Files.desktop'* &&
    $opener != *"$id"* ]]; then
    pass "/$place, with a file manager: folders open in the file manager"
  else
    fail "/$place, with a file manager: $opener"
  fi
done

# "Open with" a folder: the desktop runs the entry's command with the folder.
gio launch "$root/usr/share/applications/$id" \
  "$root/course folder"
for _ in $(seq 50); do [ -s "$root/given" ] && break; sleep 0.1; done
if [ "$(cat "$root/given" 2>/dev/null)" = "$root/course folder" ]; then
  pass "a folder opened with Vocarin reaches the launcher"
else
  fail "a folder opened with Vocarin reaches the launcher: got '$(cat "$root/given" 2>/dev/null)'"
fi
exit $status
