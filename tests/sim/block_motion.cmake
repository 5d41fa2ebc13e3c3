add_executable(block_motion_test ${CMAKE_CURRENT_LIST_DIR}/block_motion_test.cpp)
target_link_libraries(block_motion_test PRIVATE sim world GTest::gtest_main)
gtest_discover_tests(block_motion_test)
