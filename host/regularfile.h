#pragma once

#include <QString>

class QFile;

namespace host {

enum class OpenFor {
    Append, // read and append; created when missing
    Read,
};

// Opens the file at a host path when it is a regular file, or creates one for Append.
// A FIFO, socket or device is refused instead of opened: opening never blocks, and a
// line written there would be lost. On failure the file stays closed and reason says
// why in plain words ("the folder \"/x\" does not exist").
bool openRegularFile(QFile &file, const QString &hostPath, OpenFor purpose, QString *reason);

} // namespace host
