# The desktop's shell: the GLUT window, signals, the SDL pad, the Pause key.
set(APP_DESKTOP_SOURCES window.cpp signals.cpp gamepad.cpp pause_key.cpp rasterizer_threads.cpp)
list(TRANSFORM APP_DESKTOP_SOURCES PREPEND ${CMAKE_CURRENT_LIST_DIR}/)
