# The ball: motion, collision, orbs, checkpoints and goal, and the replay tool.
add_executable(sim_ball_tests
  ${CMAKE_CURRENT_LIST_DIR}/ball_test.cpp
  ${CMAKE_CURRENT_LIST_DIR}/collision_test.cpp
  ${CMAKE_CURRENT_LIST_DIR}/items_test.cpp
  ${CMAKE_CURRENT_LIST_DIR}/gate_test.cpp)
target_link_libraries(sim_ball_tests PRIVATE sim world headless_gl GTest::gtest GTest::gtest_main)
gtest_discover_tests(sim_ball_tests DISCOVERY_TIMEOUT 60)

add_executable(sim_replay_tests ${CMAKE_CURRENT_LIST_DIR}/replay_test.cpp)
target_link_libraries(sim_replay_tests PRIVATE GTest::gtest GTest::gtest_main)
target_compile_definitions(sim_replay_tests PRIVATE REPLAY_PATH="$<TARGET_FILE:skycourse-replay>")
add_dependencies(sim_replay_tests skycourse-replay)
gtest_discover_tests(sim_replay_tests DISCOVERY_TIMEOUT 60)
