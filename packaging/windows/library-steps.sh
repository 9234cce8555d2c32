# shellcheck shell=bash disable=SC2154 # its variables: see below
# The build steps the libraries' recipes (libraries/*.sh) share; scripts/build-windows
# sources it, and a change here builds every library again. They run in the
# library's build folder, with $source (its unpacked tree), $prefix (where it
# installs), $needs_path (the folders of the libraries it needs, ;-separated),
# $toolchain, $host and $jobs set, and step (one logged step) defined.

# A CMake build, as DLLs: cmake_library OPTION...
cmake_library() {
  # Configured afresh (no option left over from an earlier configure); the
  # objects stay, so an unchanged compile is not done again.
  rm -f CMakeCache.txt
  step configure cmake -G Ninja -S "$source" -B . -DCMAKE_TOOLCHAIN_FILE="$toolchain" \
    -DCMAKE_BUILD_TYPE=Release -DCMAKE_INSTALL_PREFIX="$prefix" \
    -DCMAKE_PREFIX_PATH="$needs_path" -DBUILD_SHARED_LIBS=ON "$@"
  step build cmake --build . --parallel "$jobs"
  step install cmake --install .
}

# An Autotools build, as DLLs: autotools_library CONFIGURE_OPTION...
autotools_library() {
  step configure "$source/configure" --host="$host" --prefix="$prefix" --enable-shared \
    --disable-static CC="$host-gcc-posix" CXX="$host-g++-posix" "$@"
  step build make -j"$jobs"
  step install make install
}
