# A Windows build's tests run under Wine, in one prefix made afresh once per test run
# (fixture "wine"). Debian puts wine64 in /usr/lib/wine.
find_program(WINE64 wine64 PATHS /usr/lib/wine)
if(NOT WINE64)
    message(WARNING "wine64 not found (Debian: wine64): the Windows tests cannot run")
    set(WINE64 wine64)
endif()
set(BINDWRIGHT_WINE_PREFIX ${PROJECT_BINARY_DIR}/wineprefix)
set(wineprefix_script ${PROJECT_SOURCE_DIR}/tests/windows/wineprefix.sh)

add_test(NAME win_prefix COMMAND ${wineprefix_script} setup ${WINE64} ${BINDWRIGHT_WINE_PREFIX})
set_tests_properties(win_prefix PROPERTIES FIXTURES_SETUP wine TIMEOUT 300)
add_test(NAME win_prefix_stop COMMAND ${wineprefix_script} stop ${WINE64} ${BINDWRIGHT_WINE_PREFIX})
set_tests_properties(win_prefix_stop PROPERTIES FIXTURES_CLEANUP wine)

# An English Windows: the ANSI code page is Windows-1252.
set(BINDWRIGHT_WINE_ENVIRONMENT
    "WINEPREFIX=${BINDWRIGHT_WINE_PREFIX};WINEDEBUG=-all;DISPLAY=;LANG=en_US.UTF-8;LC_ALL=en_US.UTF-8")

function(bindwright_add_wine_test name)
    add_test(NAME win_${name} COMMAND ${WINE64} $<TARGET_FILE:${name}>)
    set_tests_properties(win_${name} PROPERTIES
        FIXTURES_REQUIRED wine ENVIRONMENT "${BINDWRIGHT_WINE_ENVIRONMENT}" TIMEOUT 300)
endfunction()
