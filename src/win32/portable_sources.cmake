# The files of src/win32 that hold no Windows code, so the native tests can build them too:
#   include(${PROJECT_SOURCE_DIR}/src/win32/portable_sources.cmake)
#   target_sources(<tests> PRIVATE ${QUORVEL_WIN32_PORTABLE_SOURCES})
set(QUORVEL_WIN32_PORTABLE_SOURCES
  ${CMAKE_CURRENT_LIST_DIR}/error_codes.cpp
  ${CMAKE_CURRENT_LIST_DIR}/event_table.cpp
  ${CMAKE_CURRENT_LIST_DIR}/member_names.cpp
  ${CMAKE_CURRENT_LIST_DIR}/registration_data.cpp
  ${CMAKE_CURRENT_LIST_DIR}/twips.cpp
  ${CMAKE_CURRENT_LIST_DIR}/utf16.cpp)
