#include "host/filefailure.h"

#include "host/folderstring.h"

#include <QDir>
#include <QFile>
#include <QFileDevice>
#include <QFileInfo>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <system_error>

#ifdef Q_OS_WIN
#include <windows.h>
#endif

#ifdef Q_OS_UNIX
#include <unistd.h>
#endif

namespace host {

namespace {

constexpr QLatin1StringView diskFull("the disk is full");

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

QString permissionDenied(const QString &hostPath);

QString missingFolder(const QString &hostPath)
{
    for (const QString &folder : foldersAbove(hostPath)) {
        const QFileInfo info(folder);
        if (info.exists() && !info.isDir())
            return QStringLiteral("\"%1\" is a file, not a folder").arg(shownPath(folder));
        if (!info.exists())
            return QStringLiteral("the folder \"%1\" does not exist").arg(shownPath(folder));
    }
    if (QFileInfo(hostPath).isSymLink())
        return QStringLiteral("the file is a link to something that does not exist");
#ifdef Q_OS_WIN
    // Every folder is there: Wine says "not found" for a folder this user may not write in.
    return permissionDenied(hostPath);
#else
    return QStringLiteral("the file was taken away while Bindwright used it");
#endif
}

QString permissionDenied(const QString &hostPath)
{
#ifdef Q_OS_UNIX
    for (const QString &folder : foldersAbove(hostPath)) {
        if (::access(QFile::encodeName(folder).constData(), X_OK) != 0)
            return QStringLiteral("you may not enter the folder \"%1\"").arg(shownPath(folder));
    }
    const QByteArray file = QFile::encodeName(hostPath);
    if (QFileInfo::exists(hostPath)) {
        if (::access(file.constData(), R_OK) != 0)
            return QStringLiteral("permission was denied (you may not read the file: change its permissions)");
        if (::access(file.constData(), W_OK) != 0)
            return QStringLiteral("permission was denied (the file is read-only: make it writable)");
        return QStringLiteral("permission was denied (you may not change this file)");
    }
#else
    // The read-only attribute, which is what isWritable() reads on Windows; otherwise
    // the file's permissions keep this user out.
    const QFileInfo file(hostPath);
    if (file.exists() && !file.isWritable())
        return QStringLiteral("permission was denied (the file is read-only: clear Read-only in its Properties)");
    if (file.exists())
        return QStringLiteral("permission was denied (you may not change this file)");
#endif
    return QStringLiteral("permission was denied (you may not write in the folder \"%1\")")
        .arg(shownPath(QFileInfo(hostPath).absolutePath()));
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

// The system's own words, for a cause the program has none for: without a final full
// stop, since the sentence goes on.
QString systemWords(int systemError)
{
    QString words = QString::fromStdString(std::system_category().message(systemError)).trimmed();
    while (words.endsWith(u'.'))
        words.chop(1);
    if (words.isEmpty())
        return QStringLiteral("the system gave no reason (error %1)").arg(systemError);
    return words.front().toLower() + words.mid(1);
}

} // namespace

int lastSystemError()
{
#ifdef Q_OS_WIN
    return int(::GetLastError());
#else
    return errno;
#endif
}

bool isDiskFull(int systemError)
{
#ifdef Q_OS_WIN
    return systemError == ERROR_DISK_FULL || systemError == ERROR_HANDLE_DISK_FULL;
#else
#ifdef EDQUOT
    if (systemError == EDQUOT)
        return true;
#endif
    return systemError == ENOSPC;
#endif
}

QString describeSystemError(int systemError, const QString &hostPath)
{
#ifdef Q_OS_WIN
    switch (systemError) {
    case ERROR_FILE_NOT_FOUND:
    case ERROR_PATH_NOT_FOUND:
    case ERROR_INVALID_NAME:
    case ERROR_BAD_NETPATH:
        return missingFolder(hostPath);
    case ERROR_ACCESS_DENIED:
        return permissionDenied(hostPath);
    case ERROR_ALREADY_EXISTS:
    case ERROR_FILE_EXISTS:
        // Wine's answer when a save would replace a read-only file.
        if (QFileInfo(hostPath).isFile() && !QFileInfo(hostPath).isWritable())
            return permissionDenied(hostPath);
        return systemWords(systemError);
    case ERROR_SHARING_VIOLATION:
    case ERROR_LOCK_VIOLATION:
        return QStringLiteral("another program has the file open; close it (the game, say) and try again");
    case ERROR_FILENAME_EXCED_RANGE:
        return tooLong(hostPath);
    case ERROR_DISK_FULL:
    case ERROR_HANDLE_DISK_FULL:
        return diskFull;
    case ERROR_WRITE_PROTECT:
        return QStringLiteral("the disk is read-only");
    case ERROR_NOT_READY:
        return QStringLiteral("the drive is not ready");
    default:
        return systemWords(systemError);
    }
#else
    switch (systemError) {
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
    case EROFS:
        return QStringLiteral("the disk is read-only");
    case ELOOP:
        return QStringLiteral("the path runs in a loop of links");
    default:
        return systemWords(systemError);
    }
#endif
}

QString describeFileFailure(const QString &hostPath, const QFileDevice &file, int systemError)
{
    if (hasOverlongName(hostPath))
        return tooLong(hostPath);
    const QFileInfo info(hostPath);
    if (info.isDir())
        return QStringLiteral("a folder stands where the file should be");
    if (!QFileInfo(info.absolutePath()).isDir())
        return missingFolder(hostPath);
    if (systemError != 0)
        return describeSystemError(systemError, hostPath);
    // A rename over a read-only file may leave no error number behind: its attribute says why.
    if (file.error() == QFileDevice::PermissionsError || (info.exists() && !info.isWritable()))
        return permissionDenied(hostPath);
    return QStringLiteral("the system gave no reason");
}

QString describeSaveFailure(const QString &hostPath, const QFileDevice &file, int systemError)
{
    const QFileInfo info(hostPath);
    if (hasOverlongName(hostPath) || info.isDir() || !QFileInfo(info.absolutePath()).isDir())
        return describeFileFailure(hostPath, file, systemError);
#ifdef Q_OS_WIN
    // Wine reports a folder it may not write as a path not found.
    const bool folderRefused = systemError == ERROR_ACCESS_DENIED || systemError == ERROR_PATH_NOT_FOUND
        || systemError == ERROR_FILE_NOT_FOUND;
#else
    const bool folderRefused = systemError == EACCES || systemError == EPERM;
#endif
    // A file the user may not change is the cause, whatever the folder allows.
    if (!folderRefused || (info.exists() && !info.isWritable()))
        return describeFileFailure(hostPath, file, systemError);
    return QStringLiteral("you may not make new files in the folder \"%1\", and Bindwright saves a file by writing "
                          "its new copy beside it first, so the old one stays whole if anything fails")
        .arg(shownPath(info.absolutePath()));
}

} // namespace host
