# Registers a short CTest run of every fuzz target built in the clang fuzz build.
# A target that has not been built is reported as skipped.
set(PRYX_FUZZ_BINARY_DIR ${CMAKE_BINARY_DIR}/fuzz CACHE PATH "The clang build folder of the fuzz targets")
set(PRYX_FUZZ_SMOKE_SECONDS 25 CACHE STRING "How long CTest runs each fuzz target")

function(pryx_fuzz_target name)
  add_test(NAME fuzz_${name}
           COMMAND ${PROJECT_SOURCE_DIR}/fuzz/run-smoke ${PRYX_FUZZ_BINARY_DIR}/bin/fuzz_${name}
                   ${PROJECT_SOURCE_DIR}/fuzz/corpus/${name} ${PRYX_FUZZ_SMOKE_SECONDS}
                   ${CMAKE_BINARY_DIR}/fuzz-findings)
  set_tests_properties(fuzz_${name} PROPERTIES SKIP_RETURN_CODE 77 TIMEOUT 300 LABELS fuzz)
  set(pryx_fuzz_programs ${pryx_fuzz_programs} ${PRYX_FUZZ_BINARY_DIR}/bin/fuzz_${name} PARENT_SCOPE)
endfunction()

include(${CMAKE_CURRENT_LIST_DIR}/targets.cmake)
