#pragma once

#include <QString>

class QFileDevice;

namespace host {

// Why a file operation failed, in words a player understands: the folder is missing,
// a folder stands where the file should be, permission was denied, the disk is full.
QString describeFileFailure(const QString &hostPath, const QFileDevice &file);

// The same for a system error number (errno) from opening the file at hostPath:
// which folder is missing or may not be entered, a path too long for the system.
QString describeSystemError(int errorNumber, const QString &hostPath);

} // namespace host
