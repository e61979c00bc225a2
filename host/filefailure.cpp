#include "host/filefailure.h"

#include <QFileDevice>
#include <QFileInfo>

namespace host {

QString describeFileFailure(const QString &hostPath, const QFileDevice &file)
{
    const QFileInfo info(hostPath);
    if (info.isDir())
        return QStringLiteral("a folder stands where the file should be");
    const QString folder = info.absolutePath();
    if (!QFileInfo(folder).isDir())
        return QStringLiteral("the folder \"%1\" does not exist").arg(folder);

    const QString reason = file.errorString();
    if (reason.contains(QLatin1String("No space"), Qt::CaseInsensitive))
        return QStringLiteral("the disk is full");
    if (file.error() == QFileDevice::PermissionsError
        || reason.contains(QLatin1String("Permission denied"), Qt::CaseInsensitive)
        || reason.contains(QLatin1String("Access is denied"), Qt::CaseInsensitive)
        || reason.contains(QLatin1String("Read-only file system"), Qt::CaseInsensitive)) {
        return QStringLiteral("permission was denied (the file or its folder may be read-only)");
    }
    return reason.isEmpty() ? QStringLiteral("the system gave no reason") : reason.toLower();
}

} // namespace host
