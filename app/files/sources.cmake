# The player's files: where they are kept, read as untrusted, written whole.
set(APP_FILES_SOURCES printable.cpp small_file.cpp player_files.cpp player_file.cpp standard_streams.cpp course_file.cpp media_folder.cpp course_library.cpp)
list(TRANSFORM APP_FILES_SOURCES PREPEND ${CMAKE_CURRENT_LIST_DIR}/)
