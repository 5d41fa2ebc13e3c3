# Keys, the pointer and the pad as the game's controls and actions.
set(APP_INPUT_SOURCES input.cpp key_bindings.cpp pad_changes.cpp)
list(TRANSFORM APP_INPUT_SOURCES PREPEND ${CMAKE_CURRENT_LIST_DIR}/)
