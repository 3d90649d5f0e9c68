# The Win32 front end: corvane.exe on the raw Win32 API (win32/controls, win32/setup, win32/ui),
# its resources, the installed form of the file, and its tests under Wine. Included by the
# top-level CMakeLists.txt for Windows builds, after the core and the UI logic.
enable_language(RC)
find_package(Python3 REQUIRED COMPONENTS Interpreter)

# --- Resources: the pictures under resources/ converted into the forms windres reads ---------
set(WIN32_IMAGES ${CMAKE_BINARY_DIR}/generated/win32)
set(WIN32_IMAGE_TOOL ${CMAKE_SOURCE_DIR}/tools/win32_images.py)
set(WIN32_IMAGE_FILES)
foreach(bitmap 130 130@2x)
  add_custom_command(
    OUTPUT ${WIN32_IMAGES}/${bitmap}.bmp
    COMMAND ${CMAKE_COMMAND} -E make_directory ${WIN32_IMAGES}
    COMMAND ${Python3_EXECUTABLE} ${WIN32_IMAGE_TOOL} bmp
            ${CMAKE_SOURCE_DIR}/resources/bitmap/${bitmap}.png ${WIN32_IMAGES}/${bitmap}.bmp
    DEPENDS ${WIN32_IMAGE_TOOL} ${CMAKE_SOURCE_DIR}/resources/bitmap/${bitmap}.png
    COMMENT "Converting bitmap ${bitmap} for the resource compiler")
  list(APPEND WIN32_IMAGE_FILES ${WIN32_IMAGES}/${bitmap}.bmp)
endforeach()
set(ICON_SIZES 16 24 32 48 64 256)
list(TRANSFORM ICON_SIZES PREPEND ${CMAKE_SOURCE_DIR}/resources/icon/128_ OUTPUT_VARIABLE ICON_PNGS)
list(TRANSFORM ICON_PNGS APPEND .png)
add_custom_command(
  OUTPUT ${WIN32_IMAGES}/128.ico
  COMMAND ${CMAKE_COMMAND} -E make_directory ${WIN32_IMAGES}
  COMMAND ${Python3_EXECUTABLE} ${WIN32_IMAGE_TOOL} ico ${WIN32_IMAGES}/128.ico ${ICON_PNGS}
  DEPENDS ${WIN32_IMAGE_TOOL} ${ICON_PNGS}
  COMMENT "Making the program icon")
list(APPEND WIN32_IMAGE_FILES ${WIN32_IMAGES}/128.ico)
# The setup wizard's banner and separator line in 256 colours: as 24-bit bitmaps they would take
# 160 KB of the program's 1 MB, so 57 KB.
foreach(bitmap 138 141)
  add_custom_command(
    OUTPUT ${WIN32_IMAGES}/${bitmap}.bmp
    COMMAND ${CMAKE_COMMAND} -E make_directory ${WIN32_IMAGES}
    COMMAND ${Python3_EXECUTABLE} ${WIN32_IMAGE_TOOL} bmp8
            ${CMAKE_SOURCE_DIR}/resources/bitmap/${bitmap}.png ${WIN32_IMAGES}/${bitmap}.bmp
    DEPENDS ${WIN32_IMAGE_TOOL} ${CMAKE_SOURCE_DIR}/resources/bitmap/${bitmap}.png
    COMMENT "Converting bitmap ${bitmap} to 256 colours for the resource compiler")
  list(APPEND WIN32_IMAGE_FILES ${WIN32_IMAGES}/${bitmap}.bmp)
endforeach()
add_custom_target(corvane_win32_images DEPENDS ${WIN32_IMAGE_FILES})

set(CORVANE_RC_SOURCE ${CMAKE_SOURCE_DIR}/resources/win32)
set(CORVANE_RC_IMAGES ${WIN32_IMAGES})
set(CORVANE_RC_PICTURES ${CMAKE_SOURCE_DIR}/resources/img)
set(CORVANE_RC ${WIN32_IMAGES}/corvane.rc)
configure_file(${CMAKE_SOURCE_DIR}/resources/win32/corvane.rc.in ${CORVANE_RC} @ONLY)
file(GLOB WIN32_PICTURES CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/resources/img/*)
set_source_files_properties(${CORVANE_RC} PROPERTIES OBJECT_DEPENDS
  "${WIN32_IMAGE_FILES};${WIN32_PICTURES};${CMAKE_SOURCE_DIR}/resources/win32/corvane.manifest")
# An object library, so that the resources go into every program linked with it.
add_library(corvane_win32_resources OBJECT ${CORVANE_RC})
add_dependencies(corvane_win32_resources corvane_win32_images)

# --- The front end's code ---------------------------------------------------------------------
set(WIN32_DEFINITIONS UNICODE _UNICODE NOMINMAX WIN32_LEAN_AND_MEAN _WIN32_WINNT=0x0601
                      WINVER=0x0601)
file(GLOB WIN32_CONTROLS_SOURCES CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/win32/controls/*.cpp)
file(GLOB WIN32_SETUP_SOURCES CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/win32/setup/*.cpp)
file(GLOB WIN32_UI_SOURCES CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/win32/ui/*.cpp)
list(REMOVE_ITEM WIN32_UI_SOURCES ${CMAKE_SOURCE_DIR}/win32/ui/main.cpp)
add_library(corvane_win32 STATIC ${WIN32_CONTROLS_SOURCES} ${WIN32_SETUP_SOURCES}
                                 ${WIN32_UI_SOURCES})
target_compile_definitions(corvane_win32 PUBLIC ${WIN32_DEFINITIONS})
# The windows, the UI and setup logic and the platform layer are built small rather than fast,
# so that corvane.exe stays within 1 MB; the maths functions keep their optimisation, for their
# speed (their bits are the same at any level: no contraction, SSE2 arithmetic).
foreach(small corvane_win32 corvane_uilogic corvane_setuplogic corvane_platform)
  target_compile_options(${small} PRIVATE $<$<CONFIG:Release>:-Os>)
endforeach()
# So are the core's parts outside the maths functions: the evaluator, the formatting, the
# worksheet and the settings.
file(GLOB CORE_SMALL_SOURCES CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/engine/*.cpp
     ${CMAKE_SOURCE_DIR}/worksheet/*.cpp ${CMAKE_SOURCE_DIR}/settings/*.cpp)
list(FILTER CORE_SMALL_SOURCES EXCLUDE REGEX "/engine/(Maths|TrigReduction)[^/]*$")
set_source_files_properties(${CORE_SMALL_SOURCES} PROPERTIES COMPILE_OPTIONS
                            $<$<CONFIG:Release>:-Os>)
target_link_libraries(corvane_win32 PUBLIC corvane_setuplogic corvane_uilogic corvane_core
                      corvane_platform comctl32 ole32 oleaut32 uuid shell32 user32 gdi32)

# build-win*/corvane.exe: the file as delivered, with its setup marker.
add_executable(corvane WIN32 ${CMAKE_SOURCE_DIR}/win32/ui/main.cpp)
target_link_libraries(corvane PRIVATE corvane_win32 corvane_win32_resources)
target_link_options(corvane PRIVATE -municode)

# build-win*/installed/corvane.exe: the same file with its marker replaced, by the copy
# routine the installer uses, built for the build machine.
set(MAKE_INSTALLED ${CMAKE_BINARY_DIR}/host/make_installed)
add_custom_command(
  OUTPUT ${MAKE_INSTALLED}
  COMMAND ${CMAKE_COMMAND} -E make_directory ${CMAKE_BINARY_DIR}/host
  COMMAND ${CMAKE_CXX_COMPILER_LAUNCHER} ${CORVANE_HOST_CXX} -std=c++17 -O1
          -I${CMAKE_SOURCE_DIR} ${CMAKE_SOURCE_DIR}/platform/ProgramCopy.cpp
          ${CMAKE_SOURCE_DIR}/platform/posix/WholeFile.cpp
          ${CMAKE_SOURCE_DIR}/qt/setup/tools/MakeInstalledCopy.cpp -o ${MAKE_INSTALLED}
  DEPENDS ${CMAKE_SOURCE_DIR}/platform/ProgramCopy.cpp ${CMAKE_SOURCE_DIR}/platform/ProgramCopy.h
          ${CMAKE_SOURCE_DIR}/platform/posix/WholeFile.cpp
          ${CMAKE_SOURCE_DIR}/qt/setup/tools/MakeInstalledCopy.cpp
  COMMENT "Building make_installed for the build machine")
add_custom_target(corvane_make_installed_host DEPENDS ${MAKE_INSTALLED})
add_dependencies(corvane corvane_make_installed_host)
add_custom_command(TARGET corvane POST_BUILD
  COMMAND ${CMAKE_COMMAND} -E make_directory ${CMAKE_BINARY_DIR}/installed
  COMMAND ${MAKE_INSTALLED} $<TARGET_FILE:corvane> ${CMAKE_BINARY_DIR}/installed/corvane.exe
  COMMENT "Making the installed form of the program: installed/corvane.exe")

if(CORVANE_TESTS)
  add_subdirectory(${CMAKE_SOURCE_DIR}/tests/win32 ${CMAKE_BINARY_DIR}/tests/win32)
endif()
