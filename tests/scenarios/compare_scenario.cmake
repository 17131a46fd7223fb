# Plays one scenario and compares what it prints with the scenario's expected output.
# Only the log's time of day and the build's own folder (where the library lies) may differ.
# Usage: cmake -DSIMULATOR=<quorvel-sim> -DSCENARIO=<x.qvs> -DEXPECTED=<x.expected>
#              -DLIBRARY_FOLDER=<folder> -P compare_scenario.cmake
execute_process(COMMAND ${SIMULATOR} ${SCENARIO}
                OUTPUT_VARIABLE actual ERROR_VARIABLE actual RESULT_VARIABLE result)
if(NOT result EQUAL 0)
  message(SEND_ERROR "${SCENARIO} ended with ${result}")
endif()

function(normalise text out)
  string(REPLACE "${LIBRARY_FOLDER}" "<library folder>" text "${text}")
  string(REGEX REPLACE "(^|\n)    [0-9][0-9]?:[0-9][0-9](:[0-9][0-9])?( ?[AP]M)?: " "\\1    <time>: " text "${text}")
  set(${out} "${text}" PARENT_SCOPE)
endfunction()

file(READ ${EXPECTED} expected)
normalise("${actual}" actual)
normalise("${expected}" expected)
if(NOT actual STREQUAL expected)
  get_filename_component(name ${SCENARIO} NAME_WE)
  set(wanted ${CMAKE_CURRENT_BINARY_DIR}/${name}.expected)
  set(played ${CMAKE_CURRENT_BINARY_DIR}/${name}.actual)
  file(WRITE ${wanted} "${expected}")
  file(WRITE ${played} "${actual}")
  execute_process(COMMAND diff -u ${wanted} ${played})
  message(FATAL_ERROR "${SCENARIO} printed other than ${EXPECTED}; what it printed is in ${played}")
endif()
