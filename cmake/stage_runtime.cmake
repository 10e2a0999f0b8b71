# Stages the runtime, everything a distribution carries besides the game, into OUTPUT:
# the player and the display library of the release build, stripped, the player
# finding lib/ through its run path; in lib/ every shared library they and the
# window's Qt platform plugin reach other than through one left to the system
# (SYSTEM_LIBRARIES), checked once staged, each library of REPLACEMENTS (built by the
# kit) in place of the one of its name, and their licences in licences/; the
# SoundFont, the fonts and their licences (SHIPPED, from shipped_files.cmake).
# OUTPUT/files.txt lists every staged file: the distribution builders copy exactly these.
#
# cmake -DPLAYER=... -DLIBRARY=... -DQT_PLUGIN_DIR=... -DPLUGINS=platforms/libqxcb.so
#       -DSHIPPED=source=name;... -DSTRIP=... -DPATCHELF=... -DREADELF=...
#       -DSYSTEM_LIBRARIES=system-libraries.txt -DLIBRARY_FOLDER=lib -DPLUGIN_FOLDER=lib/plugins
#       [-DREPLACEMENTS=lib.so.N;...] -DOUTPUT=... -P stage_runtime.cmake
cmake_minimum_required(VERSION 3.25)

foreach(required PLAYER LIBRARY QT_PLUGIN_DIR PLUGINS SHIPPED STRIP PATCHELF READELF SYSTEM_LIBRARIES
                 LIBRARY_FOLDER PLUGIN_FOLDER OUTPUT)
  if(NOT DEFINED ${required})
    message(FATAL_ERROR "stage_runtime: ${required} is not given")
  endif()
endforeach()

file(REMOVE_RECURSE ${OUTPUT})
file(MAKE_DIRECTORY ${OUTPUT}/${LIBRARY_FOLDER})
set(staged "")

function(run)
  execute_process(COMMAND ${ARGN} RESULT_VARIABLE status)
  if(NOT status EQUAL 0)
    message(FATAL_ERROR "stage_runtime: failed (${status}): ${ARGN}")
  endif()
endfunction()

# A file copied under `name` (relative to OUTPUT), its links followed.
macro(stage source name)
  get_filename_component(folder ${OUTPUT}/${name} DIRECTORY)
  file(MAKE_DIRECTORY ${folder})
  file(COPY_FILE ${source} ${OUTPUT}/${name})
  list(APPEND staged ${name})
endmacro()

get_filename_component(player_name ${PLAYER} NAME)
get_filename_component(library_name ${LIBRARY} NAME)
run(${STRIP} --strip-all -o ${OUTPUT}/${player_name} ${PLAYER})
run(${STRIP} --strip-unneeded -o ${OUTPUT}/${library_name} ${LIBRARY})
# A run path (not a run-time path) holds for the libraries' own dependencies too.
run(${PATCHELF} --force-rpath --set-rpath "$ORIGIN/${LIBRARY_FOLDER}" ${OUTPUT}/${player_name})
list(APPEND staged ${player_name} ${library_name})

set(modules "")
foreach(plugin IN LISTS PLUGINS)
  stage(${QT_PLUGIN_DIR}/${plugin} ${PLUGIN_FOLDER}/${plugin})
  list(APPEND modules ${QT_PLUGIN_DIR}/${plugin})
endforeach()

# A library left to the system is neither bundled nor looked into: what it needs is
# the system's too.
file(STRINGS ${SYSTEM_LIBRARIES} system_patterns REGEX "^[^#]")
file(GET_RUNTIME_DEPENDENCIES
  EXECUTABLES ${PLAYER}
  LIBRARIES ${LIBRARY}
  MODULES ${modules}
  PRE_EXCLUDE_REGEXES ${system_patterns}
  RESOLVED_DEPENDENCIES_VAR bundled
  UNRESOLVED_DEPENDENCIES_VAR unresolved)
if(unresolved)
  message(FATAL_ERROR "stage_runtime: libraries not found: ${unresolved}")
endif()
foreach(library IN LISTS bundled)
  get_filename_component(name ${library} NAME)
  set(source ${library})
  foreach(replacement IN LISTS REPLACEMENTS)
    get_filename_component(replacement_name ${replacement} NAME)
    if(replacement_name STREQUAL name)
      set(source ${replacement})
      list(REMOVE_ITEM REPLACEMENTS ${replacement})
    endif()
  endforeach()
  stage(${source} ${LIBRARY_FOLDER}/${name})
endforeach()
if(REPLACEMENTS)
  message(FATAL_ERROR "stage_runtime: no library needed is named as ${REPLACEMENTS}")
endif()

# Each library travels with the copyright file of its Debian package, which holds
# its licence (the LGPL of Qt and FluidSynth, among others), as licences/PACKAGE.txt.
foreach(library IN LISTS bundled)
  file(REAL_PATH ${library} real)
  string(REGEX REPLACE "^/usr/" "/" unmerged ${real})  # dpkg may know the file by its path before /usr merged
  execute_process(COMMAND dpkg-query -S ${real} OUTPUT_VARIABLE owner RESULT_VARIABLE status ERROR_QUIET)
  if(NOT status EQUAL 0)
    execute_process(COMMAND dpkg-query -S ${unmerged} OUTPUT_VARIABLE owner RESULT_VARIABLE status ERROR_QUIET)
  endif()
  string(REGEX REPLACE ":.*" "" package "${owner}")
  if(NOT status EQUAL 0 OR NOT EXISTS /usr/share/doc/${package}/copyright)
    message(FATAL_ERROR "stage_runtime: no licence found for ${library}")
  endif()
  if(NOT licences/${package}.txt IN_LIST staged)
    stage(/usr/share/doc/${package}/copyright licences/${package}.txt)
  endif()
endforeach()

foreach(shipped IN LISTS SHIPPED)
  string(REPLACE "=" ";" parts ${shipped})
  list(GET parts 0 source)
  list(GET parts 1 name)
  stage(${source} ${name})
endforeach()

run(${CMAKE_COMMAND} -DRUNTIME=${OUTPUT} -DLIBRARY_FOLDER=${LIBRARY_FOLDER} -DSYSTEM_LIBRARIES=${SYSTEM_LIBRARIES}
    -DREADELF=${READELF} -P ${CMAKE_CURRENT_LIST_DIR}/check_bundled_libraries.cmake)

list(SORT staged)
list(JOIN staged "\n" listing)
file(WRITE ${OUTPUT}/files.txt "${listing}\n")
