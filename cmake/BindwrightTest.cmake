# One place that turns a test source into a CTest test: headless, with a fixed
# UTF-8 locale so the 8-bit code page is the same on every machine. In a Windows
# build the tests run under Wine (see tests/windows/), named win_<test>.
set(BINDWRIGHT_TEST_ENVIRONMENT "QT_QPA_PLATFORM=offscreen;LANG=C.UTF-8;LC_ALL=C.UTF-8")

# The labels, each with a target that builds its tests (ctest -L LABEL runs them):
#   library - the QtCore-only libraries' tests and the fuzz targets' corpus replays: make sanitize
#   quick   - those and the window tests, seconds in all: make check
# Every other test (the real engines, the real executable, the package, Wine) is in make test only.
add_custom_target(library_tests)
add_custom_target(quick_tests)

# Gives a test its labels, and makes the label's target build what runs it.
function(bindwright_label_test test target)
    set_property(TEST ${test} APPEND PROPERTY LABELS ${ARGN})
    foreach(label ${ARGN})
        if(TARGET ${label}_tests)
            add_dependencies(${label}_tests ${target})
        endif()
    endforeach()
endfunction()

function(bindwright_add_test name)
    cmake_parse_arguments(ARG "" "" "SOURCES;LIBS;LABELS" ${ARGN})
    qt_add_executable(${name} ${ARG_SOURCES})
    target_include_directories(${name} PRIVATE ${PROJECT_SOURCE_DIR}/tests)
    target_link_libraries(${name} PRIVATE Qt6::Test ${ARG_LIBS})
    get_target_property(qt_type Qt6::Core TYPE)
    if(qt_type STREQUAL "STATIC_LIBRARY")
        # A static Qt links only the plugins it is told of; the window tests run offscreen.
        qt_import_plugins(${name} INCLUDE Qt6::QOffscreenIntegrationPlugin)
    endif()
    if(CMAKE_CROSSCOMPILING)
        bindwright_add_wine_test(${name})
    else()
        add_test(NAME ${name} COMMAND ${name})
        set_tests_properties(${name} PROPERTIES
            ENVIRONMENT "${BINDWRIGHT_TEST_ENVIRONMENT}"
            TIMEOUT 120)
        if(ARG_LABELS)
            bindwright_label_test(${name} ${name} ${ARG_LABELS})
        endif()
    endif()
endfunction()

# Runs cases of a test as an ordinary user (tests/run_as_user.sh): those that skip as
# root, since root may enter any folder and write any file. The cases after WINE run so
# under Wine in a Windows build (tests/windows/wine_as_user.sh): Wine run by root writes
# a read-only file too.
function(bindwright_add_user_test name)
    cmake_parse_arguments(ARG "" "" "WINE" ${ARGN})
    if(CMAKE_CROSSCOMPILING)
        if(NOT ARG_WINE)
            return()
        endif()
        add_test(NAME win_${name}_as_user
                 COMMAND ${PROJECT_SOURCE_DIR}/tests/windows/wine_as_user.sh ${WINE64} $<TARGET_FILE:${name}> ${ARG_WINE})
        set_tests_properties(win_${name}_as_user PROPERTIES
            ENVIRONMENT "${BINDWRIGHT_WINE_ENVIRONMENT}" FIXTURES_REQUIRED wine
            FAIL_REGULAR_EXPRESSION "SKIP   :" TIMEOUT 300)
        return()
    endif()
    add_test(NAME ${name}_as_user COMMAND ${PROJECT_SOURCE_DIR}/tests/run_as_user.sh $<TARGET_FILE:${name}>
                                          ${ARG_UNPARSED_ARGUMENTS})
    set_tests_properties(${name}_as_user PROPERTIES
        ENVIRONMENT "${BINDWRIGHT_TEST_ENVIRONMENT}"
        # A case that still skips here was not tried: that is a failure.
        FAIL_REGULAR_EXPRESSION "SKIP   :"
        TIMEOUT 120)
    bindwright_label_test(${name}_as_user ${name} quick)
endfunction()
