#pragma once

#include <QString>

namespace binds {

// The status box after a Quake 3 "Add": " Added ", the first five characters of the
// text to say, then "....".
QString quake3Status(const QString &status, const QString &say);

// The status box after an RTCW "Add".
QString rtcwStatus(const QString &status);

// The first n characters as the player sees them: a surrogate pair or a letter with its
// combining marks is never split.
QString firstCharacters(const QString &text, int n);

} // namespace binds
