add_executable(shader_tests ${CMAKE_CURRENT_LIST_DIR}/shader_program_test.cpp)
target_compile_definitions(shader_tests PRIVATE SOURCE_DIR="${CMAKE_SOURCE_DIR}")
target_link_libraries(shader_tests PRIVATE assets test_support GTest::gtest_main)
gtest_discover_tests(shader_tests DISCOVERY_TIMEOUT 60 PROPERTIES TIMEOUT 120 ${GL_TEST_PROPERTIES})
