# shellcheck shell=bash disable=SC2034,SC2154 # a recipe, read by scripts/build-windows
# mpg123, which decodes .mp3 recordings.
version=1.31.2-1+deb12u1
needs=()

build() {
  autotools_library --with-cpu=x86-64 --enable-network=no --with-audio=dummy \
    --with-default-audio=dummy --enable-modules=no
}
