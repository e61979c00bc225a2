#include "host/drives.h"

#include <QDir>
#include <QFileInfo>
#include <QRegularExpression>
#include <QStorageInfo>

namespace host {

namespace {

bool isPseudoFileSystem(const QStorageInfo &volume)
{
    static const QList<QByteArray> pseudo = {"proc", "sysfs", "devtmpfs", "devpts", "tmpfs", "cgroup",
                                             "cgroup2", "securityfs", "pstore", "debugfs", "tracefs",
                                             "configfs", "fusectl", "mqueue", "hugetlbfs", "bpf",
                                             "autofs", "binfmt_misc", "efivarfs", "nsfs", "ramfs", "squashfs"};
    const QString root = volume.rootPath();
    for (const QString &under : {QStringLiteral("/proc"), QStringLiteral("/sys"), QStringLiteral("/dev"),
                                QStringLiteral("/run")}) {
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

QString wineDrivePath(const QString &winePrefix, const QString &drive)
{
    return winePrefix + QStringLiteral("/dosdevices/") + drive;
}

} // namespace

QList<Drive> wineDrives(const QString &winePrefix)
{
    QList<Drive> result;
    for (char letter = 'a'; letter <= 'z'; ++letter) {
        const QString drive = QString(QChar(letter)) + u':';
        const QString path = wineDrivePath(winePrefix, drive);
        if (QFileInfo(path).isDir())
            result.append({drive, path + u'/'});
    }
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

QString folderStringFor(const QString &hostPath, const Host &host)
{
    if (host.style == Style::Windows)
        return QDir::toNativeSeparators(hostPath);

    static const QRegularExpression wineDrive(QStringLiteral("^/dosdevices/([a-z]:)(/.*)?$"));
    if (host.winePrefix.isEmpty() || !hostPath.startsWith(host.winePrefix))
        return hostPath;
    const QRegularExpressionMatch match = wineDrive.match(hostPath.mid(host.winePrefix.size()));
    if (!match.hasMatch())
        return hostPath;
    QString rest = match.captured(2);
    if (rest.isEmpty())
        rest = QStringLiteral("/");
    return match.captured(1) + rest.replace(u'/', u'\\');
}

} // namespace host
