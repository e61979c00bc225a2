#include "binds/folders/gamefolders.h"

#include "binds/engine/games.h"
#include "binds/folders/homes.h"
#include "host/wine.h"

#include <QDir>
#include <QFileInfo>
#include <QRegularExpression>
#include <QSet>

#include <map>
#include <utility>

namespace binds {

using host::Drive;
using host::Host;
using host::Style;
namespace wine = host::wine;

namespace {

// The home below start, spelt as the disk spells it (Windows installs vary the case),
// with the account for a "*" (empty for none); none when it does not hold the game.
QList<std::pair<QString, QString>> findHome(const QString &start, const EngineHome &home)
{
    static const QRegularExpression steamAccount(QStringLiteral("^7656119\\d{10}$"));
    // A drive's root ends in its separator already ("C:/"): no second one after it.
    QList<std::pair<QString, QString>> folders = {{start.endsWith(u'/') ? start.chopped(1) : start, QString()}};
    for (const QString &name : QString::fromUtf8(home.folder).split(u'/')) {
        QList<std::pair<QString, QString>> below;
        for (const auto &[folder, account] : folders) {
            if (name != u"*") {
                below.append({folder + u'/' + host::matchingEntry(folder, name), account});
                continue;
            }
            for (const QString &id : QDir(folder).entryList(QDir::Dirs | QDir::NoDotAndDotDot, QDir::Name)) {
                if (steamAccount.match(id).hasMatch())
                    below.append({folder + u'/' + id, id});
            }
        }
        folders = below;
    }
    const QString data = home.dataFolder ? QString::fromUtf8(home.dataFolder) : home.game().baseFolder;
    QList<std::pair<QString, QString>> found;
    for (const auto &[folder, account] : folders) {
        if (QFileInfo(folder + u'/' + host::matchingEntry(folder, data)).isDir())
            found.append({folder, account});
    }
    return found;
}

QString withTilde(const QString &path, const QString &home)
{
    if (!home.isEmpty() && (path == home || path.startsWith(home + u'/')))
        return u'~' + path.mid(home.size());
    return path;
}

} // namespace

QList<Drive> gameFolders(const Host &host, const Game *only)
{
    QSet<QString> seen;
    QList<Drive> found;
    // Natively first, then the Windows games in the Wine prefix.
    for (const bool inWine : {false, true}) {
        if (inWine && host.style == Style::Windows)
            break;
        auto shown = [&host, inWine](const QString &folder) {
            if (host.style == Style::Windows)
                return QDir::toNativeSeparators(folder);
            if (inWine)
                return QStringLiteral("(Wine) ") + wine::windowsPathFor(folder, host.winePrefix).value_or(folder);
            return withTilde(folder, host.home);
        };
        // Each start once: the drives and Steam's library lists serve many rows.
        std::map<HomeStart, QStringList> starts;
        for (const EngineHome &home : engineHomes()) {
            if (only && home.game().name != only->name)
                continue;
            auto known = starts.find(home.start);
            if (known == starts.end())
                known = starts.emplace(home.start, homeStarts(home.start, host, inWine)).first;
            for (const QString &start : std::as_const(known->second)) {
                for (const auto &[folder, account] : findHome(start, home)) {
                    const QString canonical = QFileInfo(folder).canonicalFilePath();
                    if (seen.contains(canonical))
                        continue; // ~/.steam/steam is a link to ~/.local/share/Steam, for one
                    seen.insert(canonical);
                    QString name = QString::fromUtf8(home.name);
                    if (!account.isEmpty())
                        name = name.arg(account);
                    found.append({name + u' ' + shown(folder), folder + u'/'});
                }
            }
        }
    }
    return found;
}

} // namespace binds
