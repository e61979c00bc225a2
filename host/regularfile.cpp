#include "host/regularfile.h"

#include "host/error.h"
#include "host/filefailure.h"

#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

#ifdef Q_OS_WIN
#include <cerrno>
#include <io.h>
#include <windows.h>
#endif

#ifdef Q_OS_UNIX
#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace host {

namespace {

QIODevice::OpenMode modeFor(OpenFor purpose)
{
    // Unbuffered, so a failed write is reported by the write itself.
    return purpose == OpenFor::Append ? QIODevice::ReadWrite | QIODevice::Append | QIODevice::Unbuffered
                                      : QIODevice::ReadOnly;
}

} // namespace

#ifdef Q_OS_UNIX

static QString notRegularFile(mode_t mode)
{
    const char *kind = S_ISFIFO(mode) ? "a named pipe (FIFO)"
        : S_ISSOCK(mode)              ? "a socket"
        : S_ISDIR(mode)               ? "a folder"
                                      : "a device";
    return QStringLiteral("it is %1, not a regular file, so nothing written there would stay; "
                          "remove it or pick another folder")
        .arg(QLatin1String(kind));
}

bool openRegularFile(QFile &file, const QString &hostPath, OpenFor purpose, QString *error)
{
    // O_NONBLOCK: opening a FIFO with no reader or writer would otherwise wait forever.
    int flags = O_CLOEXEC | O_NOCTTY | O_NONBLOCK;
    flags |= purpose == OpenFor::Append ? O_RDWR | O_APPEND | O_CREAT : O_RDONLY;
    const int fd = ::open(QFile::encodeName(hostPath).constData(), flags, 0666);
    if (fd < 0) {
        host::setError(error, describeSystemError(lastSystemError(), hostPath));
        return false;
    }
    struct stat status {
    };
    if (::fstat(fd, &status) != 0 || !S_ISREG(status.st_mode)) {
        host::setError(error, notRegularFile(status.st_mode));
        ::close(fd);
        return false;
    }
    ::fcntl(fd, F_SETFL, ::fcntl(fd, F_GETFL) & ~O_NONBLOCK);
    if (!file.open(fd, modeFor(purpose), QFileDevice::AutoCloseHandle)) {
        host::setError(error, describeFileFailure(hostPath, file, lastSystemError()));
        ::close(fd);
        return false;
    }
    return true;
}

#else

bool openRegularFile(QFile &file, const QString &hostPath, OpenFor purpose, QString *error)
{
    const QFileInfo info(hostPath);
    if (info.exists() && !info.isFile()) {
        host::setError(error,
                       info.isDir() ? QStringLiteral("a folder stands where the file should be")
                                    : QStringLiteral("it is a device, not a regular file; pick another folder"));
        return false;
    }
    file.setFileName(hostPath);
    if (!file.open(modeFor(purpose))) {
        host::setError(error, describeFileFailure(hostPath, file, lastSystemError()));
        return false;
    }
    return true;
}

#endif

bool writeAndCommit(QSaveFile &file, const QByteArray &bytes, QString *error)
{
    // Qt 6.4's commit() renames even when writing out its buffer failed: the new file is
    // flushed and on the disk before commit() may replace the old one.
    const bool written = file.write(bytes) == bytes.size() && file.flush();
    if (!written) {
        host::setError(error, describeFileFailure(file.fileName(), file, lastSystemError()));
    } else if (syncToDisk(file, error)) { // else error says why
        if (file.commit())
            return true;
        host::setError(error, describeFileFailure(file.fileName(), file, lastSystemError()));
    }
    file.cancelWriting();
    return false;
}

bool syncToDisk(QFileDevice &file, QString *error)
{
#ifdef Q_OS_WIN
    // _commit reports through errno, as the C library does.
    const bool synced = ::_commit(file.handle()) == 0;
    const int cause = errno == ENOSPC ? ERROR_DISK_FULL : errno == EACCES ? ERROR_ACCESS_DENIED : ERROR_WRITE_FAULT;
#else
    const bool synced = ::fsync(file.handle()) == 0;
    const int cause = lastSystemError();
#endif
    if (!synced)
        host::setError(error, describeSystemError(cause, file.fileName()));
    return synced;
}

} // namespace host
