# shellcheck shell=bash disable=SC2034,SC2154 # a recipe, read by scripts/build-windows
# flite and the four voices the program offers.
version=2.2-5
needs=()
# Debian's archive serves flite's upstream tarball but not Debian's changes
# (flite_2.2-5.debian.tar.xz answers 404).
upstream_only=true

voices=(cmu_us_slt cmu_us_rms cmu_us_kal16 cmu_us_awb)

edit_source() {
  printf 'LEXES += cmulex\nLANGS += usenglish\nVOXES += %s\n' "${voices[*]}" \
    >config/vocarin.lv
}

# flite builds static libraries for Windows, in its source tree; the program
# loads each voice as a library of its own (as on Linux), so each archive
# becomes a DLL here, linked against the DLLs of the parts it uses.
build() {
  local tools=(CC="$host-gcc-posix" AR="$host-ar" RANLIB="$host-ranlib")
  cd "$source" || fail "no source tree at $source"
  # Its header's C99 snprintf stand-in for Windows is an inline function that
  # only the GNU89 inline rules turn into a definition.
  step configure env CFLAGS='-O2 -fgnu89-inline' ./configure --host="$host" \
    --prefix="$prefix" --with-audio=none --with-langvox=vocarin
  step build make "${tools[@]}" -C include
  step build make "${tools[@]}" -C src
  step build make "${tools[@]}" -C lang
  local lib=$source/build/x86_64-mingw32/lib
  [[ -d $lib ]] || lib=$(dirname "$(find "$source/build" -name libflite.a | head -n1)")
  mkdir -p "$prefix/bin" "$prefix/lib" "$prefix/include/flite"
  cp "$source"/include/*.h "$prefix/include/flite/"
  step dlls dll flite "$lib/libflite.a"
  step dlls dll flite_cmulex "$lib/libflite_cmulex.a" -lflite
  step dlls dll flite_usenglish "$lib/libflite_usenglish.a" -lflite
  for voice in "${voices[@]}"; do
    step dlls dll "flite_$voice" "$lib/libflite_$voice.a" -lflite_usenglish -lflite_cmulex -lflite
  done
}

# dll NAME ARCHIVE LIBS...: a DLL exporting all of ARCHIVE, with its import library.
# Every object has its own copy of the snprintf stand-in (GNU89 inline): one is kept.
# All symbols are exported: the few flite marks for export would hide the rest.
dll() {
  local name=$1 archive=$2
  shift 2
  "$host-gcc-posix" -shared -o "$prefix/bin/$name.dll" -Wl,--allow-multiple-definition \
    -Wl,--export-all-symbols -Wl,--out-implib,"$prefix/lib/lib$name.dll.a" \
    -Wl,--whole-archive "$archive" -Wl,--no-whole-archive -L"$prefix/lib" "$@" -lwinmm
}
