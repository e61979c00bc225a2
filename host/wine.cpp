#include "host/wine.h"

#include "host/error.h"

#include <QDir>
#include <QFileInfo>
#include <QRegularExpression>

namespace host::wine {

namespace {

constexpr QLatin1StringView dosdevices("/dosdevices/");

// Windows drops trailing blanks and dots of every name it is given.
QString withoutTrailingBlanksAndDots(QString name)
{
    while (name.endsWith(u' ') || name.endsWith(u'.'))
        name.chop(1);
    return name;
}

} // namespace

QString driveFolder(const QString &winePrefix, QChar letter)
{
    return winePrefix + dosdevices + letter.toLower() + u':';
}

QList<QChar> driveLetters(const QString &winePrefix)
{
    QList<QChar> letters;
    for (char16_t letter = u'a'; letter <= u'z'; ++letter) {
        if (QFileInfo(driveFolder(winePrefix, QChar(letter))).isDir())
            letters.append(QChar(letter));
    }
    return letters;
}

QList<WineUser> users(const QString &winePrefix)
{
    // Wine names them as Windows Vista does (AppData\Roaming, Documents); older prefixes
    // as Windows XP did.
    auto firstThere = [](const QString &user, const QString &now, const QString &before) {
        return QFileInfo(user + u'/' + now).isDir() ? user + u'/' + now : user + u'/' + before;
    };
    const QString folder = driveFolder(winePrefix, u'c') + QStringLiteral("/users");
    QList<WineUser> found;
    for (const QString &name : QDir(folder).entryList(QDir::Dirs | QDir::NoDotAndDotDot, QDir::Name)) {
        if (name.compare(u"Public", Qt::CaseInsensitive) == 0)
            continue;
        const QString user = folder + u'/' + name;
        found.append({firstThere(user, QStringLiteral("AppData/Roaming"), QStringLiteral("Application Data")),
                      firstThere(user, QStringLiteral("Documents"), QStringLiteral("My Documents"))});
    }
    return found;
}

std::optional<QString> hostPathFor(const QString &windowsPath, const QString &winePrefix, QString *error)
{
    const QChar letter = windowsPath.at(0).toLower();
    const QString drive = driveFolder(winePrefix, letter);
    if (!QFileInfo(drive).isDir()) {
        host::setError(error,
                       QStringLiteral("drive %1: is not set up under Wine (\"%2\" does not exist); "
                                      "type the folder as a path of this computer instead, such as /home/you/.q3a/")
                           .arg(letter.toUpper(), shownPath(drive)));
        return std::nullopt;
    }
    static const QRegularExpression separators(QStringLiteral("[\\\\/]"));
    QStringList names; // below the drive's root, as the host spells them
    for (const QString &typed : windowsPath.mid(2).split(separators, Qt::SkipEmptyParts)) {
        if (typed == u"..") {
            if (!names.isEmpty())
                names.removeLast();
            continue;
        }
        const QString name = withoutTrailingBlanksAndDots(typed);
        if (name.isEmpty())
            continue; // ".", or a name of dots and blanks only
        names.append(matchingEntry(drive + u'/' + names.join(u'/'), name));
    }
    QString path = drive + u'/' + names.join(u'/');
    if (!names.isEmpty() && (windowsPath.endsWith(u'\\') || windowsPath.endsWith(u'/')))
        path += u'/';
    return path;
}

std::optional<QString> windowsPathFor(const QString &hostPath, const QString &winePrefix)
{
    static const QRegularExpression wineDrive(QStringLiteral("^/dosdevices/([a-z]):(/.*)?$"));
    if (winePrefix.isEmpty() || !hostPath.startsWith(winePrefix))
        return std::nullopt;
    const QRegularExpressionMatch match = wineDrive.match(hostPath.mid(winePrefix.size()));
    if (!match.hasMatch())
        return std::nullopt;
    QString rest = match.captured(2);
    if (rest.isEmpty())
        rest = QStringLiteral("/");
    return match.captured(1) + u':' + rest.replace(u'/', u'\\');
}

} // namespace host::wine
