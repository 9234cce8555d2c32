# shellcheck shell=bash disable=SC2034,SC2154 # a recipe, read by scripts/build-windows
# Ogg, the container of Vorbis and Opus recordings.
version=1.3.5-3
needs=()

# Xiph's export lists begin with a LIBRARY line, for Microsoft's linker: with
# GNU ld it names the DLL apart from its file (ogg.dll in libogg.dll) or,
# empty, is refused. Without it the DLL takes its file's name.
edit_source() {
  sed -i '/^LIBRARY/d' win32/*.def
}

build() {
  cmake_library -DINSTALL_DOCS=OFF -DBUILD_TESTING=OFF
}
