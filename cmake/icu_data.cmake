# The runtime's ICU data library. Debian's libicudata holds 31 MB of ICU data, of
# which the player needs next to nothing: a library the kit links, with the same
# soname and data symbol, holds only the items of cmake/icu-data-items.txt and
# takes its place in the runtime's lib/ (the licence stays that of Debian's).
find_program(PRYX_ICUPKG icupkg PATHS /usr/sbin REQUIRED)
find_library(PRYX_SYSTEM_ICU_DATA icudata REQUIRED)
file(REAL_PATH ${PRYX_SYSTEM_ICU_DATA} system_icu_data)
set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${system_icu_data})
execute_process(COMMAND ${CMAKE_OBJDUMP} -p ${system_icu_data} OUTPUT_VARIABLE headers COMMAND_ERROR_IS_FATAL ANY)
if(NOT headers MATCHES "SONAME +([^\n]+)")
  message(FATAL_ERROR "${system_icu_data} has no soname")
endif()
set(PRYX_ICU_DATA_NAME ${CMAKE_MATCH_1})
set(PRYX_ICU_DATA_ITEMS ${PROJECT_SOURCE_DIR}/cmake/icu-data-items.txt)
set(PRYX_ICU_DATA_TOOLS -DNM=${CMAKE_NM} -DOBJDUMP=${CMAKE_OBJDUMP} -DICUPKG=${PRYX_ICUPKG}
                        -DITEMS=${PRYX_ICU_DATA_ITEMS})
set(icu_data_library ${CMAKE_BINARY_DIR}/icu-data/${PRYX_ICU_DATA_NAME})
add_custom_command(
  OUTPUT ${icu_data_library}
  COMMAND ${CMAKE_COMMAND} -DMODE=cut -DSYSTEM_LIBRARY=${system_icu_data} -DOUTPUT=${icu_data_library}
          -DWORK=${CMAKE_BINARY_DIR}/icu-data/work -DCC=${CMAKE_C_COMPILER} ${PRYX_ICU_DATA_TOOLS}
          -P ${PROJECT_SOURCE_DIR}/cmake/icu_data_package.cmake
  DEPENDS ${system_icu_data} ${PRYX_ICU_DATA_ITEMS} ${PROJECT_SOURCE_DIR}/cmake/icu_data_package.cmake
  COMMENT "Cutting ICU's data down to cmake/icu-data-items.txt"
  VERBATIM)
list(APPEND PRYX_RUNTIME_REPLACEMENTS ${icu_data_library})
