#include "binds/files/changejournal.h"

#include "binds/files/bindremoval.h"
#include "binds/files/consolefile.h"
#include "host/error.h"
#include "host/filefailure.h"
#include "host/folderstring.h"
#include "host/regularfile.h"

#include <QCoreApplication>
#include <QDataStream>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <QSaveFile>

namespace binds {

namespace {

constexpr quint32 entryMagic = 0x42574348; // "BWCH"
constexpr quint16 entryFormat = 1;
constexpr QLatin1StringView entrySuffix(".change");

// One spelling of a path, so that a file's changes are found whichever way it was given.
QString samePath(const QString &path)
{
    return QDir::cleanPath(QFileInfo(path).absoluteFilePath());
}

QByteArray serialized(const FileChange &change)
{
    QByteArray bytes;
    QDataStream out(&bytes, QIODevice::WriteOnly);
    out.setVersion(QDataStream::Qt_6_0);
    out << entryMagic << entryFormat << samePath(change.path) << change.existed << change.before << change.after
        << change.what << change.when.toMSecsSinceEpoch();
    return bytes;
}

// The file an entry changed, read from its head alone.
std::optional<QString> pathOf(QDataStream &in)
{
    quint32 magic = 0;
    quint16 format = 0;
    QString path;
    in >> magic >> format >> path;
    if (in.status() != QDataStream::Ok || magic != entryMagic || format != entryFormat)
        return std::nullopt;
    return path;
}

// Names that sort as the changes were made, and differ between programs saving at once.
QString newEntryName(const QDateTime &when)
{
    static int made = 0;
    return QStringLiteral("%1-%2-%3%4")
        .arg(when.toUTC().toString(QStringLiteral("yyyyMMdd-HHmmsszzz")))
        .arg(QCoreApplication::applicationPid())
        .arg(++made, 4, 10, QLatin1Char('0'))
        .arg(entrySuffix);
}

} // namespace

ChangeJournal::ChangeJournal(const QString &folder)
    : m_folder(folder)
{ }

bool ChangeJournal::record(const FileChange &change, QString *error)
{
    const auto fail = [&](const QString &cause) {
        if (error)
            host::setError(
                error,
                QStringLiteral("Bindwright could not keep a copy of \"%1\" as it was, so this change cannot be "
                               "undone: %2.")
                    .arg(host::shownPath(change.path), cause));
        return false;
    };
    if (!QDir().mkpath(m_folder))
        return fail(host::describeSystemError(host::lastSystemError(), m_folder));
    const QString path = QDir(m_folder).filePath(newEntryName(change.when));
    QSaveFile file(path);
    QString cause;
    if (!file.open(QIODevice::WriteOnly))
        return fail(host::describeSaveFailure(path, file, host::lastSystemError()));
    if (!host::writeAndCommit(file, serialized(change), &cause))
        return fail(cause);

    // The oldest go first: beyond the limit for this file, then beyond the limit for all.
    const QList<std::pair<QString, QString>> kept = entries();
    QHash<QString, int> newerOfSameFile;
    int newer = 0;
    for (auto it = kept.crbegin(); it != kept.crend(); ++it) {
        if (++newerOfSameFile[it->second] > keptPerFile || ++newer > keptInAll)
            QFile::remove(QDir(m_folder).filePath(it->first));
    }
    return true;
}

QList<std::pair<QString, QString>> ChangeJournal::entries() const
{
    const QDir folder(m_folder);
    QList<std::pair<QString, QString>> found;
    for (const QString &name : folder.entryList({QLatin1Char('*') + entrySuffix}, QDir::Files, QDir::Name)) {
        QFile file(folder.filePath(name));
        if (!file.open(QIODevice::ReadOnly))
            continue;
        QDataStream in(&file);
        in.setVersion(QDataStream::Qt_6_0);
        if (const std::optional<QString> path = pathOf(in))
            found << std::pair {name, *path};
    }
    return found;
}

std::optional<FileChange> ChangeJournal::newest(const QStringList &paths) const
{
    QStringList wanted;
    for (const QString &path : paths)
        wanted << samePath(path);
    const QList<std::pair<QString, QString>> kept = entries();
    for (auto it = kept.crbegin(); it != kept.crend(); ++it) {
        if (!wanted.contains(it->second))
            continue;
        QFile file(QDir(m_folder).filePath(it->first));
        if (!file.open(QIODevice::ReadOnly))
            continue;
        QDataStream in(&file);
        in.setVersion(QDataStream::Qt_6_0);
        FileChange change;
        qint64 when = 0;
        change.path = pathOf(in).value_or(QString());
        in >> change.existed >> change.before >> change.after >> change.what >> when;
        if (in.status() != QDataStream::Ok || !in.atEnd() || change.path != it->second)
            continue; // cut short or grown: not a change to go back on
        change.when = QDateTime::fromMSecsSinceEpoch(when);
        change.entry = it->first;
        return change;
    }
    return std::nullopt;
}

bool ChangeJournal::undo(const FileChange &change, QString *error)
{
    const QString what = QStringLiteral("Did not undo");
    if (!holdsAsRead(change.path, true, change.after)) {
        host::setError(error,
                       QStringLiteral("%1: \"%2\" changed since Bindwright %3 at %4, so going back would lose what "
                                      "changed it. Nothing was changed.")
                           .arg(what, host::shownPath(change.path), change.what,
                                change.when.toLocalTime().toString(QStringLiteral("HH:mm, d MMMM"))));
        return false;
    }
    QString failed;
    if (change.existed) {
        saveWhole(change.path, change.before, what, &failed);
    } else if (!QFile::remove(change.path)) {
        const int cause = host::lastSystemError();
        failed = QStringLiteral("%1: could not remove \"%2\", which Bindwright made: %3. The file is as it was.")
                     .arg(what, host::shownPath(change.path), host::describeSystemError(cause, change.path));
    }
    if (!failed.isEmpty()) {
        if (error)
            host::setError(error, failed);
        return false;
    }
    QFile::remove(QDir(m_folder).filePath(change.entry));
    return true;
}

} // namespace binds
