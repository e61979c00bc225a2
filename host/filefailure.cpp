#include "host/filefailure.h"

#include <QDir>
#include <QFile>
#include <QFileDevice>
#include <QFileInfo>

#include <algorithm>
#include <cerrno>
#include <cstring>

#ifdef Q_OS_UNIX
#include <unistd.h>
#endif

namespace host {

namespace {

const QString diskFull = QStringLiteral("the disk is full");

// The folders from the top down to the one holding the file.
QStringList foldersAbove(const QString &hostPath)
{
    QStringList folders;
    for (QString folder = QFileInfo(hostPath).absolutePath();; folder = QFileInfo(folder).absolutePath()) {
        folders.prepend(folder);
        if (QDir(folder).isRoot() || folder.isEmpty())
            break;
    }
    return folders;
}

QString missingFolder(const QString &hostPath)
{
    for (const QString &folder : foldersAbove(hostPath)) {
        const QFileInfo info(folder);
        if (info.exists() && !info.isDir())
            return QStringLiteral("\"%1\" is a file, not a folder").arg(folder);
        if (!info.exists())
            return QStringLiteral("the folder \"%1\" does not exist").arg(folder);
    }
    return QStringLiteral("the file is a link to something that does not exist");
}

QString permissionDenied(const QString &hostPath)
{
#ifdef Q_OS_UNIX
    for (const QString &folder : foldersAbove(hostPath)) {
        if (::access(QFile::encodeName(folder).constData(), X_OK) != 0)
            return QStringLiteral("you may not enter the folder \"%1\"").arg(folder);
    }
#endif
    if (QFileInfo::exists(hostPath))
        return QStringLiteral("permission was denied (the file is read-only)");
    return QStringLiteral("permission was denied (you may not write in the folder \"%1\")")
        .arg(QFileInfo(hostPath).absolutePath());
}

QString tooLong(const QString &hostPath)
{
    return QStringLiteral("the path is too long for this system (%1 characters; a folder or file "
                          "name may have at most 255)")
        .arg(hostPath.size());
}

// Windows says "not found" for a name over 255 characters; the length is the cause.
bool hasOverlongName(const QString &hostPath)
{
    const QStringList names = QDir::fromNativeSeparators(hostPath).split(u'/');
    return std::any_of(names.begin(), names.end(), [](const QString &name) { return name.size() > 255; });
}

} // namespace

QString describeSystemError(int errorNumber, const QString &hostPath)
{
    switch (errorNumber) {
    case ENOENT:
    case ENOTDIR:
        return missingFolder(hostPath);
    case EACCES:
    case EPERM:
        return permissionDenied(hostPath);
    case ENAMETOOLONG:
        return tooLong(hostPath);
    case EISDIR:
        return QStringLiteral("a folder stands where the file should be");
    case ENOSPC:
#ifdef EDQUOT
    case EDQUOT:
#endif
        return diskFull;
#ifdef EROFS
    case EROFS:
        return QStringLiteral("the disk is read-only");
#endif
#ifdef ELOOP
    case ELOOP:
        return QStringLiteral("the path runs in a loop of links");
#endif
    default:
        return QString::fromLocal8Bit(std::strerror(errorNumber)).toLower();
    }
}

QString describeFileFailure(const QString &hostPath, const QFileDevice &file)
{
    if (hasOverlongName(hostPath))
        return tooLong(hostPath);
    const QFileInfo info(hostPath);
    if (info.isDir())
        return QStringLiteral("a folder stands where the file should be");
    const QString folder = info.absolutePath();
    if (!QFileInfo(folder).isDir())
        return missingFolder(hostPath);

    const QString reason = file.errorString();
    if (reason.contains(QLatin1String("No space"), Qt::CaseInsensitive)
        || reason.contains(QLatin1String("quota"), Qt::CaseInsensitive)) {
        return diskFull;
    }
    if (reason.contains(QLatin1String("Read-only file system"), Qt::CaseInsensitive))
        return QStringLiteral("the disk is read-only");
    if (file.error() == QFileDevice::PermissionsError
        || reason.contains(QLatin1String("Permission denied"), Qt::CaseInsensitive)
        || reason.contains(QLatin1String("Access is denied"), Qt::CaseInsensitive)) {
        return permissionDenied(hostPath);
    }
    return reason.isEmpty() ? QStringLiteral("the system gave no reason") : reason.toLower();
}

} // namespace host
