# The simulation's sources, for the desktop's library and the page's build alike.
set(SIM_SOURCES tick.cpp ball.cpp collision.cpp block_grid.cpp items.cpp block_motion.cpp course_state.cpp rotation.cpp random.cpp trig.cpp)
list(TRANSFORM SIM_SOURCES PREPEND ${CMAKE_CURRENT_LIST_DIR}/)
