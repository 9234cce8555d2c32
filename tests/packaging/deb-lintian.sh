#!/usr/bin/env bash
# Makes the Debian package from a build folder, as `cpack` does, and has
# lintian check it: no error, and no warning but those accepted below.
# Usage: deb-lintian.sh BUILD_FOLDER    (exits 77, skipped, without lintian)
set -euo pipefail
command -v lintian >/dev/null || { echo "lintian is not installed"; exit 77; }
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cpack -G DEB --config "$1/CPackConfig.cmake" -B "$work" >/dev/null
# Accepted: no manual pages; the programs' help is the README and the guide.
lintian --fail-on error,warning --suppress-tags no-manual-page "$work"/vocarin_*.deb
