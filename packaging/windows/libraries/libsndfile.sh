# shellcheck shell=bash disable=SC2034,SC2154 # a recipe, read by scripts/build-windows
# libsndfile, the recordings' decoder, with the codecs it reads through.
version=1.2.0-1+deb12u1
needs=(libogg libvorbis flac opus mpg123 lame)

build() {
  cmake_library -DBUILD_PROGRAMS=OFF -DBUILD_EXAMPLES=OFF -DBUILD_TESTING=OFF \
    -DENABLE_CPACK=OFF -DINSTALL_MANPAGES=OFF -DENABLE_COMPATIBLE_LIBSNDFILE_NAME=ON \
    -DENABLE_EXTERNAL_LIBS=ON -DENABLE_MPEG=ON \
    -DCMAKE_DISABLE_FIND_PACKAGE_Speex=ON -DCMAKE_DISABLE_FIND_PACKAGE_SQLite3=ON
  # libsndfile leaves out silently a codec it does not find.
  grep -q 'Requires.private:.*opus.*libmpg123' "$prefix/lib/pkgconfig/sndfile.pc" ||
    fail "built without all its codecs (Requires.private in $prefix/lib/pkgconfig/sndfile.pc)"
}
