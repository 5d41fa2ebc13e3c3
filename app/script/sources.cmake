# The replay script: read, played, written as the game goes; the rows.
set(APP_SCRIPT_SOURCES script.cpp script_line.cpp script_player.cpp rows.cpp recording.cpp watching.cpp run_script.cpp script_course.cpp)
list(TRANSFORM APP_SCRIPT_SOURCES PREPEND ${CMAKE_CURRENT_LIST_DIR}/)
