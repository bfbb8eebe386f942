#!/usr/bin/env bash
# Installs every Debian package Tallyra needs to build, test, run and be looked at.
# Safe to run again: apt-get skips what is already installed.
# With the argument "windows" it adds what the Windows cross-build needs.
set -euo pipefail

packages=(
  # build
  build-essential cmake ninja-build pkg-config git
  # libraries
  qt6-base-dev qt6-base-dev-tools libgl-dev
  libsqlite3-dev sqlite3 libsodium-dev zlib1g-dev
  # tests and benchmarks
  googletest libgtest-dev libgmock-dev libbenchmark-dev
  # the start-up benchmark reads peak memory with GNU time
  time
  # the fuzz target of the table-file loader: clang and its libFuzzer and sanitizer runtimes
  # (a recommendation of clang only, so it is named here)
  clang libclang-rt-dev
  # fonts the forms name ("宋体", "楷体_GB2312") and a UI fallback
  fonts-arphic-uming fonts-arphic-ukai fonts-dejavu-core
  # plays the login chirp (aplay)
  alsa-utils
  # running headless, looking at windows and printed pages
  xvfb xauth xdotool imagemagick poppler-utils
  # compiles the help manual to help.chm
  fp-utils
  # a private print server with a PDF queue for the print tests; libcups asks it about a queue
  cups cups-client printer-driver-cups-pdf libcups2-dev
  # Qt's own Chinese texts (context menus, calendars, print and preview dialogs)
  qt6-translations-l10n
)

if [ "${1:-}" = windows ]; then
  packages+=(
    # the MinGW-w64 cross compilers (posix threads) and Wine to run the result
    g++-mingw-w64-x86-64-posix mingw-w64 wine64
    # building SQLite, libsodium and Qt from their Debian sources
    dpkg-dev tcl autoconf automake libtool libwine-dev zip
    # the setup program (makensis runs on Linux)
    nsis
  )
fi

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done

if [ ${#missing[@]} -gt 0 ]; then
  sudo=""
  [ "$(id -u)" -eq 0 ] || sudo="sudo"
  export DEBIAN_FRONTEND=noninteractive
  $sudo apt-get update
  $sudo apt-get install -y --no-install-recommends "${missing[@]}"
fi
