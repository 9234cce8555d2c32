# Cross-compiling for 64-bit Windows with Debian's mingw-w64 compilers.
# The posix-thread variants: Qt and the C++ standard library's threads need them
# (the compilers' default alternative is the win32-thread variant).
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)

set(mingw_triplet x86_64-w64-mingw32)
set(CMAKE_C_COMPILER ${mingw_triplet}-gcc-posix)
set(CMAKE_CXX_COMPILER ${mingw_triplet}-g++-posix)
set(CMAKE_RC_COMPILER ${mingw_triplet}-windres)
set(CMAKE_AR ${mingw_triplet}-gcc-ar-posix CACHE FILEPATH "")
set(CMAKE_RANLIB ${mingw_triplet}-gcc-ranlib-posix CACHE FILEPATH "")

# Libraries and headers only from the Windows side; programs (moc, rcc, Wine) from the host.
# CMAKE_PREFIX_PATH names the cross-built dependencies' folders, each a root of its own.
set(CMAKE_FIND_ROOT_PATH /usr/${mingw_triplet} ${CMAKE_PREFIX_PATH})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE BOTH)

# pkg-config must look only at the cross-built dependencies, never at the host's .pc files.
set(ENV{PKG_CONFIG_LIBDIR} "")
foreach(prefix IN LISTS CMAKE_PREFIX_PATH)
    set(ENV{PKG_CONFIG_LIBDIR} "$ENV{PKG_CONFIG_LIBDIR}:${prefix}/lib/pkgconfig")
endforeach()
