# shellcheck shell=bash disable=SC2034,SC2154 # a recipe, read by scripts/build-windows
# Vorbis, for .ogg recordings.
version=1.3.7-1
needs=(libogg)

# As libogg's: the export lists' LIBRARY lines would name the DLLs apart from their files.
edit_source() {
  sed -i '/^LIBRARY/d' win32/*.def
}

build() {
  cmake_library -DBUILD_TESTING=OFF
}
