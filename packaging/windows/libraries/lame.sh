# shellcheck shell=bash disable=SC2034,SC2154 # a recipe, read by scripts/build-windows
# LAME: libsndfile's MP3 support needs both it and mpg123.
version=3.100-6
needs=()

# LAME's export list names lame_init_old, which its source keeps internal: GNU
# ld cannot make a DLL export it. Debian's change that adds LAME's pkg-config
# file touches its configure.in, hence autoreconf.
edit_source() {
  sed -i '/^lame_init_old$/d' include/libmp3lame.sym && autoreconf -fi
}

build() {
  autotools_library --disable-frontend
}
