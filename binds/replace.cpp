#include "binds/replace.h"

#include "binds/bindline.h"
#include "binds/keynow.h"
#include "host/filefailure.h"
#include "host/regularfile.h"

#include <QFileInfo>
#include <QLocale>
#include <QSaveFile>

#include <algorithm>

namespace binds {

namespace {

std::optional<QString> targetPath(const BindRequest &request, const host::Host &host)
{
    QString unreachable;
    return host::toHostPath(request.dirloc + QStringLiteral("autoexec.cfg"), host, &unreachable);
}

// The bytes of a bind command to remove: its whole line with the line end when nothing
// else stands on it, else the command alone.
std::pair<qsizetype, qsizetype> removedSpan(const QByteArray &bytes, const ConfigBind &bind)
{
    qsizetype lineStart = bind.begin;
    while (lineStart > 0 && bytes.at(lineStart - 1) != '\n' && bytes.at(lineStart - 1) != '\r')
        --lineStart;
    const bool aloneBefore = std::all_of(bytes.begin() + lineStart, bytes.begin() + bind.begin,
                                         [](char c) { return c == ' ' || c == '\t'; });
    qsizetype end = bind.end;
    const bool lineEndsHere = end >= bytes.size() || bytes.at(end) == '\r' || bytes.at(end) == '\n';
    if (!aloneBefore || !lineEndsHere)
        return {bind.begin, bind.end};
    if (end < bytes.size() && bytes.at(end) == '\r')
        ++end;
    if (end < bytes.size() && bytes.at(end) == '\n')
        ++end;
    return {lineStart, end};
}

} // namespace

Replaced whatBindReplaces(const BindRequest &request, const QString &root, const Game &game, const host::Host &host)
{
    Replaced replaced;
    const QByteArray key = request.key.trimmed().toLocal8Bit();
    const QByteArray menus = commandBoundTo(request.key, {gameConfigFile(root, game, host)}).value_or(QByteArray());
    if (!menus.isEmpty())
        replaced.gameAction = keyActionWords(menus);
    const std::optional<QString> target = targetPath(request, host);
    QString unreadable;
    if (!target || !QFileInfo(*target).isFile())
        return replaced;
    if (const std::optional<ConfigFile> file = readConfigFile(*target, &unreadable)) {
        replaced.targetBytes = file->bytes;
        for (const ConfigBind &bind : file->binds) {
            if (bind.key.compare(key, Qt::CaseInsensitive) == 0)
                replaced.earlier.append(bind);
        }
    }
    return replaced;
}

QString replacementQuestion(const QString &key, const Replaced &replaced, const QString &targetShown)
{
    QStringList now;
    if (!replaced.gameAction.isEmpty())
        now << QStringLiteral("in the game's own settings it is %1").arg(replaced.gameAction);
    if (!replaced.earlier.isEmpty()) {
        const ConfigBind &last = replaced.earlier.last();
        now << QStringLiteral("\"%1\" already binds it to %2").arg(targetShown, keyActionWords(last.command));
    }
    return QStringLiteral("The key %1 is taken: %2. A new bind in autoexec.cfg replaces that at the game's next "
                          "start.")
        .arg(key.trimmed(), now.join(QStringLiteral("; ")));
}

bool replaceLine(const BindRequest &request, const Replaced &replaced, const host::Host &host, QString *error)
{
    std::optional<QByteArray> line = encodedLine(request.key, request.text, error);
    if (!line)
        return false;
    const std::optional<QString> target = targetPath(request, host);
    QString unreadable;
    const std::optional<ConfigFile> now = target ? readConfigFile(*target, &unreadable) : std::nullopt;
    if (!now || now->bytes != replaced.targetBytes) {
        *error = QStringLiteral("Did not replace the bind: \"%1\" changed since Bindwright read it. Press Add again to "
                                "see what it holds now.")
                     .arg(host::shownPath(target.value_or(request.dirloc)));
        return false;
    }
    QByteArray bytes = now->bytes;
    // From the end, so the earlier spans stay where they were read.
    for (auto it = replaced.earlier.crbegin(); it != replaced.earlier.crend(); ++it) {
        const auto [from, to] = removedSpan(now->bytes, *it);
        bytes.remove(from, to - from);
    }
    if (!bytes.isEmpty() && !bytes.endsWith('\n') && !bytes.endsWith('\r'))
        bytes += "\r\n";
    bytes += *line + "\r\n";
    if (bytes.size() > fileLimit) {
        *error = QStringLiteral("Did not replace the bind: \"%1\" would grow to %2 bytes, more than any game reads.")
                     .arg(host::shownPath(*target), QLocale(QLocale::English).toString(bytes.size()));
        return false;
    }
    QSaveFile file(*target);
    QString cause;
    if (!file.open(QIODevice::WriteOnly)) {
        cause = host::describeFileFailure(*target, file, host::lastSystemError());
    } else if (file.write(bytes) != bytes.size() || !file.flush()) {
        cause = host::describeFileFailure(*target, file, host::lastSystemError());
    } else if (!host::syncToDisk(file, &cause)) {
    } else if (!file.commit()) {
        cause = host::describeFileFailure(*target, file, host::lastSystemError());
    }
    if (!cause.isEmpty()) {
        file.cancelWriting();
        *error = QStringLiteral("Could not replace the bind in \"%1\": %2. The file is as it was.")
                     .arg(host::shownPath(*target), cause);
        return false;
    }
    return true;
}

} // namespace binds
