# Every shipped scenario prints exactly its expected output, the .expected file beside it.
file(GLOB SHIPPED_SCENARIOS CONFIGURE_DEPENDS ${PROJECT_SOURCE_DIR}/tools/simulator/scenarios/*.qvs)
foreach(scenario ${SHIPPED_SCENARIOS})
  get_filename_component(name ${scenario} NAME_WE)
  get_filename_component(folder ${scenario} DIRECTORY)
  add_test(NAME scenario_output_${name}
           COMMAND ${CMAKE_COMMAND} -DSIMULATOR=$<TARGET_FILE:quorvel-sim> -DSCENARIO=${scenario}
                   -DEXPECTED=${folder}/${name}.expected -DLIBRARY_FOLDER=${CMAKE_BINARY_DIR}
                   -P ${CMAKE_CURRENT_SOURCE_DIR}/scenarios/compare_scenario.cmake
           WORKING_DIRECTORY ${CMAKE_CURRENT_BINARY_DIR})
endforeach()
