# The Windows build (cross-built with cmake/mingw-*.cmake): the core and corvane-sheet.exe with
# their tests, run under Wine. Included by the top-level CMakeLists.txt before any target.

# No Qt and no Google Benchmark for Windows here: the window follows in a later step.
set(CORVANE_GUI OFF CACHE BOOL "Build the Qt window and setup" FORCE)
set(CORVANE_BENCH OFF CACHE BOOL "Build the benchmarks" FORCE)

# ctest and the build run every Windows program under Wine, in a prefix of this build folder
# (never the user's home), with no display and without the optional Mono and Gecko. The user
# name has accents, a space and letters outside the ANSI code pages, so every test that uses
# the temporary folder (C:\users\<name>\Temp) works under such a path.
set(CORVANE_WINEPREFIX ${CMAKE_BINARY_DIR}/wineprefix)
set(CORVANE_WINE_USER "Zoë Dvořák")
# The 64-bit build runs under the 64-bit loader itself: Debian's `wine` script always takes the
# 32-bit loader once that is installed, even where the kernel cannot run 32-bit programs.
set(CORVANE_WINE wine)
if(CMAKE_SYSTEM_PROCESSOR STREQUAL "x86_64")
  find_program(CORVANE_WINE64_LOADER wine64 PATHS /usr/lib/wine /usr/lib64/wine)
  if(CORVANE_WINE64_LOADER)
    set(CORVANE_WINE WINELOADER=${CORVANE_WINE64_LOADER} ${CORVANE_WINE64_LOADER})
  endif()
endif()
set(CMAKE_CROSSCOMPILING_EMULATOR
  env -u DISPLAY -u WAYLAND_DISPLAY
  WINEPREFIX=${CORVANE_WINEPREFIX} WINEDEBUG=-all WINEDLLOVERRIDES=mscoree,mshtml=
  LANG=C.UTF-8 "USER=${CORVANE_WINE_USER}" CORVANE_ACCENTED_USER=1
  ${CORVANE_WINE})
set(CORVANE_WINESERVER
  env WINEPREFIX=${CORVANE_WINEPREFIX} wineserver)

# Build-time tools run on the build machine, so they are built with its own compiler.
set(CORVANE_HOST_CXX c++ CACHE STRING "The build machine's C++ compiler, for build-time tools")

# GoogleTest from the sources of Debian's googletest package, built with the cross compiler.
# Added before the project's own warning flags; its headers count as system headers.
set(gtest_disable_pthreads ON CACHE BOOL "" FORCE)
set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
add_subdirectory(/usr/src/googletest/googletest ${CMAKE_BINARY_DIR}/googletest
                 EXCLUDE_FROM_ALL SYSTEM)
# Test code builds without optimisation, in about half the time of -O3; the code under test keeps
# the build type's optimisation.
set(CORVANE_TEST_COMPILE_OPTIONS -O0)
target_compile_options(gtest PRIVATE ${CORVANE_TEST_COMPILE_OPTIONS})
target_compile_options(gtest_main PRIVATE ${CORVANE_TEST_COMPILE_OPTIONS})
