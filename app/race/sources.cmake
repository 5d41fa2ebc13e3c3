# The race against the best run: times, splits, the ghost, the best run kept.
set(APP_RACE_SOURCES best_times.cpp best_times_file.cpp splits.cpp ghost.cpp best_run.cpp race.cpp course_list.cpp)
list(TRANSFORM APP_RACE_SOURCES PREPEND ${CMAKE_CURRENT_LIST_DIR}/)
