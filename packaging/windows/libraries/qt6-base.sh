# shellcheck shell=bash disable=SC2034,SC2154 # a recipe, read by scripts/build-windows
# Qt's base: the widgets, the Windows platform plugin and the Vista style.
version=6.4.2+dfsg-10
needs=()
# The build runs the host's Qt tools of the same version (moc, rcc, uic).
host_packages=(qt6-base-dev-tools)

build() {
  # Configured afresh (no option left over from an earlier configure); the
  # objects stay, so an unchanged compile is not done again.
  rm -f CMakeCache.txt
  # Debian's source has no wintab, so no tablet events; without Direct2D the
  # Windows plugin also needs DirectWrite 3 off to link.
  step configure "$source/configure" -prefix "$prefix" \
    -release -shared -nomake tests -nomake examples -no-opengl -no-dbus -no-icu -no-openssl \
    -qt-zlib -qt-libpng -qt-libjpeg -qt-freetype -qt-harfbuzz -qt-pcre -no-zstd \
    -no-feature-sql -no-feature-network -no-feature-xml -no-feature-concurrent \
    -no-feature-printsupport -no-feature-direct2d -no-feature-tabletevent \
    -no-feature-directwrite3 -qt-host-path /usr -- -G Ninja \
    -DCMAKE_TOOLCHAIN_FILE="$toolchain" \
    -DQT_HOST_PATH_CMAKE_DIR=/usr/lib/x86_64-linux-gnu/cmake
  step build cmake --build . --parallel "$jobs"
  step install cmake --install .
}
