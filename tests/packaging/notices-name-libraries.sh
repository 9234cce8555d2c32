#!/usr/bin/env bash
# Fails when a program links a shared library whose Debian source package the
# notices file does not name (as `package`), so that a new dependency cannot
# ship unlisted.
# Usage: notices-name-libraries.sh NOTICES PROGRAM...
set -euo pipefail
notices=$1
shift
unlisted=0
for program in "$@"; do
  resolved=$(ldd "$program")
  for library in $(objdump -p "$program" | awk '$1 == "NEEDED" { print $2 }'); do
    # "name => path (address)", or "path (address)" for the loader itself.
    path=$(awk -v name="$library" '$1 == name && $2 == "=>" { print $3 }
                                   $1 ~ "/" name "$" { print $1 }' <<<"$resolved")
    owner=$(dpkg-query -S "$(realpath "$path")" 2>/dev/null || dpkg-query -S "$path" 2>/dev/null) || {
      echo "$program: $library (${path:-not found}) belongs to no Debian package" >&2
      unlisted=1
      continue
    }
    source=$(dpkg-query -W -f='${source:Package}' "${owner%%:*}")
    if ! grep -qF "\`$source\`" "$notices"; then
      echo "$program: $library comes from Debian's $source, which $notices does not name" >&2
      unlisted=1
    fi
  done
done
exit $unlisted
