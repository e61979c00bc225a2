#include "binds/files/bindremoval.h"

#include "binds/files/bindline.h"
#include "host/error.h"
#include "host/filefailure.h"
#include "host/numbers.h"
#include "host/regularfile.h"

#include <QFileInfo>
#include <QSaveFile>

#include <algorithm>

namespace binds {

namespace {

using Span = std::pair<qsizetype, qsizetype>;

// The bind command's whole line with its line end, when nothing else stands on it.
std::optional<Span> wholeLine(const QByteArray &bytes, const ConfigBind &bind)
{
    qsizetype lineStart = bind.begin;
    while (lineStart > 0 && bytes.at(lineStart - 1) != '\n' && bytes.at(lineStart - 1) != '\r')
        --lineStart;
    const bool aloneBefore = std::all_of(bytes.begin() + lineStart, bytes.begin() + bind.begin,
                                         [](char c) { return c == ' ' || c == '\t'; });
    qsizetype end = bind.end;
    if (!aloneBefore || (end < bytes.size() && bytes.at(end) != '\r' && bytes.at(end) != '\n'))
        return std::nullopt;
    if (end < bytes.size() && bytes.at(end) == '\r')
        ++end;
    if (end < bytes.size() && bytes.at(end) == '\n')
        ++end;
    return Span {lineStart, end};
}

// The ways to take a bind out, the cleanest first: its whole line, else the command alone,
// as each engine reads it, and with the byte an over-long line loses.
QList<Span> removalCandidates(const QByteArray &bytes, const StartBind &bind)
{
    QList<Span> spans;
    for (const std::optional<ConfigBind> &read : bind.read) {
        if (read) {
            if (const std::optional<Span> line = wholeLine(bytes, *read))
                spans << *line;
        }
    }
    for (const std::optional<ConfigBind> &read : bind.read) {
        if (read)
            spans << Span {read->begin, read->end} << Span {read->begin, std::min(read->end + 1, bytes.size())};
    }
    QList<Span> distinct;
    for (const Span &span : std::as_const(spans)) {
        if (!distinct.contains(span))
            distinct << span;
    }
    return distinct;
}

QList<QList<QByteArray>> argumentsOf(const QList<ScriptCommand> &commands, qsizetype leftOutBegin = -1)
{
    QList<QList<QByteArray>> args;
    for (const ScriptCommand &command : commands) {
        if (command.begin != leftOutBegin)
            args << command.args;
    }
    return args;
}

// Whether every engine runs of `after` exactly what it ran of `before`, less the bind.
bool runsAllElseAsBefore(const QByteArray &before, const QByteArray &after, const StartBind &bind,
                         const QList<const Engine *> &engines)
{
    for (qsizetype e = 0; e < engines.size(); ++e) {
        const ConsoleRules &rules = engines.at(e)->rules;
        // An engine that ran nothing of the file may now run it: that is what removing is for.
        if (before.size() > rules.fileLimit)
            continue;
        const std::optional<ConfigBind> &read = bind.read.value(e);
        const auto expected = argumentsOf(scriptCommands(before, rules), read ? read->begin : -1);
        if (argumentsOf(scriptCommands(after, rules)) != expected)
            return false;
    }
    return true;
}

} // namespace

std::optional<QByteArray> withoutBinds(const QByteArray &bytes, const QList<StartBind> &removed,
                                       const QList<const Engine *> &engines, QString *error, Removal removal)
{
    QList<StartBind> fromTheEnd = removed;
    // From the end, so the binds still to remove stay where they were read.
    std::sort(fromTheEnd.begin(), fromTheEnd.end(),
              [](const StartBind &a, const StartBind &b) { return a.shown().begin > b.shown().begin; });
    QByteArray kept = bytes;
    QStringList stuck;
    for (const StartBind &bind : std::as_const(fromTheEnd)) {
        bool taken = false;
        for (const auto &[begin, end] : removalCandidates(kept, bind)) {
            QByteArray without = kept;
            without.remove(begin, end - begin);
            if (runsAllElseAsBefore(kept, without, bind, engines)) {
                kept = without;
                taken = true;
                break;
            }
        }
        if (!taken)
            stuck.prepend(QStringLiteral("line %1 (bind %2)")
                              .arg(host::englishNumber(lineNumberAt(bytes, bind.shown().begin)),
                                   QString::fromLatin1(bind.shown().key)));
    }
    if (!stuck.isEmpty()) {
        host::setError(
            error,
            QStringLiteral("Did not remove %1: the games read what stands around it differently (some honour "
                           "// and /* */ comments where others do not, and a line past 1,023 bytes is cut), so "
                           "taking it out would change what else the file runs. Edit that line by hand.")
                .arg(stuck.join(QStringLiteral(", "))));
        if (removal == Removal::AllOrNothing)
            return std::nullopt;
    }
    return kept;
}

QString changedSinceRead(const QString &what, const QString &hostPath)
{
    return QStringLiteral("%1: \"%2\" changed since Bindwright read it. Look at what it holds now, then try again.")
        .arg(what, host::shownPath(hostPath));
}

bool holdsAsRead(const QString &hostPath, bool existed, const QByteArray &bytes)
{
    const bool there = QFileInfo::exists(hostPath);
    const std::optional<QByteArray> now = there ? readConsoleFile(hostPath) : std::optional<QByteArray>(QByteArray());
    return there == existed && now == bytes;
}

bool rewriteFile(const QString &hostPath, const QByteArray &readBytes, bool existed, const QByteArray &newBytes,
                 const QString &what, QString *error)
{
    if (!holdsAsRead(hostPath, existed, readBytes)) {
        host::setError(error, changedSinceRead(what, hostPath));
        return false;
    }
    // Only an Add makes a file larger.
    if (const QString tooLarge = tooLargeFor(hostPath, newBytes.size(), allEngines()); !tooLarge.isEmpty()) {
        host::setError(error, tooLarge);
        return false;
    }
    return saveWhole(hostPath, newBytes, what, error);
}

bool saveWhole(const QString &hostPath, const QByteArray &bytes, const QString &what, QString *error)
{
    QSaveFile file(hostPath);
    QString cause;
    if (!file.open(QIODevice::WriteOnly))
        cause = host::describeSaveFailure(hostPath, file, host::lastSystemError());
    if (!cause.isEmpty() || !host::writeAndCommit(file, bytes, &cause)) {
        host::setError(error,
                       QStringLiteral("%1: could not write \"%2\": %3. The file is as it was.")
                           .arg(what, host::shownPath(hostPath), cause));
        return false;
    }
    return true;
}

std::optional<QByteArray> removeBinds(const QString &hostPath, const QByteArray &read, const QList<StartBind> &removed,
                                      const QList<const Engine *> &engines, QString *error)
{
    std::optional<QByteArray> kept = withoutBinds(read, removed, engines, error, Removal::AllOrNothing);
    if (!kept || !rewriteFile(hostPath, read, true, *kept, QStringLiteral("Did not remove the binds"), error))
        return std::nullopt;
    return kept;
}

} // namespace binds
