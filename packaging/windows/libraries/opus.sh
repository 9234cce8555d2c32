# shellcheck shell=bash disable=SC2034,SC2154 # a recipe, read by scripts/build-windows
# Opus, for .opus recordings.
version=1.3.1-3
needs=()

# Built with Autotools: Opus' upstream tarball lacks a file its CMake build
# includes. Its stack protection and fortified functions come from GCC's
# libssp, which the compiler links with this flag (libtool's own search for it
# fails).
build() {
  autotools_library --disable-doc --disable-extra-programs \
    CC="$host-gcc-posix -fstack-protector-strong"
}
