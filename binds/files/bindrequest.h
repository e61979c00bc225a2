#pragma once

#include <QString>

namespace binds {

// What one "Add" hands to the writer: the key, the command it runs, and the folder
// string whose autoexec.cfg receives the line.
struct BindRequest {
    QString key;
    QString text;
    QString gameFolder; // expected to end in a separator: the file name is appended directly
};

} // namespace binds
