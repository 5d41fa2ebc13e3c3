add_executable(render_e2e_tests ${CMAKE_CURRENT_LIST_DIR}/render_e2e_test.cpp)
target_link_libraries(render_e2e_tests PRIVATE e2e_harness GTest::gtest_main)
add_dependencies(render_e2e_tests skycourse media)
gtest_discover_tests(render_e2e_tests
  DISCOVERY_TIMEOUT 30
  PROPERTIES RUN_SERIAL TRUE TIMEOUT 240 LABELS e2e)
