#include "host/folderstring.h"

#include <QDir>
#include <QFileInfo>
#include <QProcessEnvironment>

namespace host {

Host Host::current()
{
#ifdef Q_OS_WIN
    return {Style::Windows, {}};
#else
    const QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    return {Style::Posix, winePrefixFrom(env.value(QStringLiteral("WINEPREFIX")), QDir::homePath())};
#endif
}

QString winePrefixFrom(const QString &winePrefixVariable, const QString &home)
{
    if (!winePrefixVariable.isEmpty())
        return winePrefixVariable;
    return home + QStringLiteral("/.wine");
}

bool isSeparator(QChar c, Style style)
{
    return c == u'\\' || (style == Style::Posix && c == u'/');
}

bool endsWithSeparator(const QString &folder, Style style)
{
    return !folder.isEmpty() && isSeparator(folder.back(), style);
}

QChar separatorFor(const QString &folder, Style style)
{
    if (style == Style::Windows)
        return u'\\';
    for (qsizetype i = folder.size() - 1; i >= 0; --i) {
        if (isSeparator(folder.at(i), style))
            return folder.at(i);
    }
    return u'/';
}

QString withFinalSeparator(const QString &folder, Style style)
{
    if (endsWithSeparator(folder, style))
        return folder;
    return folder + separatorFor(folder, style);
}

static bool startsWithDriveLetter(const QString &s)
{
    return s.size() >= 2 && s.at(1) == u':' && s.at(0).isLetter() && s.at(0).unicode() < 128;
}

HostPath toHostPath(const QString &folderString, const Host &host)
{
    if (host.style == Style::Windows)
        return {folderString, {}};

    QString path = folderString;
    path.replace(u'\\', u'/');
    if (!startsWithDriveLetter(path))
        return {path, {}};

    const QString drive = path.left(2).toLower();
    const QString driveFolder = host.winePrefix + QStringLiteral("/dosdevices/") + drive;
    if (!QFileInfo(driveFolder).isDir()) {
        return {{},
                QStringLiteral("drive %1 is not set up under Wine (\"%2\" does not exist); "
                               "type the folder as a path of this computer instead, such as /home/you/.q3a/")
                    .arg(drive.toUpper(), driveFolder)};
    }
    QString rest = path.mid(2);
    if (!rest.startsWith(u'/'))
        rest.prepend(u'/');
    return {driveFolder + rest, {}};
}

} // namespace host
