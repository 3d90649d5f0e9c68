# The Qt part of the build: reusable controls, compiled-in resources, the calculator window and
# the setup wizard. Included by the top-level CMakeLists.txt when CORVANE_GUI is ON.
find_package(Qt6 REQUIRED COMPONENTS Core Gui Widgets Quick WebEngineCore WebEngineWidgets Test)
# The window manager's own name and hints are read through xcb, as Qt's X11 windows are made.
find_package(X11 REQUIRED)

# --- Controls: dialog builder, skinned controls, HTML view, resource scheme ------------------
file(GLOB CONTROLS_SOURCES CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/qt/controls/*.cpp)
file(GLOB CONTROLS_HEADERS CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/qt/controls/*.h)
add_library(corvane_controls STATIC ${CONTROLS_SOURCES} ${CONTROLS_HEADERS})
set_target_properties(corvane_controls PROPERTIES AUTOMOC ON)
target_link_libraries(corvane_controls PUBLIC
  corvane_uilogic corvane_core Qt6::Widgets Qt6::Gui Qt6::Quick Qt6::WebEngineCore
  Qt6::WebEngineWidgets X11::xcb)

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
file(MAKE_DIRECTORY ${GUI_TEST_HOME}/config ${GUI_TEST_HOME}/cache ${GUI_TEST_HOME}/data
                    ${GUI_TEST_HOME}/state ${GUI_TEST_HOME}/runtime)
# Qt insists on a private runtime folder.
file(CHMOD ${GUI_TEST_HOME}/runtime DIRECTORY_PERMISSIONS OWNER_READ OWNER_WRITE OWNER_EXECUTE)
set(GUI_TEST_ENVIRONMENT
  QT_QPA_PLATFORM=offscreen
  HOME=${GUI_TEST_HOME}
  XDG_CONFIG_HOME=${GUI_TEST_HOME}/config
  XDG_CACHE_HOME=${GUI_TEST_HOME}/cache
  XDG_DATA_HOME=${GUI_TEST_HOME}/data
  XDG_STATE_HOME=${GUI_TEST_HOME}/state
  XDG_RUNTIME_DIR=${GUI_TEST_HOME}/runtime)

if(CORVANE_TESTS)
  file(GLOB CONTROLS_TEST_SOURCES CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/tests/qt/controls/*.cpp)
  add_executable(controls_tests ${CONTROLS_TEST_SOURCES})
  set_target_properties(controls_tests PROPERTIES AUTOMOC ON)
  target_link_libraries(controls_tests PRIVATE corvane_controls corvane_resources Qt6::Test)
  # One ctest entry per test class (the runner takes the class name as its first argument).
  foreach(test_class DialogBuilderTest ImageListTest ButtonTest SmallControlsTest
                     WebBrowserTest ResourceSchemeTest)
    add_test(NAME controls.${test_class} COMMAND controls_tests ${test_class})
    set_tests_properties(controls.${test_class} PROPERTIES
      ENVIRONMENT "${GUI_TEST_ENVIRONMENT}" TIMEOUT 120)
  endforeach()
endif()

# --- The calculator executable (ui/) ----------------------------------------------------------
include(${CMAKE_SOURCE_DIR}/cmake/Window.cmake)

# --- Setup: installer, uninstaller, shortcuts and the setup wizard (setup/, platform/) --------
# The build step that makes build/installed/corvane uses the installer's own program copy.
add_executable(corvane_make_installed ${CMAKE_SOURCE_DIR}/qt/setup/tools/MakeInstalledCopy.cpp)
target_link_libraries(corvane_make_installed PRIVATE corvane_platform)

file(GLOB SETUP_SOURCES CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/qt/setup/*.cpp
                                          ${CMAKE_SOURCE_DIR}/qt/setup/*.h)
add_library(corvane_setup STATIC ${SETUP_SOURCES})
set_target_properties(corvane_setup PROPERTIES AUTOMOC ON)
target_link_libraries(corvane_setup PUBLIC
  corvane_setuplogic corvane_controls corvane_platform corvane_core Qt6::Widgets
  Qt6::Gui)

if(TARGET corvane)
  # build/corvane is the delivered program: it carries the setup marker and runs the wizard.
  target_link_libraries(corvane PRIVATE corvane_setup)
  # build/installed/corvane: the same file with its marker replaced by the installer's own copy
  # routine, so that it runs the calculator. `make run` starts it.
  add_custom_command(TARGET corvane POST_BUILD
    COMMAND ${CMAKE_COMMAND} -E make_directory ${CMAKE_BINARY_DIR}/installed
    COMMAND corvane_make_installed $<TARGET_FILE:corvane> ${CMAKE_BINARY_DIR}/installed/corvane
    COMMENT "Making the installed form of the program: build/installed/corvane")

  if(CORVANE_TESTS)
    # Setup tests. The runner and each test point HOME, TMPDIR and XDG_* at scratch folders of
    # their own, and run offscreen.
    find_package(GTest REQUIRED)
    include(GoogleTest)
    file(GLOB SETUP_TEST_SOURCES CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/tests/qt/setup/*.cpp)
    add_executable(setup_tests ${SETUP_TEST_SOURCES})
    set_target_properties(setup_tests PROPERTIES AUTOMOC ON)
    target_link_libraries(setup_tests PRIVATE corvane_setup corvane_resources Qt6::Test GTest::gtest)
    target_compile_definitions(setup_tests PRIVATE
      CORVANE_DELIVERED_PROGRAM="$<TARGET_FILE:corvane>"
      CORVANE_INSTALLED_BUILD_PROGRAM="${CMAKE_BINARY_DIR}/installed/corvane"
      CORVANE_SOURCE_DIR="${CMAKE_SOURCE_DIR}")
    add_dependencies(setup_tests corvane corvane_make_installed)
    gtest_discover_tests(setup_tests DISCOVERY_TIMEOUT 60 TEST_PREFIX setup. PROPERTIES TIMEOUT 300)
  endif()
endif()
