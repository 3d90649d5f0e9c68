# The Qt part of the build: reusable controls, compiled-in resources, the calculator window and
# the setup wizard. Included by the top-level CMakeLists.txt when CORVANE_GUI is ON.
find_package(Qt6 REQUIRED COMPONENTS Core Gui Widgets WebEngineCore WebEngineWidgets Test)

# --- Controls: dialog builder, skinned controls, HTML view, resource scheme ------------------
file(GLOB CONTROLS_SOURCES CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/controls/*.cpp)
file(GLOB CONTROLS_HEADERS CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/controls/*.h)
add_library(corvane_controls STATIC ${CONTROLS_SOURCES} ${CONTROLS_HEADERS})
set_target_properties(corvane_controls PROPERTIES AUTOMOC ON)
target_link_libraries(corvane_controls PUBLIC
  corvane_core Qt6::Widgets Qt6::Gui Qt6::WebEngineCore Qt6::WebEngineWidgets)

# --- Compiled-in resources (bitmaps, IMG pictures, icon) -------------------------------------
# resources/corvane.qrc is compiled into an OBJECT library. Linking an executable to it puts
# the object file itself into the executable, so the resources register at start-up without
# Q_INIT_RESOURCE (a static library would let the linker drop them).
add_library(corvane_resources OBJECT ${CMAKE_SOURCE_DIR}/resources/corvane.qrc)
set_target_properties(corvane_resources PROPERTIES AUTORCC ON)
target_link_libraries(corvane_resources PRIVATE Qt6::Core)

# The artwork generator: draws every picture under resources/ (run by hand: the pictures are
# committed together with it). `cmake --build build --target artwork` redraws them.
file(GLOB ARTWORK_SOURCES CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/tools/artwork/*.cpp)
add_executable(corvane_artwork EXCLUDE_FROM_ALL ${ARTWORK_SOURCES})
target_link_libraries(corvane_artwork PRIVATE Qt6::Gui)
add_custom_target(artwork
  COMMAND ${CMAKE_COMMAND} -E env QT_QPA_PLATFORM=offscreen
          $<TARGET_FILE:corvane_artwork> ${CMAKE_SOURCE_DIR}/resources
  DEPENDS corvane_artwork
  COMMENT "Drawing the artwork into resources/")

# --- Controls tests ---------------------------------------------------------------------------
# GUI tests run offscreen with HOME and XDG_* in a scratch folder of the build tree.
set(GUI_TEST_HOME ${CMAKE_BINARY_DIR}/gui-test-home)
file(MAKE_DIRECTORY ${GUI_TEST_HOME})
set(GUI_TEST_ENVIRONMENT
  QT_QPA_PLATFORM=offscreen
  HOME=${GUI_TEST_HOME}
  XDG_CONFIG_HOME=${GUI_TEST_HOME}/config
  XDG_CACHE_HOME=${GUI_TEST_HOME}/cache
  XDG_DATA_HOME=${GUI_TEST_HOME}/data
  XDG_STATE_HOME=${GUI_TEST_HOME}/state
  XDG_RUNTIME_DIR=${GUI_TEST_HOME}/runtime)

file(GLOB CONTROLS_TEST_SOURCES CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/tests/controls/*.cpp)
add_executable(controls_tests ${CONTROLS_TEST_SOURCES})
set_target_properties(controls_tests PROPERTIES AUTOMOC ON)
target_link_libraries(controls_tests PRIVATE corvane_controls corvane_resources Qt6::Test)
# One ctest entry per test class (the runner takes the class name as its first argument).
foreach(test_class DialogBuilderTest ImageListTest)
  add_test(NAME controls.${test_class} COMMAND controls_tests ${test_class})
  set_tests_properties(controls.${test_class} PROPERTIES
    ENVIRONMENT "${GUI_TEST_ENVIRONMENT}" TIMEOUT 120)
endforeach()

# --- The calculator executable (ui/) ----------------------------------------------------------
# Added below by the window's section: link corvane_controls and corvane_resources.
