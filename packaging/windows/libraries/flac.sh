# shellcheck shell=bash disable=SC2034,SC2154 # a recipe, read by scripts/build-windows
# FLAC, for .flac recordings.
version=1.4.2+ds-2
needs=(libogg)

build() {
  cmake_library -DBUILD_CXXLIBS=OFF -DBUILD_PROGRAMS=OFF -DBUILD_EXAMPLES=OFF \
    -DBUILD_TESTING=OFF -DBUILD_DOCS=OFF -DINSTALL_MANPAGES=OFF
}
