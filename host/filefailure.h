#pragma once

#include <QString>

class QFileDevice;

namespace host {

// The system's number for why the call just made failed: errno, or GetLastError() on
// Windows. Read it at once, before anything else can change it.
int lastSystemError();

// Why a file operation failed, in words a player understands: the folder is missing,
// a folder stands where the file should be, permission was denied, the disk is full.
// The cause comes from systemError (lastSystemError() right after the failure), never
// from the system's wording, which changes with its language.
QString describeFileFailure(const QString &hostPath, const QFileDevice &file, int systemError);

// Why opening a QSaveFile failed: it makes its new file beside the old one, so a folder
// that may not take a new file is the cause even where the file itself may be written.
QString describeSaveFailure(const QString &hostPath, const QFileDevice &file, int systemError);

// Whether the system error says the disk is full: the player frees space, not a folder.
bool isDiskFull(int systemError);

// The same for a system error number alone, from an operation on the file at hostPath:
// which folder is missing or may not be entered, a path too long for the system.
QString describeSystemError(int systemError, const QString &hostPath);

} // namespace host
