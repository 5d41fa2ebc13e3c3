# Media loading. The pictures and the sound table serve the desktop and the
# page alike; the shader pair's loader and the sound layer over SDL2_mixer
# are the desktop's (the page has its own sound layer over Web Audio).
set(ASSETS_SOURCES bitmap.cpp textures.cpp mipmaps.cpp text_file.cpp sound.cpp)
set(ASSETS_DESKTOP_SOURCES shader_program.cpp sound_layer.cpp)
list(TRANSFORM ASSETS_SOURCES PREPEND ${CMAKE_CURRENT_LIST_DIR}/)
list(TRANSFORM ASSETS_DESKTOP_SOURCES PREPEND ${CMAKE_CURRENT_LIST_DIR}/)
