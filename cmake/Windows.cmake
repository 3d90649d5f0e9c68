# The Windows build (cross-built with cmake/mingw-*.cmake): the core and corvane-sheet.exe with
# their tests, run under Wine. Included by the top-level CMakeLists.txt before any target.

# No Qt and no Google Benchmark for Windows: the window is the Win32 front end (cmake/Win32Gui.cmake).
set(CORVANE_GUI OFF CACHE BOOL "Build the Qt window and setup" FORCE)
set(CORVANE_BENCH OFF CACHE BOOL "Build the benchmarks" FORCE)

# ctest and the build run every Windows program under Wine, in a prefix of this build folder
# (never the user's home), with no display and without the optional Mono and Gecko. The user
# name has accents, a space and letters outside the ANSI code pages, so every test that uses
# the temporary folder (C:\users\<name>\Temp) works under such a path.
set(CORVANE_WINEPREFIX ${CMAKE_BINARY_DIR}/wineprefix)
set(CORVANE_WINE_USER "Zoë Dvořák")

# The Wine loader. Debian's `wine` prefers the 32-bit loader once wine32 is installed, and that
# loader cannot start where the kernel runs no 32-bit programs; a 64-bit build then runs under
# the 64-bit loader itself, and a 32-bit build through qemu-i386 user emulation where
# scripts/wine32-emulated.sh can provide it (CORVANE_WINE_EMULATED; CORVANE_WINE_WRAPPER is the
# command put before the loader). Whether Windows programs of this build run at all is found out
# with a small probe program, once where they do (cached) and again at each configure where they
# did not; CORVANE_WINE_RUNS says so, and CORVANE_WINE_REASON why not.
set(CORVANE_WINE_ENV
  WINEPREFIX=${CORVANE_WINEPREFIX} WINEDEBUG=-all WINEDLLOVERRIDES=mscoree,mshtml=
  LANG=C.UTF-8 "USER=${CORVANE_WINE_USER}" CORVANE_ACCENTED_USER=1)
if(NOT DEFINED CACHE{CORVANE_WINE_LOADER} OR NOT CORVANE_WINE_RUNS)
  find_program(CORVANE_WINE wine)
  find_program(CORVANE_WINE64 wine64 PATHS /usr/lib/wine NO_DEFAULT_PATH)
  set(loader_choices ${CORVANE_WINE})
  if(CMAKE_SYSTEM_PROCESSOR STREQUAL "x86_64" AND CORVANE_WINE64)
    list(APPEND loader_choices ${CORVANE_WINE64})
  endif()
  set(CORVANE_WINE_RUNS OFF)
  set(CORVANE_WINE_EMULATED OFF)
  set(CORVANE_WINE_WRAPPER "")
  set(CORVANE_WINE_REASON "no Wine loader found (the packages wine and wine64, or wine32:i386)")
  set(emulation ${CMAKE_SOURCE_DIR}/scripts/wine32-emulated.sh)
  set(emulation_env CORVANE_WINE32_DIR=${CMAKE_BINARY_DIR}/wine32-emulated)
  foreach(loader ${loader_choices})
    set(wrapper "")
    execute_process(COMMAND ${loader} --version RESULT_VARIABLE status OUTPUT_QUIET ERROR_QUIET)
    if(NOT status EQUAL 0 AND CMAKE_SYSTEM_PROCESSOR STREQUAL "i686")
      # A kernel without 32-bit programs: the 32-bit loader through qemu-i386, if it starts so.
      execute_process(COMMAND env ${emulation_env} ${emulation} --check
                      RESULT_VARIABLE status OUTPUT_QUIET ERROR_VARIABLE emulation_error)
      if(status EQUAL 0)
        set(wrapper ${emulation_env} ${emulation})
      else()
        string(STRIP "${emulation_error}" emulation_error)
        message(STATUS "i686 Windows programs cannot run through emulation: ${emulation_error}")
      endif()
    endif()
    if(NOT status EQUAL 0)
      set(CORVANE_WINE_REASON "${CMAKE_SYSTEM_PROCESSOR} Windows programs cannot run here: the Wine \
loader ${loader} does not start (wine32 missing, or a kernel that runs no 32-bit programs)")
      continue()
    endif()
    set(CMAKE_CROSSCOMPILING_EMULATOR env -u DISPLAY -u WAYLAND_DISPLAY ${CORVANE_WINE_ENV}
                                      WINELOADER=${loader} ${wrapper} ${loader})
    try_run(probe_run probe_compiled ${CMAKE_BINARY_DIR}/wine-probe
            SOURCES ${CMAKE_CURRENT_LIST_DIR}/wine_probe.cpp
            RUN_OUTPUT_VARIABLE probe_output)
    if(probe_compiled AND probe_run EQUAL 0)
      set(CORVANE_WINE_RUNS ON)
      set(CORVANE_WINE_REASON "")
      set(CORVANE_WINE_WRAPPER ${wrapper})
      if(wrapper)
        set(CORVANE_WINE_EMULATED ON)
      endif()
      set(CORVANE_WINE_LOADER ${loader} CACHE FILEPATH "The Wine loader that runs this build's programs"
          FORCE)
      break()
    endif()
    set(CORVANE_WINE_REASON
        "${CMAKE_SYSTEM_PROCESSOR} Windows programs do not run under ${loader} here")
  endforeach()
  set(CORVANE_WINE_RUNS ${CORVANE_WINE_RUNS} CACHE BOOL "Windows programs of this build run under Wine" FORCE)
  set(CORVANE_WINE_REASON "${CORVANE_WINE_REASON}" CACHE STRING "Why they do not" FORCE)
  set(CORVANE_WINE_EMULATED ${CORVANE_WINE_EMULATED} CACHE BOOL
      "This build's programs run through qemu-i386 user emulation" FORCE)
  set(CORVANE_WINE_WRAPPER "${CORVANE_WINE_WRAPPER}" CACHE STRING
      "The command before the Wine loader (the emulation's)" FORCE)
  if(CORVANE_WINE_EMULATED)
    message(STATUS "i686 Windows programs run through qemu-i386 user emulation "
                   "(scripts/wine32-emulated.sh); only the tests of corvane-sheet.exe run there")
  endif()
  if(NOT CORVANE_WINE_RUNS)
    set(CORVANE_WINE_LOADER wine CACHE FILEPATH "The Wine loader that runs this build's programs" FORCE)
    message(STATUS "Windows tests of this build will be skipped: ${CORVANE_WINE_REASON}")
  endif()
endif()
set(CMAKE_CROSSCOMPILING_EMULATOR env -u DISPLAY -u WAYLAND_DISPLAY ${CORVANE_WINE_ENV}
                                  WINELOADER=${CORVANE_WINE_LOADER} ${CORVANE_WINE_WRAPPER}
                                  ${CORVANE_WINE_LOADER})
# The same with the X display kept, for the window's tests (run inside a virtual X server).
set(CORVANE_WINE_GUI env ${CORVANE_WINE_ENV} WINELOADER=${CORVANE_WINE_LOADER}
                     ${CORVANE_WINE_WRAPPER} ${CORVANE_WINE_LOADER})
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

# Small programs: unused functions and data are left out, and Release builds are stripped.
add_compile_options(-ffunction-sections -fdata-sections)
add_link_options(-Wl,--gc-sections $<$<CONFIG:Release,MinSizeRel>:-s>)
