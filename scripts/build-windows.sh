#!/usr/bin/env bash
# Cross-builds Tallyra for 64-bit Windows on Debian 12 and tests it under Wine.
#
#   bash scripts/build-windows.sh        step 1: SQLite, libsodium and GoogleTest from
#                                         Debian's sources, then the core tests under Wine
#   bash scripts/build-windows.sh full   step 1, then qtbase, the program, the UI tests
#                                         under Wine, dist/tallyra-windows-x64.zip and
#                                         dist/tallyra-setup-x64.exe
#   bash scripts/build-windows.sh qt     qtbase alone (after step 1 has run once)
#
# Each library is built once into the cache folder (TALLYRA_WIN_CACHE, default
# .windows-cache/, ignored by git) and reused. Build folders: build-win-core/, build-win/.
set -euo pipefail
cd "$(dirname "$0")/.."
repo=$(pwd)
step=${1:-core}
cache=${TALLYRA_WIN_CACHE:-$repo/.windows-cache}
prefix=$cache/prefix
qt=$prefix/qt6
host_cmake=/usr/lib/x86_64-linux-gnu/cmake
jobs=$(nproc)
triple=x86_64-w64-mingw32
toolchain=$repo/cmake/mingw-w64-x86_64.cmake
export TALLYRA_WIN_PREFIX=$prefix
export WINEPREFIX=${WINEPREFIX:-$cache/wine}
export WINEDEBUG=${WINEDEBUG:--all}
# No Mono or Gecko installer prompts when the prefix is created.
export WINEDLLOVERRIDES=${WINEDLLOVERRIDES:-mscoree,mshtml=}
wine=/usr/lib/wine/wine64

log() { printf '== %s (%s)\n' "$*" "$(date -u +%H:%M:%S)"; }

# --- packages and Debian sources ---------------------------------------------------------

# A deb-src entry for the archive the machine already uses, as its own sources file.
add_source_entries() {
  local file=/etc/apt/sources.list.d/tallyra-deb-src.sources
  [ -f "$file" ] && return 0
  if [ -f /etc/apt/sources.list.d/debian.sources ]; then
    sed 's/^Types:.*/Types: deb-src/' /etc/apt/sources.list.d/debian.sources >"$file"
  elif [ -f /etc/apt/sources.list ]; then
    file=/etc/apt/sources.list.d/tallyra-deb-src.list
    [ -f "$file" ] && return 0
    grep -E '^deb ' /etc/apt/sources.list | sed 's/^deb /deb-src /' >"$file"
  else
    echo "No Debian archive found in /etc/apt to take the deb-src entry from." >&2
    exit 1
  fi
  apt-get update
}

# Unpacks a Debian source package once into $cache/src/NAME (patches applied).
fetch_source() {
  local package=$1 folder=$cache/src/$1
  [ -f "$folder/.unpacked" ] && return 0
  rm -rf "$folder" && mkdir -p "$folder"
  (cd "$folder" && apt-get source --only-source "$package" >fetch.log 2>&1) || {
    cat "$folder/fetch.log" >&2
    exit 1
  }
  touch "$folder/.unpacked"
}

# The unpacked tree of a source package (the one folder beside the .dsc).
source_tree() { find "$cache/src/$1" -mindepth 1 -maxdepth 1 -type d | head -n 1; }

# --- libraries -----------------------------------------------------------------------------

build_sqlite() {
  [ -f "$prefix/lib/libsqlite3.a" ] && return 0
  log "SQLite"
  fetch_source sqlite3
  local src out=$cache/work/sqlite
  src=$(source_tree sqlite3)
  rm -rf "$out" && mkdir -p "$out"
  # The amalgamation is made with host tools; the cross compiler then builds it for
  # Windows (configure alone would pick the Unix VFS).
  (cd "$out" && "$src/configure" --disable-tcl >configure.log && make -j "$jobs" sqlite3.c >make.log)
  "$triple-gcc-posix" -O2 -c "$out/sqlite3.c" -o "$out/sqlite3.o" -DSQLITE_OS_WIN=1 -DSQLITE_THREADSAFE=1
  mkdir -p "$prefix/lib" "$prefix/include"
  "$triple-gcc-ar-posix" rcs "$prefix/lib/libsqlite3.a" "$out/sqlite3.o"
  cp "$out/sqlite3.h" "$src/src/sqlite3ext.h" "$prefix/include/" 2>/dev/null ||
    cp "$out/sqlite3.h" "$out/sqlite3ext.h" "$prefix/include/"
}

build_sodium() {
  [ -f "$prefix/lib/libsodium.a" ] && return 0
  log "libsodium"
  fetch_source libsodium
  local src
  src=$(source_tree libsodium)
  (
    cd "$src"
    ./autogen.sh -s >autogen.log 2>&1
    # No -fstack-protector: MinGW would then need libssp at every link.
    ./configure --host="$triple" --prefix="$prefix" --disable-shared --enable-static \
      --disable-ssp CC="$triple-gcc-posix" >configure.log
    make -j "$jobs" >make.log 2>&1
    make install >install.log
  )
}

build_googletest() {
  [ -f "$prefix/lib/libgtest.a" ] && return 0
  log "GoogleTest"
  fetch_source googletest
  local src
  src=$(source_tree googletest)
  cmake -S "$src" -B "$cache/work/googletest" -G Ninja -DCMAKE_BUILD_TYPE=Release \
    -DCMAKE_TOOLCHAIN_FILE="$toolchain" -DCMAKE_INSTALL_PREFIX="$prefix" \
    -DBUILD_GMOCK=ON -Dgtest_force_shared_crt=ON >/dev/null
  cmake --build "$cache/work/googletest" -j "$jobs" >/dev/null
  cmake --install "$cache/work/googletest" >/dev/null
}

# --- Wine ------------------------------------------------------------------------------------

# Creates the Wine prefix once; Wine's first start takes a while and prints to stderr.
wine_prefix() {
  [ -f "$WINEPREFIX/system.reg" ] && return 0
  log "Wine prefix $WINEPREFIX"
  mkdir -p "$WINEPREFIX"
  "$wine" wineboot --init >/dev/null 2>&1 || true
  /usr/lib/wine/wineserver -w || true
}

# CTest runs each test program once under Wine (see tests/CMakeLists.txt), its results in
# build folder/tests/NAME.xml.
run_tests() {
  local dir=$1
  wine_prefix
  log "tests of $dir under Wine"
  ctest --test-dir "$dir" --output-on-failure --timeout 1800
}

# --- step 1: the core tests ------------------------------------------------------------------

core_step() {
  bash scripts/setup.sh windows
  add_source_entries
  mkdir -p "$cache/src" "$cache/work"
  build_sqlite
  build_sodium
  build_googletest
  log "core tests for Windows"
  cmake -S . -B build-win-core -G Ninja -DCMAKE_TOOLCHAIN_FILE="$toolchain" \
    -DTALLYRA_WIN_PREFIX="$prefix" -DTALLYRA_CORE_ONLY=ON -DTALLYRA_WERROR=ON >/dev/null
  cmake --build build-win-core -j "$jobs"
  run_tests build-win-core
}

# --- step 2: Qt, the program, the UI tests and the zip ------------------------------------

# Debian's tarball drops src/3rdparty/wintab; Wine's headers declare the same interface,
# given the two macros the Wacom header has and Wine takes from its own winnt.h.
add_wintab_headers() {
  local dir=$1/src/3rdparty/wintab wine_include=/usr/include/wine/wine/windows
  mkdir -p "$dir"
  cat >"$dir/wintab.h" <<EOF
#pragma once
#include <windows.h>
#ifndef API
#define API WINAPI
#endif
#ifndef DECL_WINELIB_TYPE_AW
#ifdef UNICODE
#define DECL_WINELIB_TYPE_AW(type) typedef type##W type;
#else
#define DECL_WINELIB_TYPE_AW(type) typedef type##A type;
#endif
#endif
#include "$wine_include/wintab.h"
EOF
  printf '#include "%s/pktdef.h"\n' "$wine_include" >"$dir/pktdef.h"
}

build_qt() {
  # The Windows platform plugin is among the last things installed.
  [ -f "$qt/plugins/platforms/qwindows.dll" ] && return 0
  log "qtbase (about 25 minutes of 2 cores)"
  fetch_source qt6-base
  local src out=$cache/work/qtbase
  src=$(source_tree qt6-base)
  add_wintab_headers "$src"
  mkdir -p "$out"
  (
    cd "$out"
    # The host's Qt 6.4 gives moc, rcc and uic. No pkg-config: nothing of the host may leak in.
    # A build that stopped half-way goes on where it stopped.
    [ -f build.ninja ] || "$src/configure" -prefix "$qt" -release -shared -xplatform win32-g++ -qt-host-path /usr \
      -nomake examples -nomake tests -no-pkg-config -no-opengl -no-feature-sql \
      -no-feature-network -no-dbus -no-feature-concurrent -no-feature-xml -no-feature-vulkan \
      -qt-zlib -qt-libpng -qt-libjpeg -qt-freetype -qt-harfbuzz -qt-pcre -qt-doubleconversion \
      -- -DCMAKE_TOOLCHAIN_FILE="$toolchain" -DQT_HOST_PATH_CMAKE_DIR="$host_cmake" \
      >configure.log 2>&1
    # set -e does not hold in a subshell on the left of ||: chain the steps.
    cmake --build . --parallel "$jobs" >build.log 2>&1 && cmake --install . >install.log 2>&1
  ) || {
    echo "qtbase failed; see $out/*.log" >&2
    exit 1
  }
}

# The MinGW runtime DLLs the Qt DLLs and the program link against.
mingw_runtime_dirs() {
  dirname "$("$triple-g++-posix" -print-file-name=libstdc++-6.dll)"
  dirname "$("$triple-g++-posix" -print-file-name=libwinpthread-1.dll)"
}

build_program() {
  log "tallyra.exe and the UI tests"
  cmake -S . -B build-win -G Ninja -DCMAKE_TOOLCHAIN_FILE="$toolchain" \
    -DTALLYRA_WIN_PREFIX="$prefix" -DCMAKE_PREFIX_PATH="$qt" -DQT_HOST_PATH=/usr \
    -DQT_HOST_PATH_CMAKE_DIR="$host_cmake" -DTALLYRA_BENCHMARKS=OFF -DTALLYRA_WERROR=ON \
    >/dev/null
  cmake --build build-win -j "$jobs"
}

# Wine finds the Qt and MinGW runtime DLLs through WINEPATH (Z: is Wine's view of /).
wine_path() {
  local d path=""
  for d in "$qt/bin" $(mingw_runtime_dirs); do path+="Z:${d//\//\\};"; done
  echo "$path"
}

run_ui_tests() {
  # Qt's Chinese catalogue beside the test program, where the program finds it in the zip.
  mkdir -p build-win/tests/translations
  cp /usr/share/qt6/translations/qtbase_zh_CN.qm build-win/tests/translations/
  WINEPATH=$(wine_path) QT_QPA_PLATFORM=offscreen run_tests build-win
}

package_zip() {
  log "dist/tallyra-windows-x64.zip"
  local stage=$cache/work/dist/tallyra dll plugin
  rm -rf "$stage" && mkdir -p "$stage/bsf"
  cp build-win/tallyra.exe "$stage/"
  for dll in Qt6Core Qt6Gui Qt6Widgets Qt6PrintSupport; do cp "$qt/bin/$dll.dll" "$stage/"; done
  for dll in libstdc++-6.dll libgcc_s_seh-1.dll libwinpthread-1.dll; do
    cp "$("$triple-g++-posix" -print-file-name=$dll)" "$stage/"
  done
  # Qt 6 has the Windows print support inside Qt6PrintSupport.dll; a printsupport plugin
  # folder is copied only where a Qt build has one.
  for plugin in platforms/qwindows.dll styles/qwindowsvistastyle.dll imageformats/qico.dll \
    imageformats/qjpeg.dll imageformats/qgif.dll printsupport/windowsprintersupport.dll; do
    [ -f "$qt/plugins/$plugin" ] || continue
    mkdir -p "$stage/$(dirname "$plugin")"
    cp "$qt/plugins/$plugin" "$stage/$plugin"
  done
  cp build-win/help.chm "$stage/"
  cp -r build-win/help "$stage/help"
  # Qt's Chinese catalogue (the same for every platform), looked for in translations/ first.
  mkdir -p "$stage/translations"
  cp /usr/share/qt6/translations/qtbase_zh_CN.qm "$stage/translations/"
  # The empty bsf folder makes it a portable install: the tables go beside the program.
  mkdir -p dist && rm -f dist/tallyra-windows-x64.zip
  (cd "$stage/.." && zip -qr "$repo/dist/tallyra-windows-x64.zip" tallyra)
  ls -l dist/tallyra-windows-x64.zip
}

# The setup program, from the zip's folder: NSIS's makensis runs on Linux.
package_installer() {
  log "dist/tallyra-setup-x64.exe"
  local version
  version=$(sed -n 's/^#define TALLYRA_VERSION "\(.*\)"$/\1/p' build-win/generated/app/version.h)
  makensis -V2 -INPUTCHARSET UTF8 -DVERSION="$version" -DSTAGE="$cache/work/dist/tallyra" \
    -DICON="$repo/packaging/windows/tallyra.ico" -DOUTFILE="$repo/dist/tallyra-setup-x64.exe" \
    packaging/windows/tallyra.nsi
  ls -l dist/tallyra-setup-x64.exe
}

full_step() {
  build_qt
  build_program
  package_zip
  package_installer
  run_ui_tests
}

case "$step" in
  core) core_step ;;
  full) core_step && full_step ;;
  # qtbase alone, e.g. in the background while the rest is worked on.
  qt) build_qt ;;
  *)
    echo "usage: $0 [core|full|qt]" >&2
    exit 2
    ;;
esac
log "done"
