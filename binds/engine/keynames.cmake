# Compiles keynames.txt into a C++ table: one entry a name, with its key numbers and the
# engines that know it. Run at configure time; editing the list reconfigures.
function(bindwright_generate_keynames source output)
    set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${source})
    file(STRINGS ${source} lines)
    set(entries "")
    foreach(line IN LISTS lines)
        if(line MATCHES "^#" OR line STREQUAL "")
            continue()
        endif()
        if(NOT line MATCHES "^([^ ]+) ([0-9]+) (.+)$")
            message(FATAL_ERROR "${source}: not a key name line: ${line}")
        endif()
        set(name ${CMAKE_MATCH_1})
        set(number ${CMAKE_MATCH_2})
        string(REPLACE " " ";" engines "${CMAKE_MATCH_3}")
        set(sets "0")
        set(quake3eNumber ${number})
        foreach(engine IN LISTS engines)
            if(engine STREQUAL "id")
                string(APPEND sets " | IdKeys")
            elseif(engine STREQUAL "io")
                string(APPEND sets " | IoKeys")
            elseif(engine STREQUAL "cnq3")
                string(APPEND sets " | Cnq3Keys")
            elseif(engine MATCHES "^q3e(=([0-9]+))?$")
                string(APPEND sets " | Quake3eKeys")
                if(CMAKE_MATCH_2)
                    set(quake3eNumber ${CMAKE_MATCH_2})
                endif()
            else()
                message(FATAL_ERROR "${source}: no engine \"${engine}\" in: ${line}")
            endif()
        endforeach()
        string(APPEND entries "    {\"${name}\", ${number}, ${quake3eNumber}, ${sets}},\n")
    endforeach()
    file(CONFIGURE OUTPUT ${output} CONTENT "// Made by keynames.cmake from keynames.txt; edit that file instead.
#include \"binds/engine/keys.h\"

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
