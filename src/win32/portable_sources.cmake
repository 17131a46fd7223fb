# The Windows layer's helpers that include no Windows header: built into the DLL and, natively,
# into the unit tests.
set(WIN32_PORTABLE_SOURCES
  ${CMAKE_CURRENT_LIST_DIR}/error_codes.cpp
  ${CMAKE_CURRENT_LIST_DIR}/event_table.cpp
  ${CMAKE_CURRENT_LIST_DIR}/member_names.cpp
  ${CMAKE_CURRENT_LIST_DIR}/registration_data.cpp
  ${CMAKE_CURRENT_LIST_DIR}/twips.cpp
  ${CMAKE_CURRENT_LIST_DIR}/utf16.cpp)
