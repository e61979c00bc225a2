# Compiles commands.txt into a sorted C++ table of the console words the games know. Run
# at configure time; editing the list reconfigures.
function(bindwright_generate_commands source output)
    set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${source})
    file(STRINGS ${source} lines)
    list(FILTER lines EXCLUDE REGEX "^#|^$")
    list(SORT lines)
    list(REMOVE_DUPLICATES lines)
    set(entries "")
    foreach(line IN LISTS lines)
        string(APPEND entries "    \"${line}\",\n")
    endforeach()
    file(CONFIGURE OUTPUT ${output} CONTENT "// Made by commands.cmake from commands.txt; edit that file instead.
#include \"binds/engine/commands.h\"

#include <algorithm>
#include <cstring>

namespace binds {

bool isKnownConsoleWord(const QByteArray &word)
{
    static constexpr const char *known[] = {
@entries@    };
    if (word.startsWith('+') || word.startsWith('-'))
        return true;
    const QByteArray lower = word.toLower();
    return std::binary_search(std::begin(known), std::end(known), lower.constData(),
                              [](const char *a, const char *b) { return std::strcmp(a, b) < 0; });
}

} // namespace binds
" @ONLY)
endfunction()
