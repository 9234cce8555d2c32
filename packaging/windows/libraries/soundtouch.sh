# shellcheck shell=bash disable=SC2034,SC2154 # a recipe, read by scripts/build-windows
# SoundTouch, which slows a recording down.
version=2.3.2+ds1-1
needs=()

build() {
  cmake_library -DSOUNDSTRETCH=OFF
}
