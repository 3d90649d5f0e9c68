# The calculator window: the corvane executable, its GUI tests and its benchmark.
# Included from cmake/Gui.cmake (needs corvane_controls, corvane_resources, GUI_TEST_ENVIRONMENT).

file(GLOB UI_SOURCES CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/qt/ui/*.cpp ${CMAKE_SOURCE_DIR}/qt/ui/*.h)
list(REMOVE_ITEM UI_SOURCES ${CMAKE_SOURCE_DIR}/qt/ui/main.cpp)
add_library(corvane_ui STATIC ${UI_SOURCES})
set_target_properties(corvane_ui PROPERTIES AUTOMOC ON)
target_link_libraries(corvane_ui PUBLIC corvane_controls corvane_uilogic corvane_core)

add_executable(corvane ${CMAKE_SOURCE_DIR}/qt/ui/main.cpp)
target_link_libraries(corvane PRIVATE corvane_ui corvane_resources)

# --- Keystroke-to-results benchmark (offscreen) -----------------------------------------------
if(CORVANE_BENCH)
  find_package(benchmark REQUIRED)
  file(GLOB UI_BENCH_SOURCES CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/bench/ui/*.cpp)
  add_executable(window_bench ${UI_BENCH_SOURCES})
  target_link_libraries(window_bench PRIVATE corvane_ui corvane_resources benchmark::benchmark)
endif()

# Everything below is a test: `make run` leaves it out.
if(NOT CORVANE_TESTS)
  return()
endif()

# --- Window tests: one executable and one ctest entry per test file ---------------------------
file(GLOB UI_TEST_SOURCES CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/tests/qt/ui/*Test.cpp)
foreach(test_source ${UI_TEST_SOURCES})
  get_filename_component(test_name ${test_source} NAME_WE)
  add_executable(ui_${test_name} ${test_source} ${CMAKE_SOURCE_DIR}/tests/qt/ui/UiTestSupport.cpp)
  set_target_properties(ui_${test_name} PROPERTIES AUTOMOC ON)
  target_include_directories(ui_${test_name} PRIVATE ${CMAKE_SOURCE_DIR}/tests/ui)
  target_link_libraries(ui_${test_name} PRIVATE corvane_ui corvane_resources Qt6::Test)
  add_test(NAME ui.${test_name} COMMAND ui_${test_name})
  set_tests_properties(ui.${test_name} PROPERTIES
    ENVIRONMENT "${GUI_TEST_ENVIRONMENT}" TIMEOUT 180)
endforeach()

# Screenshots of the windows for a person to look at (scripts/screenshots.sh); a tool, not a
# test, that drives the windows with the window tests' helpers.
add_executable(ui_screenshots ${CMAKE_SOURCE_DIR}/tools/screenshots/Screenshots.cpp
  ${CMAKE_SOURCE_DIR}/tests/qt/ui/UiTestSupport.cpp)
set_target_properties(ui_screenshots PROPERTIES AUTOMOC ON)
target_link_libraries(ui_screenshots PRIVATE corvane_ui corvane_resources Qt6::Test)

# --- The real-desktop lane: the real program under Xvfb with openbox, driven by real X input ---
# One ctest entry per test file under tests/desktop/ (each runs its own X server on a display
# it picks itself). Run alone, so that no other test competes for the two cores while keys are
# typed 20 ms apart.
find_package(Python3 REQUIRED COMPONENTS Interpreter)
file(GLOB DESKTOP_TESTS CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/tests/desktop/test_*.py)
foreach(test_file ${DESKTOP_TESTS})
  get_filename_component(module ${test_file} NAME_WE)
  string(REGEX REPLACE "^test_" "" name ${module})
  add_test(NAME desktop.${name} COMMAND ${Python3_EXECUTABLE} -m unittest -v ${module}
           WORKING_DIRECTORY ${CMAKE_SOURCE_DIR}/tests/desktop)
  set_tests_properties(desktop.${name} PROPERTIES
    LABELS desktop RUN_SERIAL TRUE TIMEOUT 120
    ENVIRONMENT "CORVANE_PROGRAM=${CMAKE_BINARY_DIR}/installed/corvane;PYTHONDONTWRITEBYTECODE=1")
endforeach()
