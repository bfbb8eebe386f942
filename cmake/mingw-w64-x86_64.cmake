# Cross-compiles for 64-bit Windows with Debian's MinGW-w64 (the posix thread model, which
# std::thread and std::mutex need). Libraries built for Windows are looked for only in the
# MinGW sysroot and in TALLYRA_WIN_PREFIX (scripts/build-windows.sh's cache); programs such
# as moc and rcc come from the host.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)

set(triple x86_64-w64-mingw32)
set(CMAKE_C_COMPILER ${triple}-gcc-posix)
set(CMAKE_CXX_COMPILER ${triple}-g++-posix)
set(CMAKE_RC_COMPILER ${triple}-windres)
# The gcc- wrappers understand the LTO objects that the plain binutils would not.
set(CMAKE_AR ${triple}-gcc-ar-posix CACHE FILEPATH "")
set(CMAKE_RANLIB ${triple}-gcc-ranlib-posix CACHE FILEPATH "")

# Toolchain files are read again for every try_compile: pass the prefix through.
list(APPEND CMAKE_TRY_COMPILE_PLATFORM_VARIABLES TALLYRA_WIN_PREFIX)
if(NOT TALLYRA_WIN_PREFIX AND DEFINED ENV{TALLYRA_WIN_PREFIX})
  set(TALLYRA_WIN_PREFIX $ENV{TALLYRA_WIN_PREFIX})
endif()
set(CMAKE_FIND_ROOT_PATH /usr/${triple} ${TALLYRA_WIN_PREFIX})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)
# pkg-config must not hand out the host's libraries.
set(ENV{PKG_CONFIG_LIBDIR} ${TALLYRA_WIN_PREFIX}/lib/pkgconfig)
set(ENV{PKG_CONFIG_PATH} "")

# Test programs run under Wine (gtest_discover_tests and ctest go through it).
find_program(TALLYRA_WINE NAMES wine64 PATHS /usr/lib/wine NO_CMAKE_FIND_ROOT_PATH)
if(TALLYRA_WINE)
  set(CMAKE_CROSSCOMPILING_EMULATOR ${TALLYRA_WINE})
endif()
