# One place that turns a test source into a CTest test: headless, with a fixed
# UTF-8 locale so the 8-bit code page is the same on every machine. In a Windows
# build the tests run under Wine (see tests/windows/), named win_<test>.
function(bindwright_add_test name)
    cmake_parse_arguments(ARG "" "" "SOURCES;LIBS" ${ARGN})
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
            ENVIRONMENT "QT_QPA_PLATFORM=offscreen;LANG=C.UTF-8;LC_ALL=C.UTF-8"
            TIMEOUT 120)
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
        ENVIRONMENT "QT_QPA_PLATFORM=offscreen;LANG=C.UTF-8;LC_ALL=C.UTF-8"
        # A case that still skips here was not tried: that is a failure.
        FAIL_REGULAR_EXPRESSION "SKIP   :"
        TIMEOUT 120)
endfunction()
