# End-to-end tests: the real game from its ready-to-run folder on private X
# servers. The harness is a library of its own so that other end-to-end
# tests can drive the game the same way.
find_package(X11 REQUIRED)

add_library(e2e_harness STATIC
  ${CMAKE_CURRENT_LIST_DIR}/harness.cpp
  ${CMAKE_CURRENT_LIST_DIR}/audio_level.cpp)
target_link_libraries(e2e_harness PUBLIC X11::X11 X11::Xtst X11::Xxf86vm PkgConfig::SDL2_MIXER)
target_compile_definitions(e2e_harness PUBLIC
  SKYCOURSE_GAME_DIR="${GAME_DIR}"
  SKYCOURSE_E2E_DIR="${CMAKE_CURRENT_LIST_DIR}")

add_executable(game_e2e_tests ${CMAKE_CURRENT_LIST_DIR}/game_e2e_test.cpp)
target_link_libraries(game_e2e_tests PRIVATE e2e_harness GTest::gtest_main)
add_dependencies(game_e2e_tests skycourse media)
# Each test runs the game under llvmpipe at full screen: one at a time.
gtest_discover_tests(game_e2e_tests
  DISCOVERY_TIMEOUT 30
  PROPERTIES RUN_SERIAL TRUE TIMEOUT 240 LABELS e2e)
