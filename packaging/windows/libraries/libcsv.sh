# shellcheck shell=bash disable=SC2034,SC2154 # a recipe, read by scripts/build-windows
# libcsv, which reads the course files' fields.
version=3.0.3+dfsg-6
needs=()

# It is one C file; its old libtool makes no DLLs, so it is compiled here.
build() {
  mkdir -p "$prefix/bin" "$prefix/lib" "$prefix/include"
  cp "$source/csv.h" "$prefix/include/"
  step compile "$host-gcc-posix" -O2 -shared -o "$prefix/bin/libcsv.dll" "$source/libcsv.c" \
    -Wl,--out-implib,"$prefix/lib/libcsv.dll.a"
}
