# The menus, the player's settings and the HUD's signs.
set(APP_MENU_SOURCES menu.cpp settings.cpp hud_signs.cpp)
list(TRANSFORM APP_MENU_SOURCES PREPEND ${CMAKE_CURRENT_LIST_DIR}/)
