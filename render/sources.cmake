# What the desktop and the page both draw with: the frame description and
# the shader renderer (OpenGL ES 2.0 / WebGL 1). The desktop adds the
# classic renderer and the start-up that chooses between them.
set(RENDER_SOURCES matrix.cpp mesh.cpp shapes.cpp meshes.cpp frame.cpp view_volume.cpp shadow.cpp
    end_screen.cpp menu_layout.cpp menu_draws.cpp gl_state.cpp shader_backend.cpp texture_ids.cpp)
set(RENDER_DESKTOP_SOURCES classic_backend.cpp graphics.cpp)
list(TRANSFORM RENDER_SOURCES PREPEND ${CMAKE_CURRENT_LIST_DIR}/)
list(TRANSFORM RENDER_DESKTOP_SOURCES PREPEND ${CMAKE_CURRENT_LIST_DIR}/)
