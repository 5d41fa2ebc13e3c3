# The one front both shells drive: a run and the player's actions.
set(APP_FRONT_SOURCES front.cpp frame_input.cpp audio.cpp options.cpp)
list(TRANSFORM APP_FRONT_SOURCES PREPEND ${CMAKE_CURRENT_LIST_DIR}/)
