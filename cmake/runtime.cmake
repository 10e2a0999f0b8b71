# The runtime a distribution carries, staged into bin/runtime beside pryx and
# PRYXTOOL, which copy it into every distribution. Its player and display library
# come from a Release build of their own in release/ (optimised, no debug
# information, stripped when staged), built alongside this one.
include(ExternalProject)

find_program(PRYX_PATCHELF patchelf REQUIRED)
set(PRYX_RELEASE_DIR ${CMAKE_BINARY_DIR}/release)
set(PRYX_RELEASE_PLAYER ${PRYX_RELEASE_DIR}/bin/PRYXPlayer)
set(PRYX_RELEASE_LIBRARY ${PRYX_RELEASE_DIR}/bin/libZORVEX.so)
# The names platform/distribution_files.h gives the folder and its list.
set(PRYX_RUNTIME_DIR ${CMAKE_BINARY_DIR}/bin/runtime)
set(PRYX_RELEASE_JOBS 2 CACHE STRING "Jobs of the release build of the player")

# Optimised as the development build is (GCC 12 warns falsely at -O3, -Wrestrict).
set(release_arguments -DCMAKE_BUILD_TYPE=Release "-DCMAKE_C_FLAGS_RELEASE=-O2 -DNDEBUG"
                      "-DCMAKE_CXX_FLAGS_RELEASE=-O2 -DNDEBUG" -DPRYX_BUILD_TESTS=OFF -DPRYX_BUILD_BENCH=OFF
                      -DPRYX_STAGE_RUNTIME=OFF -DPRYX_WERROR=${PRYX_WERROR})
foreach(launcher CMAKE_C_COMPILER_LAUNCHER CMAKE_CXX_COMPILER_LAUNCHER)
  if(${launcher})
    list(APPEND release_arguments -D${launcher}=${${launcher}})
  endif()
endforeach()
ExternalProject_Add(release_programs
  SOURCE_DIR ${PROJECT_SOURCE_DIR}
  BINARY_DIR ${PRYX_RELEASE_DIR}
  CMAKE_ARGS ${release_arguments}
  BUILD_COMMAND ${CMAKE_COMMAND} --build <BINARY_DIR> --target PRYXPlayer ZORVEX --parallel ${PRYX_RELEASE_JOBS}
  BUILD_ALWAYS ON
  BUILD_BYPRODUCTS ${PRYX_RELEASE_PLAYER} ${PRYX_RELEASE_LIBRARY}
  INSTALL_COMMAND ""
  USES_TERMINAL_BUILD ON)

# Where Qt lies on the building machine (Debian); the SoundFont and the fonts.
find_package(Qt6 REQUIRED COMPONENTS Core)
set(PRYX_QT_PLUGIN_DIR ${QT6_INSTALL_PREFIX}/${QT6_INSTALL_PLUGINS} CACHE PATH "Qt's plugins, copied into the runtime")
include(${CMAKE_CURRENT_LIST_DIR}/shipped_files.cmake)

include(${PROJECT_SOURCE_DIR}/cmake/icu_data.cmake)

set(PRYX_RUNTIME_LIST ${PRYX_RUNTIME_DIR}/files.txt)
add_custom_command(
  OUTPUT ${PRYX_RUNTIME_LIST}
  COMMAND ${CMAKE_COMMAND} -DPLAYER=${PRYX_RELEASE_PLAYER} -DLIBRARY=${PRYX_RELEASE_LIBRARY}
          -DQT_PLUGIN_DIR=${PRYX_QT_PLUGIN_DIR} -DPLUGINS=platforms/libqxcb.so
          "-DSHIPPED=${PRYX_SHIPPED_FILES}"
          -DSTRIP=${CMAKE_STRIP} -DPATCHELF=${PRYX_PATCHELF} -DREADELF=${CMAKE_READELF}
          -DSYSTEM_LIBRARIES=${PROJECT_SOURCE_DIR}/cmake/system-libraries.txt
          -DLIBRARY_FOLDER=${PRYX_RUNTIME_LIBRARY_FOLDER} -DPLUGIN_FOLDER=${PRYX_RUNTIME_PLUGIN_FOLDER}
          "-DREPLACEMENTS=${PRYX_RUNTIME_REPLACEMENTS}" -DOUTPUT=${PRYX_RUNTIME_DIR} -P ${PROJECT_SOURCE_DIR}/cmake/stage_runtime.cmake
  DEPENDS ${PRYX_RELEASE_PLAYER} ${PRYX_RELEASE_LIBRARY} ${PROJECT_SOURCE_DIR}/cmake/stage_runtime.cmake
          ${PROJECT_SOURCE_DIR}/cmake/check_bundled_libraries.cmake
          ${PROJECT_SOURCE_DIR}/cmake/shipped_files.cmake
          ${PROJECT_SOURCE_DIR}/cmake/system-libraries.txt ${PRYX_RUNTIME_REPLACEMENTS}
  COMMENT "Staging the distribution runtime in ${PRYX_RUNTIME_DIR}"
  VERBATIM)
add_custom_target(player_runtime ALL DEPENDS ${PRYX_RUNTIME_LIST})
add_dependencies(player_runtime release_programs)
# An installed kit keeps its runtime beside its programs, as the build does.
install(DIRECTORY ${PRYX_RUNTIME_DIR}/ DESTINATION bin/runtime USE_SOURCE_PERMISSIONS)
