#pragma once

#include <QString>

namespace binds {

// What a Quake 3 "Add" appends to the status box: " Added ", the first five characters
// of the text to say, then "....".
QString quake3StatusNote(const QString &say);

// What an RTCW "Add" appends to the status box.
QString rtcwStatusNote();

} // namespace binds
