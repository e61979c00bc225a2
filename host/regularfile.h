#pragma once

#include <QString>

class QFile;
class QFileDevice;
class QSaveFile;

namespace host {

enum class OpenFor {
    Append, // read and append; created when missing
    Read,
};

// Opens the file at a host path when it is a regular file, or creates one for Append.
// A FIFO, socket or device is refused instead of opened: opening never blocks, and a
// line written there would be lost. On failure the file stays closed and error says
// why in plain words ("the folder \"/x\" does not exist").
bool openRegularFile(QFile &file, const QString &hostPath, OpenFor purpose, QString *error = nullptr);

// Writes bytes through a QSaveFile the caller opened, and lets it replace the old file
// only once they are on the disk; false with the reason otherwise, the old file kept.
// Never close() a QSaveFile: commit() decides whether the old file is replaced.
bool writeAndCommit(QSaveFile &file, const QByteArray &bytes, QString *error = nullptr);

// Waits until what was written to the open file is on the disk; false with the reason
// when the disk refuses it (a full disk may only say so here).
bool syncToDisk(QFileDevice &file, QString *error = nullptr);

} // namespace host
