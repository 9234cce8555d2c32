#!/usr/bin/env bash
# The menu entry's launcher starts vocarin in the right folder: the folder it
# is given, else ~/Vocarin when there is one, else the installed courses.
# Usage: launch.sh <configured vocarin-launch>
set -euo pipefail

launcher=$1
root=$(mktemp -d)
trap 'rm -rf "$root"' EXIT

# An installed tree whose vocarin only reports the folder it was started in.
mkdir -p "$root/usr/bin" "$root/usr/share/vocarin/courses" "$root/home" "$root/opened folder"
cp "$launcher" "$root/usr/bin/vocarin-launch"
printf '#!/bin/sh\npwd -P\n' >"$root/usr/bin/vocarin"
chmod +x "$root/usr/bin/vocarin" "$root/usr/bin/vocarin-launch"

status=0
expect() {
  local what=$1 want=$2 got
  shift 2
  got=$(cd / && "$@")
  if [ "$got" != "$(cd "$want" && pwd -P)" ]; then
    echo "FAIL: $what: started in '$got', expected '$want'"
    status=1
  else
    echo "ok: $what"
  fi
}

expect "no ~/Vocarin: the bundled courses" "$root/usr/share/vocarin/courses" \
  env HOME="$root/home" "$root/usr/bin/vocarin-launch"
mkdir "$root/home/Vocarin"
expect "~/Vocarin" "$root/home/Vocarin" env HOME="$root/home" "$root/usr/bin/vocarin-launch"
expect "a folder opened from the file manager" "$root/opened folder" \
  env HOME="$root/home" "$root/usr/bin/vocarin-launch" "$root/opened folder"
# Through a symbolic link, as /usr/local/bin links sometimes are.
ln -s "$root/usr/bin/vocarin-launch" "$root/link"
expect "started through a link" "$root/home/Vocarin" env HOME="$root/home" "$root/link"
exit $status
