# Stages the runtime, everything a distribution carries besides the game, into OUTPUT:
# the player and the display library of the release build, stripped, the player
# finding lib/ through its run path; in lib/ every shared library they and the
# window's Qt platform plugin need, except those left to the system
# (SYSTEM_LIBRARIES), and their licences in licences/, each library of REPLACEMENTS
# (built by the kit) in place of the one of its name; the SoundFont, the fonts and
# their licences. OUTPUT/files.txt lists every staged file: the distribution
# builders copy exactly these.
#
# cmake -DPLAYER=... -DLIBRARY=... -DQT_PLUGIN_DIR=... -DPLUGINS=platforms/libqxcb.so
#       -DSOUNDFONT=... -DFONTS=a.ttf;b.ttf -DLICENCES=source=name;... -DSTRIP=... -DPATCHELF=...
#       -DSYSTEM_LIBRARIES=system-libraries.txt -DLIBRARY_FOLDER=lib -DPLUGIN_FOLDER=lib/plugins
#       [-DREPLACEMENTS=lib.so.N;...] -DOUTPUT=... -P stage_runtime.cmake
cmake_minimum_required(VERSION 3.25)

foreach(required PLAYER LIBRARY QT_PLUGIN_DIR PLUGINS SOUNDFONT FONTS LICENCES STRIP PATCHELF SYSTEM_LIBRARIES
                 LIBRARY_FOLDER PLUGIN_FOLDER OUTPUT)
  if(NOT DEFINED ${required})
    message(FATAL_ERROR "stage_runtime: ${required} is not given")
  endif()
endforeach()

file(REMOVE_RECURSE ${OUTPUT})
file(MAKE_DIRECTORY ${OUTPUT}/${LIBRARY_FOLDER})
set(staged "")
set(bundled "")

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

file(STRINGS ${SYSTEM_LIBRARIES} system_patterns REGEX "^[^#]")
file(GET_RUNTIME_DEPENDENCIES
  EXECUTABLES ${PLAYER}
  LIBRARIES ${LIBRARY}
  MODULES ${modules}
  RESOLVED_DEPENDENCIES_VAR dependencies
  UNRESOLVED_DEPENDENCIES_VAR unresolved)
if(unresolved)
  message(FATAL_ERROR "stage_runtime: libraries not found: ${unresolved}")
endif()
foreach(dependency IN LISTS dependencies)
  get_filename_component(name ${dependency} NAME)
  set(left_to_system FALSE)
  foreach(pattern IN LISTS system_patterns)
    if(name MATCHES "${pattern}")
      set(left_to_system TRUE)
      break()
    endif()
  endforeach()
  if(NOT left_to_system)
    set(source ${dependency})
    foreach(replacement IN LISTS REPLACEMENTS)
      get_filename_component(replacement_name ${replacement} NAME)
      if(replacement_name STREQUAL name)
        set(source ${replacement})
        list(REMOVE_ITEM REPLACEMENTS ${replacement})
      endif()
    endforeach()
    stage(${source} ${LIBRARY_FOLDER}/${name})
    list(APPEND bundled ${dependency})
  endif()
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

file(REAL_PATH ${SOUNDFONT} soundfont_file)
get_filename_component(soundfont_real_name ${soundfont_file} NAME)
stage(${soundfont_file} ${soundfont_real_name})
foreach(font IN LISTS FONTS)
  get_filename_component(name ${font} NAME)
  stage(${font} ${name})
endforeach()
foreach(licence IN LISTS LICENCES)
  string(REPLACE "=" ";" parts ${licence})
  list(GET parts 0 source)
  list(GET parts 1 name)
  stage(${source} ${name})
endforeach()

list(SORT staged)
list(JOIN staged "\n" listing)
file(WRITE ${OUTPUT}/files.txt "${listing}\n")
