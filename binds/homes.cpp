#include "binds/homes.h"

#include "binds/bindline.h"

#include <QDir>
#include <QFileInfo>

namespace binds {

namespace {

QString canonical(const QString &hostPath)
{
    const QString path = QFileInfo(hostPath).canonicalFilePath();
    return path.isEmpty() ? QDir::cleanPath(hostPath) : path;
}

// The home a Windows engine searches before the install folder, when it holds an
// autoexec.cfg of its own.
std::optional<QString> homeWithAutoexec(const QString &home, const Game &game, const host::Host &host)
{
    const QString root = host::withFinalSeparator(QDir::toNativeSeparators(home), host.style);
    QString unreachable;
    const std::optional<QString> autoexec =
        autoexecPath(host::gameFolder(root, game.baseFolder, host), host, &unreachable);
    return autoexec && QFileInfo(*autoexec).isFile() ? std::optional<QString>(root) : std::nullopt;
}

} // namespace

std::optional<ReadInstead> readInsteadOf(const QString &root, const Game &game, const host::Host &host)
{
    QString unreachable;
    const std::optional<QString> typed =
        host::toHostPath(host::withFinalSeparator(root, host.style), host, &unreachable);
    if (!typed)
        return std::nullopt;
    if (host.style == host::Style::Posix) {
        // Only ioquake3 moved: its config home wins whenever it exists (sys_unix.c
        // Sys_ShouldUseLegacyHomePath), and the move copies the files, so both remain.
        const QString newHome = host.configHome + u'/' + game.homeFolder;
        if (game.ioEngine != quake3Game().ioEngine || host.home.isEmpty() || !QFileInfo(newHome).isDir()
            || canonical(*typed) != canonical(host.home + QStringLiteral("/.q3a")))
            return std::nullopt;
        return ReadInstead {newHome + u'/',
                            QStringLiteral("ioquake3 has kept its files in \"%1\" since it moved them there, and no "
                                           "longer reads \"%2\" at all")
                                .arg(host::shownPath(newHome), host::shownPath(host.home + QStringLiteral("/.q3a")))};
    }
    // Windows: the maintained engines' homes come before the install folder.
    const QString perUser = game.ioEngine == quake3Game().ioEngine ? host.appData : host.documents;
    const std::optional<QString> read =
        perUser.isEmpty() ? std::nullopt : homeWithAutoexec(perUser + u'/' + game.homeFolder, game, host);
    if (!read || canonical(*typed) == canonical(QDir::fromNativeSeparators(*read)))
        return std::nullopt;
    return ReadInstead {*read,
                        QStringLiteral("%1 reads \"%2\" before the game's own folder, and the autoexec.cfg "
                                       "there hides this one")
                            .arg(game.ioEngine, host::shownPath(*read))};
}

} // namespace binds
