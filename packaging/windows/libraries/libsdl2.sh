# shellcheck shell=bash disable=SC2034,SC2154 # a recipe, read by scripts/build-windows
# SDL 2: the sound device.
version=2.26.5+dfsg-1
needs=()

build() {
  cmake_library -DSDL_SHARED=ON -DSDL_STATIC=OFF -DSDL_TEST=OFF
}
