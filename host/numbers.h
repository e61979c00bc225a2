#pragma once

#include <QString>

namespace host {

// A number as the program's English messages write it: "131,071".
QString englishNumber(qint64 n);

} // namespace host
