#include "binds/folders/homes.h"

#include "host/drives.h"
#include "host/wine.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>

namespace binds {

namespace {

// The libraries a Steam folder's libraryfolders.vdf lists, as it writes them (Windows
// paths with doubled "\").
QStringList listedLibraries(const QString &steam)
{
    QFile vdf(steam + QStringLiteral("/steamapps/libraryfolders.vdf"));
    if (!QFileInfo(vdf.fileName()).isFile() || vdf.size() > qint64(1024) * 1024 || !vdf.open(QIODevice::ReadOnly))
        return {};
    static const QRegularExpression pathEntry(QStringLiteral("\"path\"\\s+\"([^\"]+)\""));
    QStringList libraries;
    for (const QRegularExpressionMatch &match : pathEntry.globalMatch(QString::fromUtf8(vdf.readAll())))
        libraries.append(match.captured(1).replace(QLatin1String("\\\\"), QLatin1String("\\")));
    return libraries;
}

// Where Steam installs itself on a Windows drive (a host folder).
QStringList steamOnDrive(const QString &drive)
{
    const QString root = drive.endsWith(u'/') ? drive.chopped(1) : drive;
    QStringList found;
    for (const QString &programs : {QStringLiteral("Program Files (x86)"), QStringLiteral("Program Files")}) {
        const QString folder = root + u'/' + host::matchingEntry(root, programs);
        const QString steam = folder + u'/' + host::matchingEntry(folder, QStringLiteral("Steam"));
        if (QFileInfo(steam).isDir())
            found.append(steam);
    }
    return found;
}

QStringList windowsDrives(const host::Host &host, bool inWine)
{
    QStringList roots;
    if (inWine) {
        for (QChar letter : host::wine::driveLetters(host.winePrefix))
            roots.append(host::wine::driveFolder(host.winePrefix, letter));
        return roots;
    }
    for (const host::Drive &drive : host::drives(host))
        roots.append(QDir::cleanPath(drive.rootPath));
    return roots;
}

// Steam's own folders, then the libraries each lists, as host folders.
QStringList steamLibraries(const host::Host &host, bool inWine)
{
    QStringList steams;
    if (host.style == host::Style::Posix && !inWine) {
        for (const char *steam :
             {".steam/steam", ".local/share/Steam", ".var/app/com.valvesoftware.Steam/.local/share/Steam"}) {
            if (QFileInfo(host.home + u'/' + QString::fromUtf8(steam)).isDir())
                steams.append(host.home + u'/' + QString::fromUtf8(steam));
        }
    } else {
        for (const QString &drive : windowsDrives(host, inWine))
            steams.append(steamOnDrive(drive));
    }
    QStringList libraries;
    for (const QString &steam : steams) {
        libraries.append(steam);
        for (const QString &listed : listedLibraries(steam)) {
            if (!inWine)
                libraries.append(QDir::fromNativeSeparators(listed));
            else if (const std::optional<QString> folder = host::wine::hostPathFor(listed, host.winePrefix))
                libraries.append(*folder);
        }
    }
    return libraries;
}

} // namespace

const QList<EngineHome> &engineHomes()
{
    using enum HomeStart;
    // Facts from the engines' source: ioquake3's sys_unix.c (Sys_HomeConfigPath,
    // Sys_ShouldUseLegacyHomePath) and sys_win32.c, iortcw's sys_unix.c and sys_win32.c,
    // OpenArena's q_shared.h; the original releases keep everything in the install folder.
    static const QList<EngineHome> homes = {
        {"Quake 3 (ioquake3)", quake3Game, ConfigHome, "Quake3", nullptr},
        {"Quake 3 (ioquake3, Flatpak)", quake3Game, Home, ".var/app/org.ioquake3.ioquake3/config/Quake3", nullptr},
        {"Quake 3 (ioquake3, old home)", quake3Game, Home, ".q3a", nullptr},
        {"RTCW (iortcw)", rtcwGame, Home, ".wolf", nullptr},
        {"RTCW (iortcw)", rtcwGame, Home, ".local/share/iortcw", nullptr},
        {"OpenArena", quake3Game, Home, ".local/share/OpenArena", "baseoa"},
        {"OpenArena (old home)", quake3Game, Home, ".openarena", "baseoa"},
        {"Quake 3 (ioquake3)", quake3Game, AppData, "Quake3", nullptr},
        {"RTCW (iortcw)", rtcwGame, Documents, "RTCW", nullptr},
        {"OpenArena", quake3Game, AppData, "OpenArena", "baseoa"},
        {"Quake 3 Arena (Steam)", quake3Game, SteamLibrary, "steamapps/common/Quake 3 Arena", nullptr},
        {"Quake Live (Steam, account %1)", quake3Game, SteamLibrary, "steamapps/common/Quake Live/*", nullptr},
        {"Return to Castle Wolfenstein (Steam)", rtcwGame, SteamLibrary,
         "steamapps/common/Return to Castle Wolfenstein", nullptr},
        {"Quake 3", quake3Game, Drive, "Program Files/Quake III Arena", nullptr},
        {"Quake 3", quake3Game, Drive, "Program Files (x86)/Quake III Arena", nullptr},
        {"Quake 3", quake3Game, Drive, "Quake III Arena", nullptr},
        {"Quake 3", quake3Game, Drive, "Games/Quake III Arena", nullptr},
        {"RTCW", rtcwGame, Drive, "Program Files/Return to Castle Wolfenstein", nullptr},
        {"RTCW", rtcwGame, Drive, "Program Files (x86)/Return to Castle Wolfenstein", nullptr},
        {"RTCW", rtcwGame, Drive, "Games/Return to Castle Wolfenstein", nullptr},
    };
    return homes;
}

QStringList homeStarts(HomeStart start, const host::Host &host, bool inWine)
{
    const bool windows = host.style == host::Style::Windows || inWine;
    const auto ifThere = [](const QString &folder) { return folder.isEmpty() ? QStringList() : QStringList {folder}; };
    QStringList starts;
    switch (start) {
    case HomeStart::ConfigHome:
        return windows ? QStringList() : ifThere(host.configHome);
    case HomeStart::Home:
        return windows ? QStringList() : ifThere(host.home);
    case HomeStart::SteamLibrary:
        return steamLibraries(host, inWine);
    case HomeStart::Drive:
        return windows ? windowsDrives(host, inWine) : QStringList();
    case HomeStart::AppData:
    case HomeStart::Documents:
        if (!inWine)
            return host.style == host::Style::Windows
                ? ifThere(start == HomeStart::AppData ? host.appData : host.documents)
                : QStringList();
        for (const host::wine::WineUser &user : host::wine::users(host.winePrefix))
            starts.append(start == HomeStart::AppData ? user.appData : user.documents);
        return starts;
    }
    return starts;
}

QString canonicalPath(const QString &hostPath)
{
    const QString path = QFileInfo(hostPath).canonicalFilePath();
    return path.isEmpty() ? QDir::cleanPath(hostPath) : path;
}

bool isInWinePrefix(const QString &canonicalHostPath, const host::Host &host)
{
    return host.style == host::Style::Posix && !host.winePrefix.isEmpty()
        && canonicalHostPath.startsWith(canonicalPath(host.winePrefix) + u'/');
}

} // namespace binds
