#include "binds/gamefolders.h"

#include "binds/games.h"
#include "host/wine.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <QSet>

#include <functional>

namespace binds {

using host::Drive;
using host::Host;
using host::Style;
namespace wine = host::wine;

namespace {

struct Place {
    const char *name;   // the game, as the list shows it
    const char *folder; // below where the search starts
    QString dataFolder; // what a real install holds
};

const QString quake3Data = quake3Game().baseFolder;
const QString rtcwData = rtcwGame().baseFolder;

// Below the per-user configuration folder ($XDG_CONFIG_HOME) on POSIX hosts: where
// ioquake3 has kept its files since 2025, read whenever it exists.
const Place configPlaces[] = {
    {"Quake 3 (ioquake3)", "Quake3", quake3Data},
};

// Below the home folder on POSIX hosts.
const Place homePlaces[] = {
    {"Quake 3 (ioquake3, old home)", ".q3a", quake3Data},
    {"RTCW (iortcw)", ".wolf", rtcwData},
    {"RTCW (iortcw)", ".local/share/iortcw", rtcwData},
    {"OpenArena", ".local/share/OpenArena", QStringLiteral("baseoa")},
    {"OpenArena (old home)", ".openarena", QStringLiteral("baseoa")},
};

// Below a Steam library.
const Place steamPlaces[] = {
    {"Quake 3 Arena (Steam)", "steamapps/common/Quake 3 Arena", quake3Data},
    {"Return to Castle Wolfenstein (Steam)", "steamapps/common/Return to Castle Wolfenstein", rtcwData},
};

// Below a Windows drive's root, where the games' installers and Steam put them.
const Place windowsPlaces[] = {
    {"Quake 3", "Program Files/Quake III Arena", quake3Data},
    {"Quake 3", "Program Files (x86)/Quake III Arena", quake3Data},
    {"Quake 3", "Quake III Arena", quake3Data},
    {"Quake 3", "Games/Quake III Arena", quake3Data},
    {"RTCW", "Program Files/Return to Castle Wolfenstein", rtcwData},
    {"RTCW", "Program Files (x86)/Return to Castle Wolfenstein", rtcwData},
    {"RTCW", "Games/Return to Castle Wolfenstein", rtcwData},
    {"Quake 3 Arena (Steam)", "Program Files (x86)/Steam/steamapps/common/Quake 3 Arena", quake3Data},
    {"Return to Castle Wolfenstein (Steam)", "Program Files (x86)/Steam/steamapps/common/Return to Castle Wolfenstein",
     rtcwData},
};

// The place below start, spelt as the disk spells it (Windows installs vary the case).
QString findPlace(const QString &start, const Place &place)
{
    // A drive's root ends in its separator already ("C:/"): no second one after it.
    QString folder = start.endsWith(u'/') ? start.chopped(1) : start;
    for (const QString &name : QString::fromUtf8(place.folder).split(u'/'))
        folder += u'/' + host::matchingEntry(folder, name);
    const QString data = folder + u'/' + host::matchingEntry(folder, place.dataFolder);
    return QFileInfo(data).isDir() ? folder : QString();
}

QString withTilde(const QString &path, const QString &home)
{
    if (!home.isEmpty() && (path == home || path.startsWith(home + u'/')))
        return u'~' + path.mid(home.size());
    return path;
}

// Steam's own folders, and the libraries its libraryfolders.vdf lists.
QStringList steamLibraries(const QString &home)
{
    QStringList libraries;
    for (const char *steam :
         {".steam/steam", ".local/share/Steam", ".var/app/com.valvesoftware.Steam/.local/share/Steam"}) {
        const QString root = home + u'/' + QString::fromUtf8(steam);
        if (!QFileInfo(root).isDir())
            continue;
        libraries.append(root);
        QFile vdf(root + QStringLiteral("/steamapps/libraryfolders.vdf"));
        if (!QFileInfo(vdf.fileName()).isFile() || vdf.size() > 1024 * 1024 || !vdf.open(QIODevice::ReadOnly))
            continue;
        static const QRegularExpression pathEntry(QStringLiteral("\"path\"\\s+\"([^\"]+)\""));
        for (const QRegularExpressionMatch &match : pathEntry.globalMatch(QString::fromUtf8(vdf.readAll())))
            libraries.append(match.captured(1).replace(QLatin1String("\\\\"), QLatin1String("\\")));
    }
    return libraries;
}

class Finder
{
public:
    void look(const QString &start, const Place &place, const std::function<QString(const QString &)> &shown)
    {
        add(findPlace(start, place), QString::fromUtf8(place.name), shown);
    }
    // Quake Live keeps each Steam account's files in a folder named by its SteamID64.
    void lookForQuakeLive(const QString &library, const std::function<QString(const QString &)> &shown)
    {
        static const QRegularExpression account(QStringLiteral("^7656119\\d{10}$"));
        const QString game = library + QStringLiteral("/steamapps/common/Quake Live");
        for (const QString &id : QDir(game).entryList(QDir::Dirs | QDir::NoDotAndDotDot, QDir::Name)) {
            if (account.match(id).hasMatch())
                look(game, {"", qPrintable(id), quake3Data}, [&](const QString &folder) {
                    return QStringLiteral("Quake Live (Steam, account %1) ").arg(id) + shown(folder);
                });
        }
    }
    QList<Drive> found() const { return m_found; }

private:
    void add(const QString &folder, const QString &name, const std::function<QString(const QString &)> &shown)
    {
        if (folder.isEmpty())
            return;
        const QString canonical = QFileInfo(folder).canonicalFilePath();
        if (m_seen.contains(canonical))
            return; // ~/.steam/steam is a link to ~/.local/share/Steam, for one
        m_seen.insert(canonical);
        m_found.append({name.isEmpty() ? shown(folder) : name + u' ' + shown(folder), folder + u'/'});
    }

    QSet<QString> m_seen;
    QList<Drive> m_found;
};

} // namespace

QList<Drive> gameFolders(const Host &host)
{
    Finder finder;
    if (host.style == Style::Windows) {
        for (const Drive &drive : host::drives(host)) {
            for (const Place &place : windowsPlaces)
                finder.look(QDir::cleanPath(drive.rootPath), place,
                            [](const QString &f) { return QDir::toNativeSeparators(f); });
        }
        return finder.found();
    }

    auto underHome = [&host](const QString &folder) { return withTilde(folder, host.home); };
    for (const Place &place : configPlaces)
        finder.look(host.configHome, place, underHome);
    for (const Place &place : homePlaces)
        finder.look(host.home, place, underHome);
    for (const QString &library : steamLibraries(host.home)) {
        for (const Place &place : steamPlaces)
            finder.look(library, place, underHome);
        finder.lookForQuakeLive(library, underHome);
    }
    for (QChar letter : wine::driveLetters(host.winePrefix)) {
        auto inWine = [&host](const QString &folder) {
            return QStringLiteral("(Wine) ") + wine::windowsPathFor(folder, host.winePrefix).value_or(folder);
        };
        for (const Place &place : windowsPlaces)
            finder.look(wine::driveFolder(host.winePrefix, letter), place, inWine);
    }
    return finder.found();
}

} // namespace binds
