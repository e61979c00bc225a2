#include "host/drives.h"

#include "host/error.h"
#include "host/wine.h"

#include <QDir>
#include <QFileInfo>
#include <QStorageInfo>

namespace host {

namespace {

bool isPseudoFileSystem(const QStorageInfo &volume)
{
    static const QList<QByteArray> pseudo = {"proc",     "sysfs",      "devtmpfs",  "devpts",  "tmpfs",   "cgroup",
                                             "cgroup2",  "securityfs", "pstore",    "debugfs", "tracefs", "configfs",
                                             "fusectl",  "mqueue",     "hugetlbfs", "bpf",     "autofs",  "binfmt_misc",
                                             "efivarfs", "nsfs",       "ramfs",     "squashfs"};
    const QString root = volume.rootPath();
    for (const QString &under :
         {QStringLiteral("/proc"), QStringLiteral("/sys"), QStringLiteral("/dev"), QStringLiteral("/run")}) {
        if (root == under || root.startsWith(under + u'/'))
            return true;
    }
    return pseudo.contains(volume.fileSystemType());
}

QString windowsDriveName(const QStorageInfo &volume)
{
    const QString letter = volume.rootPath().left(2).toLower();
    return volume.name().isEmpty() ? letter : QStringLiteral("%1 [%2]").arg(letter, volume.name());
}

} // namespace

// The Wine drives of a prefix, "c:" to "z:", that lead to a folder.
static QList<Drive> wineDrives(const QString &winePrefix)
{
    QList<Drive> result;
    for (QChar letter : wine::driveLetters(winePrefix))
        result.append({QString(letter) + u':', wine::driveFolder(winePrefix, letter) + u'/'});
    return result;
}

QList<Drive> drives(const Host &host)
{
    QList<Drive> result;
    for (const QStorageInfo &volume : QStorageInfo::mountedVolumes()) {
        if (!volume.isValid() || !QFileInfo(volume.rootPath()).isDir())
            continue;
        if (host.style == Style::Windows)
            result.append({windowsDriveName(volume), volume.rootPath()});
        else if (!isPseudoFileSystem(volume))
            result.append({volume.rootPath(), volume.rootPath()});
    }
    if (host.style == Style::Posix)
        result.append(wineDrives(host.winePrefix));
    return result;
}

bool isAncestorOrSelf(const QString &folder, const QString &path)
{
    const QString cleanFolder = QDir::cleanPath(folder);
    const QString cleanPath = QDir::cleanPath(path);
    if (cleanFolder == cleanPath)
        return true;
    return cleanPath.startsWith(cleanFolder.endsWith(u'/') ? cleanFolder : cleanFolder + u'/');
}

std::optional<qsizetype> driveHolding(const QList<Drive> &drives, const QString &hostPath)
{
    std::optional<qsizetype> holding;
    for (qsizetype i = 0; i < drives.size(); ++i) {
        if (isAncestorOrSelf(drives.at(i).rootPath, hostPath)
            && (!holding || drives.at(i).rootPath.size() > drives.at(*holding).rootPath.size()))
            holding = i;
    }
    return holding;
}

std::optional<QString> folderStringFor(const QString &hostPath, const Host &host, QString *error)
{
    if (host.style == Style::Windows)
        return QDir::toNativeSeparators(hostPath);
    if (hostPath.contains(u'\\')) {
        host::setError(error,
                       QStringLiteral("The name of \"%1\" holds a \\, which Bindwright reads as a separator, so the "
                                      "bind would go to another folder. Rename the folder or pick another one.")
                           .arg(shownPath(hostPath)));
        return std::nullopt;
    }
    return wine::windowsPathFor(hostPath, host.winePrefix).value_or(hostPath);
}

} // namespace host
