#pragma once

#include <QString>

class QFileDevice;

namespace host {

// Why a file operation failed, in words a player understands: the folder is missing,
// a folder stands where the file should be, permission was denied, the disk is full.
QString describeFileFailure(const QString &hostPath, const QFileDevice &file);

} // namespace host
