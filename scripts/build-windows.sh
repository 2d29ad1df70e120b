#!/usr/bin/env bash
# Cross-compiles the tool for 64-bit Windows with Debian's mingw-w64
# toolchain, statically linked, into build-windows/dist/, and packs the
# executables, README, the manual as text, the synonyms file's format and
# WordNet's database (the files zorvez suggest reads, in dist/wordnet/) into
# build-windows/ZORVezIrudeduzazAduzizorav-VERSION-win64.zip.
#   scripts/build-windows.sh            the executables and the zip
#   scripts/build-windows.sh --tests    also the unit tests, build-windows/build/tests/unit_tests.exe
# libexpat, utf8proc and Snowball's libstemmer are built from Debian's own
# source packages of this release, and cpp-httplib's header taken from its,
# with Debian's patches, fetched with
# apt-get source; GoogleTest from Debian's googletest sources in
# /usr/src/googletest. WordNet's index and data files are made from Debian's
# source package of wordnet the way Debian makes them for wordnet-base: its
# own database compiler (grind), built here, run on the lexicographer files.
set -eu
cd "$(dirname "$0")/.."
with_tests=OFF
[ "${1:-}" = "--tests" ] && with_tests=ON

scripts/install-deps.sh --no-recommends g++-mingw-w64-x86-64-posix binutils-mingw-w64-x86-64 \
  dpkg-dev autoconf automake libtool groff-base zip flex bison

out=$PWD/build-windows
deps=$out/deps
toolchain=$PWD/cmake/mingw-w64-x86_64.cmake
mkdir -p "$out"
sudo=""
[ "$(id -u)" -ne 0 ] && sudo="sudo"

# Runs a step with its output in build-windows/NAME.log, shown when it fails.
logged() {
  local log=$out/$1.log
  shift
  if ! "$@" >"$log" 2>&1; then
    tail -n 40 "$log" >&2
    echo "failed: $* (log in $log)" >&2
    exit 1
  fi
}

# apt-get source needs a deb-src entry for this release's main suite.
ensure_source_entry() {
  apt-get source --print-uris expat >/dev/null 2>&1 && return 0
  local codename
  codename=$(. /etc/os-release && echo "$VERSION_CODENAME")
  echo "Adding the deb-src entry for $codename main"
  printf '%s\n' "Types: deb-src" "URIs: http://deb.debian.org/debian" "Suites: $codename" \
    "Components: main" "Signed-By: /usr/share/keyrings/debian-archive-keyring.gpg" |
    $sudo tee /etc/apt/sources.list.d/zorvez-deb-src.sources >/dev/null
  $sudo apt-get -o DPkg::Lock::Timeout=600 update >/dev/null
}

# Built the way Debian builds it, with its autotools, so that Debian's
# patches apply to the build they were made for.
build_expat() {
  [ -f "$deps/expat.version" ] && return 0
  ensure_source_entry
  local source=$out/expat-source build=$out/expat-build
  rm -rf "$source" "$build"
  mkdir -p "$source" "$build"
  # apt downloads as its unprivileged user where it can write.
  chmod 1777 "$source"
  (cd "$source" && apt-get -o DPkg::Lock::Timeout=600 source -qq expat >/dev/null)
  local dsc
  dsc=$(ls "$source"/expat_*.dsc)
  echo "Building expat from $(basename "$dsc")"
  local tree=("$source"/expat-*/expat)
  (cd "${tree[0]}" && logged expat-buildconf ./buildconf.sh)
  (cd "$build" && logged expat-configure "${tree[0]}/configure" --host=x86_64-w64-mingw32 \
     --prefix="$deps" --disable-shared --enable-static --without-docbook --without-xmlwf \
     --without-examples --without-tests)
  logged expat-make make -C "$build" -j2 install
  basename "$dsc" .dsc >"$deps/expat.version"
}

# Fetches Debian's source package NAME into build-windows/NAME-source and
# prints the path of its unpacked tree.
fetch_source() {
  local name=$1 source=$out/$1-source
  ensure_source_entry
  rm -rf "$source"
  mkdir -p "$source"
  chmod 1777 "$source"
  (cd "$source" && apt-get -o DPkg::Lock::Timeout=600 source -qq "$name" >/dev/null 2>&1)
  local dsc
  dsc=$(ls "$source"/"$name"_*.dsc)
  echo "Building $name from $(basename "$dsc")" >&2
  basename "$dsc" .dsc >"$source/version"
  find "$source" -mindepth 1 -maxdepth 1 -type d -name "$name-*"
}

# utf8proc builds with CMake: a static library for the Windows prefix.
build_utf8proc() {
  [ -f "$deps/utf8proc.version" ] && return 0
  local tree
  tree=$(fetch_source utf8proc)
  rm -rf "$out/utf8proc-build"
  logged utf8proc-configure cmake -S "$tree" -B "$out/utf8proc-build" --toolchain "$toolchain" \
    -DCMAKE_BUILD_TYPE=Release -DCMAKE_INSTALL_PREFIX="$deps" -DBUILD_SHARED_LIBS=OFF
  logged utf8proc-build cmake --build "$out/utf8proc-build" --parallel 2
  logged utf8proc-install cmake --install "$out/utf8proc-build"
  cp "$out/utf8proc-source/version" "$deps/utf8proc.version"
}

# Snowball generates its stemmers' C sources with its own compiler, which
# must run here: it is built for this machine first, then the library's
# objects are made again with the cross-compiler from the same sources.
build_libstemmer() {
  [ -f "$deps/libstemmer.version" ] && return 0
  local tree
  tree=$(fetch_source snowball)
  logged snowball-generate make -C "$tree" -j2 libstemmer.a
  find "$tree/runtime" "$tree/libstemmer" "$tree/src_c" -name '*.o' -delete
  rm -f "$tree/libstemmer.a"
  logged snowball-cross make -C "$tree" -j2 libstemmer.a CC=x86_64-w64-mingw32-gcc \
    AR=x86_64-w64-mingw32-ar
  mkdir -p "$deps/include" "$deps/lib"
  cp "$tree/include/libstemmer.h" "$deps/include/"
  cp "$tree/libstemmer.a" "$deps/lib/"
  cp "$out/snowball-source/version" "$deps/libstemmer.version"
}

# The files the lexicon reads: index and data files compiled by grind from
# dict/dbfiles (as Debian's dict/dbfiles/Makefile.am does), the exception
# lists as the source ships them, and WordNet's licence beside them.
build_wordnet_database() {
  [ -f "$deps/wordnet.version" ] && return 0
  local tree build=$out/wordnet-build grind
  tree=$(fetch_source wordnet)
  rm -rf "$build" "$deps/wordnet"
  mkdir -p "$build" "$deps/wordnet"
  grind=$tree/src/grind
  (cd "$build" && logged wordnet-bison bison -y -d -l -o grind-wnparse.c "$grind/wnparse.y" &&
     logged wordnet-flex flex -l -o grind-wnlex.c "$grind/wnlex.l" &&
     logged wordnet-grind-cc gcc -O2 -w -I. -I"$tree/include" -I"$grind" -o grind \
       "$grind"/{create,files,globals,grind,makedb,resolve,util,wnglobal}.c grind-wnparse.c grind-wnlex.c)
  cp -r "$tree/dict/dbfiles" "$build/dbfiles"
  # shellcheck disable=SC2046  # the lexicographer files, as Debian's makefile lists them
  (cd "$build/dbfiles" && LC_ALL=C logged wordnet-grind ../grind -i -n -o cntlist $(ls [ad-v]*))
  for pos in noun verb adj adv; do
    cp "$build/dbfiles/index.$pos" "$build/dbfiles/data.$pos" "$tree/dict/$pos.exc" "$deps/wordnet/"
  done
  cp "$tree/COPYING" "$deps/wordnet/LICENSE"
  cp "$out/wordnet-source/version" "$deps/wordnet.version"
}

build_googletest() {
  [ -f "$deps/googletest.version" ] && return 0
  echo "Building GoogleTest from /usr/src/googletest"
  rm -rf "$out/googletest-build"
  logged googletest-configure cmake -S /usr/src/googletest -B "$out/googletest-build" \
    --toolchain "$toolchain" -DCMAKE_BUILD_TYPE=Release -DCMAKE_INSTALL_PREFIX="$deps" -DBUILD_GMOCK=OFF
  logged googletest-build cmake --build "$out/googletest-build" --parallel 2
  logged googletest-install cmake --install "$out/googletest-build"
  dpkg-query -W -f='${Version}\n' googletest >"$deps/googletest.version"
}

# Only system DLLs may be imported: the executable must run on its own.
check_imports() {
  local exe=$1 dll foreign=()
  while read -r dll; do
    if ! [[ ${dll,,} =~ ^(kernel32|msvcrt|ucrtbase|shell32|user32|advapi32|ws2_32|api-ms-win-[a-z0-9-]+)\.dll$ ]]; then
      foreign+=("$dll")
    fi
  done < <(x86_64-w64-mingw32-objdump -p "$exe" | sed -n 's/^\s*DLL Name: //p')
  if [ ${#foreign[@]} -gt 0 ]; then
    echo "$exe imports DLLs that are not part of Windows: ${foreign[*]}" >&2
    exit 1
  fi
}

# The review's HTTP library comes from Debian's source package of
# cpp-httplib, whose httplib.h is the whole library in one header (Debian's
# own binary package splits it into a shared library built with TLS, which
# the Windows build neither needs nor could use); Debian's patches applied.
provide_httplib() {
  [ -f "$deps/cpp-httplib.version" ] && return 0
  local tree
  tree=$(fetch_source cpp-httplib)
  mkdir -p "$deps/include"
  cp "$tree/httplib.h" "$deps/include/httplib.h"
  cp "$out/cpp-httplib-source/version" "$deps/cpp-httplib.version"
}

# The JSON library is header-only: Debian's headers serve the Windows build
# as they are, from the Windows prefix so that no other header of the build
# machine comes along.
provide_json_headers() {
  mkdir -p "$deps/include"
  rm -rf "$deps/include/nlohmann"
  cp -r /usr/include/nlohmann "$deps/include/nlohmann"
}

build_expat
build_utf8proc
build_libstemmer
build_wordnet_database
provide_httplib
provide_json_headers
[ "$with_tests" = ON ] && build_googletest

rm -rf "$out/dist"
logged configure cmake -S . -B "$out/build" --toolchain "$toolchain" -DCMAKE_BUILD_TYPE=Release \
  -DCMAKE_PREFIX_PATH="$deps" -DZOR_BUILD_BENCH=OFF -DZOR_BUILD_TESTS=$with_tests \
  -DZOR_DIST_DIR="$out/dist"
targets=(dist)
[ "$with_tests" = ON ] && targets+=(unit_tests)
# Our own sources must build without a single warning.
logged build cmake --build "$out/build" --parallel 2 --target "${targets[@]}"
if grep -n "warning:" "$out/build.log"; then
  echo "the Windows build has warnings (log in $out/build.log)" >&2
  exit 1
fi
for exe in "$out"/dist/*.exe; do check_imports "$exe"; done
# Where zorvez.exe looks for the database: a folder beside it.
cp -r "$deps/wordnet" "$out/dist/wordnet"

version=$(cat "$out/build/zor-version.txt")
name=ZORVezIrudeduzazAduzizorav-$version-win64
stage=$out/package/$name
rm -rf "$out/package" "$out/$name.zip"
mkdir -p "$stage"
cp "$out"/dist/*.exe README.md doc/synonyms.md "$stage/"
cp -r "$out/dist/wordnet" "$stage/wordnet"
for page in doc/*.[1-9]; do
  # Plain text without the overstrikes for bold and underline.
  groff -man -Tascii -P-cbou "$page" >"$stage/$(basename "${page%.*}").txt"
done
(cd "$out/package" && zip -q -X -r "$out/$name.zip" "$name")
echo "Windows executables in ${out#"$PWD"/}/dist: $(cd "$out/dist" && echo *.exe)"
echo "Package: ${out#"$PWD"/}/$name.zip"
