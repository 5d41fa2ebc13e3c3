# The game as the player drives it: pause, restart, timer, the tick loop.
set(APP_PLAY_SOURCES play.cpp tick_clock.cpp tick_loop.cpp)
list(TRANSFORM APP_PLAY_SOURCES PREPEND ${CMAKE_CURRENT_LIST_DIR}/)
