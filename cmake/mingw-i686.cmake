# Cross build for 32-bit Windows with Debian's MinGW-w64 compilers (the -posix variants have
# std::thread). Use: cmake -S . -B build-win32 --toolchain cmake/mingw-i686.cmake
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR i686)
set(CORVANE_MINGW_TRIPLET i686-w64-mingw32)
include(${CMAKE_CURRENT_LIST_DIR}/MinGW.cmake)
# Doubles in SSE2 registers round to 64 bits at every step, as on x86_64; the x87 default keeps
# 80 bits, so an integer such as 2^53+1 would convert to a different double.
set(CMAKE_C_FLAGS_INIT "-msse2 -mfpmath=sse")
set(CMAKE_CXX_FLAGS_INIT "-msse2 -mfpmath=sse")
