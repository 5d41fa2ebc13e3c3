# The world's sources, for the desktop's library and the page's build alike.
set(WORLD_SOURCES world.cpp level.cpp generated_course.cpp course_text.cpp float_text.cpp)
list(TRANSFORM WORLD_SOURCES PREPEND ${CMAKE_CURRENT_LIST_DIR}/)
