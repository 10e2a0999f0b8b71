# The command-line kit cross-built for Windows (make windows, into build/windows) runs
# under Wine: its core tests, the project tests that build there, and pryx.exe
# against this build's pryx. Skipped with the reason when Wine or the cross build is
# missing.
set(PRYX_WINDOWS_BINARY_DIR ${CMAKE_BINARY_DIR}/windows CACHE PATH "The MinGW-w64 cross build of the command-line kit")
set(pryx_wine_run ${CMAKE_CURRENT_LIST_DIR}/wine-run)
set(pryx_wine_prefix ${CMAKE_BINARY_DIR}/wine-prefix)

# The first start of Wine fills its prefix; the tests that need it wait for it.
add_test(NAME windows_wine_prefix COMMAND ${pryx_wine_run} ${pryx_wine_prefix} wineboot --init)
set_tests_properties(windows_wine_prefix PROPERTIES FIXTURES_SETUP wine_prefix SKIP_RETURN_CODE 77 TIMEOUT 300)

foreach(tests core_tests project_tests)
  add_test(NAME windows_${tests} COMMAND ${pryx_wine_run} ${pryx_wine_prefix} ${PRYX_WINDOWS_BINARY_DIR}/bin/${tests}.exe)
endforeach()
add_test(NAME windows_pryx_matches_linux
         COMMAND ${CMAKE_CURRENT_LIST_DIR}/compare-with-linux $<TARGET_FILE:pryx>
                 ${PRYX_WINDOWS_BINARY_DIR}/bin/pryx.exe ${PROJECT_SOURCE_DIR}/samples/tsukiyo
                 ${CMAKE_BINARY_DIR}/windows-comparison ${pryx_wine_prefix})
set_tests_properties(windows_core_tests windows_project_tests windows_pryx_matches_linux PROPERTIES
                     FIXTURES_REQUIRED wine_prefix SKIP_RETURN_CODE 77 TIMEOUT 600 LABELS windows)
