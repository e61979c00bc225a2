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
    return autoexecPath(request.dirloc, host, &unreachable);
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

// Replaces the file with newBytes in one atomic save, if it still holds readBytes; the
// reason for a refusal or failure begins with `what`.
bool rewrite(const QString &hostPath, const QByteArray &readBytes, const QByteArray &newBytes, const QString &what,
             QString *error)
{
    QString unreadable;
    const bool missing = !QFileInfo::exists(hostPath);
    const std::optional<QByteArray> now = missing ? std::optional<QByteArray>(QByteArray()) : readConsoleFile(hostPath, &unreadable);
    if (!now || *now != readBytes) {
        *error = QStringLiteral("%1: \"%2\" changed since Bindwright read it. Look at what it holds now, then try "
                                "again.")
                     .arg(what, host::shownPath(hostPath));
        return false;
    }
    if (newBytes.size() > fileLimit) {
        *error = QStringLiteral("%1: \"%2\" would grow to %3 bytes, more than any game reads.")
                     .arg(what, host::shownPath(hostPath), QLocale(QLocale::English).toString(newBytes.size()));
        return false;
    }
    QSaveFile file(hostPath);
    QString cause;
    if (!file.open(QIODevice::WriteOnly))
        cause = host::describeFileFailure(hostPath, file, host::lastSystemError());
    if (!cause.isEmpty() || !host::writeAndCommit(file, newBytes, &cause)) {
        *error = QStringLiteral("%1: could not write \"%2\": %3. The file is as it was.")
                     .arg(what, host::shownPath(hostPath), cause);
        return false;
    }
    return true;
}

} // namespace

std::optional<QString> baseAutoexecHidden(const BindRequest &request, const QString &root, const Game &game,
                                          const host::Host &host)
{
    const std::optional<QString> target = targetPath(request, host);
    QString unreachable;
    const QString base = host::gameFolder(host::withFinalSeparator(root, host.style), game.baseFolder, host);
    const std::optional<QString> baseFile = autoexecPath(base, host, &unreachable);
    // Only where the new file can be made: a missing mod folder fails the write anyway.
    if (!target || !baseFile || QFileInfo::exists(*target) || !QFileInfo(*baseFile).isFile()
        || !QFileInfo(QFileInfo(*target).absolutePath()).isDir()
        || QFileInfo(*target).absoluteFilePath() == QFileInfo(*baseFile).absoluteFilePath()) {
        return std::nullopt;
    }
    return baseFile;
}

QString hiddenBaseQuestion(const QString &modFile, const QString &baseFile)
{
    return QStringLiteral("\"%1\" does not exist yet. Once it does, the game runs it instead of \"%2\" when you play "
                          "that mod (it runs the first autoexec.cfg it finds, the mod's), so the binds in \"%2\" would "
                          "no longer run there. Start the new file with the lines of \"%2\"?")
        .arg(host::shownPath(modFile), host::shownPath(baseFile));
}

bool startWithLinesOf(const QString &baseFile, const BindRequest &request, const host::Host &host, QString *error)
{
    const std::optional<QString> target = targetPath(request, host);
    QString unreadable;
    const std::optional<QByteArray> base = readConsoleFile(baseFile, &unreadable);
    if (!target || !base) {
        *error = QStringLiteral("Could not copy the lines of \"%1\": %2").arg(host::shownPath(baseFile), unreadable);
        return false;
    }
    QByteArray bytes = *base;
    if (!bytes.isEmpty() && !bytes.endsWith('\n') && !bytes.endsWith('\r'))
        bytes += "\r\n";
    return rewrite(*target, QByteArray(), bytes, QStringLiteral("Did not start the mod's autoexec.cfg"), error);
}

QByteArray withoutBinds(const QByteArray &bytes, const QList<ConfigBind> &removed)
{
    QList<std::pair<qsizetype, qsizetype>> spans;
    for (const ConfigBind &bind : removed)
        spans.append(removedSpan(bytes, bind));
    std::sort(spans.begin(), spans.end());
    QByteArray kept = bytes;
    // From the end, so the earlier spans stay where they were read.
    for (auto it = spans.crbegin(); it != spans.crend(); ++it)
        kept.remove(it->first, it->second - it->first);
    return kept;
}

bool removeBinds(const QString &hostPath, const ConfigFile &read, const QList<ConfigBind> &removed, QString *error)
{
    return rewrite(hostPath, read.bytes, withoutBinds(read.bytes, removed), QStringLiteral("Did not remove the binds"),
                   error);
}

Replaced whatBindReplaces(const BindRequest &request, const QString &root, const Game &game, const host::Host &host)
{
    Replaced replaced;
    const QByteArray key = request.key.trimmed().toLocal8Bit();
    const QByteArray menus = keyMapOf({gameConfigFile(root, game, host)}).value_or(KeyMap()).value(keyMapKey(request.key));
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
    if (!target) {
        *error = QStringLiteral("Did not replace the bind: \"%1\" cannot be reached.")
                     .arg(host::shownPath(autoexecIn(request.dirloc)));
        return false;
    }
    QByteArray bytes = withoutBinds(replaced.targetBytes, replaced.earlier);
    if (!bytes.isEmpty() && !bytes.endsWith('\n') && !bytes.endsWith('\r'))
        bytes += "\r\n";
    bytes += *line + "\r\n";
    return rewrite(*target, replaced.targetBytes, bytes, QStringLiteral("Did not replace the bind"), error);
}

} // namespace binds
