# Compiles keynames.txt into a C++ table: one entry a name, with its key number and whether only
# ioquake3 and iortcw know it. Run at configure time; editing the list reconfigures.
function(bindwright_generate_keynames source output)
    set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${source})
    file(STRINGS ${source} lines)
    set(entries "")
    foreach(line IN LISTS lines)
        if(line MATCHES "^#" OR line STREQUAL "")
            continue()
        endif()
        if(line MATCHES "^([^ ]+) ([0-9]+) io$")
            string(APPEND entries "    {\"${CMAKE_MATCH_1}\", ${CMAKE_MATCH_2}, true},\n")
        elseif(line MATCHES "^([^ ]+) ([0-9]+)$")
            string(APPEND entries "    {\"${CMAKE_MATCH_1}\", ${CMAKE_MATCH_2}, false},\n")
        else()
            message(FATAL_ERROR "${source}: not a key name line: ${line}")
        endif()
    endforeach()
    file(CONFIGURE OUTPUT ${output} CONTENT "// Made by keynames.cmake from keynames.txt; edit that file instead.
#include \"binds/keys.h\"

namespace binds {

std::span<const KeyName> keyNames()
{
    static constexpr KeyName names[] = {
@entries@    };
    return names;
}

} // namespace binds
" @ONLY)
endfunction()
