#include "host/folderstring.h"

#include "host/wine.h"

#include <QDir>
#include <QFileInfo>
#include <QProcessEnvironment>
#include <QStandardPaths>

#include <algorithm>

namespace host {

Host Host::current()
{
    const QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
#ifdef Q_OS_WIN
    return {Style::Windows,
            {},
            {},
            {},
            QDir::fromNativeSeparators(env.value(QStringLiteral("APPDATA"))),
            QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation)};
#else
    const QString configHome = env.value(QStringLiteral("XDG_CONFIG_HOME"));
    return {Style::Posix, winePrefixFrom(env.value(QStringLiteral("WINEPREFIX")), QDir::homePath()), QDir::homePath(),
            configHome.isEmpty() ? QDir::homePath() + QStringLiteral("/.config") : configHome};
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

// The separator the string already uses (its last one), or the host's default.
static QChar separatorFor(const QString &folder, Style style)
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

static bool isHomeFolder(const QString &s, Style style)
{
    return style == Style::Posix && (s == u"~" || (s.size() >= 2 && s.at(0) == u'~' && isSeparator(s.at(1), style)));
}

bool isWholeFolder(const QString &folder, Style style)
{
    // Windows itself takes "/" as well as "\\" after a drive and for a share.
    auto slash = [](QChar c) { return c == u'\\' || c == u'/'; };
    if (startsWithDriveLetter(folder))
        return folder.size() >= 3 && slash(folder.at(2));
    if (folder.size() >= 2 && slash(folder.at(0)) && slash(folder.at(1)))
        return true;
    return style == Style::Posix
        && ((!folder.isEmpty() && isSeparator(folder.front(), style)) || isHomeFolder(folder, style));
}

QString shownPath(const QString &path)
{
    return QDir::toNativeSeparators(path);
}

QString matchingEntry(const QString &folder, const QString &name)
{
    if (QFileInfo::exists(folder + u'/' + name))
        return name;
    const QStringList entries =
        QDir(folder).entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot);
    for (const QString &entry : entries) {
        if (entry.compare(name, Qt::CaseInsensitive) == 0)
            return entry;
    }
    return name;
}

QString gameFolder(const QString &root, const QString &name, const Host &host)
{
    QString spelt = name;
    while (endsWithSeparator(spelt, host.style))
        spelt.chop(1);
    const bool oneName =
        std::none_of(spelt.cbegin(), spelt.cend(), [&](QChar c) { return isSeparator(c, host.style); });
    if (host.style == Style::Posix && oneName && !spelt.isEmpty()) {
        if (const std::optional<QString> folder = toHostPath(root, host))
            spelt = matchingEntry(*folder, spelt);
    }
    return withFinalSeparator(root + spelt, host.style);
}

std::optional<QString> toHostPath(const QString &folderString, const Host &host, QString *error)
{
    if (host.style == Style::Windows)
        return folderString;

    if (startsWithDriveLetter(folderString))
        return wine::hostPathFor(folderString, host.winePrefix, error);
    QString path = folderString;
    path.replace(u'\\', u'/');
    if (isHomeFolder(path, host.style))
        path.replace(0, 1, host.home);
    return path;
}

} // namespace host
