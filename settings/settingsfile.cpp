#include "settings/settingsfile.h"

#include "host/error.h"
#include "host/filefailure.h"
#include "host/folderstring.h"
#include "host/regularfile.h"
#include "host/textencoding.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

#include <algorithm>

namespace settings {

namespace {

constexpr QLatin1StringView fileName("settings.cfg");

bool isWrappedInQuotes(const QString &folder)
{
    return folder.size() >= 2 && folder.startsWith(u'"') && folder.endsWith(u'"');
}

// One line without its CR LF or LF; nullopt at the end of the file or past the limit.
std::optional<QByteArray> readLine(QFile &file)
{
    if (file.atEnd())
        return std::nullopt;
    // Room for the longest line, CR, LF and readLine's terminating NUL.
    QByteArray line = file.readLine(maxLineBytes + 3);
    if (line.endsWith('\n'))
        line.chop(1);
    else if (!file.atEnd())
        return std::nullopt; // longer than any folder we wrote
    if (line.endsWith('\r'))
        line.chop(1);
    if (line.size() > maxLineBytes)
        return std::nullopt;
    return line;
}

// A control character other than a tab: no folder of ours holds one, and a line break
// would split the file's lines.
bool holdsLineBreaking(const QString &folder)
{
    return std::any_of(folder.begin(), folder.end(),
                       [](QChar c) { return c.category() == QChar::Other_Control && c != u'\t'; });
}

// A folder as the line holds it; a line wrapped in double quotes loses them. Nullopt
// for bytes that are no text of this system.
std::optional<QString> folderFrom(const QByteArray &line)
{
    std::optional<QString> decoded = host::fromFileEncoding(line);
    if (!decoded)
        return std::nullopt;
    QString folder = *decoded;
    if (holdsLineBreaking(folder))
        return std::nullopt;
    if (isWrappedInQuotes(folder))
        folder = folder.sliced(1, folder.size() - 2);
    return folder;
}

// An engine's id as its line holds it; anything else is no choice.
QString engineFrom(const std::optional<QByteArray> &line)
{
    if (!line || line->size() > 64)
        return {};
    const QString id = QString::fromLatin1(*line);
    const bool plain = std::all_of(id.cbegin(), id.cend(), [](QChar c) {
        return (c >= u'a' && c <= u'z') || (c >= u'0' && c <= u'9') || c == u'-' || c == u'.';
    });
    return plain ? id : QString();
}

// The line for a folder: one wrapped in quotes gets another pair, which the load takes off.
QString lineFor(const QString &folder)
{
    return isWrappedInQuotes(folder) ? u'"' + folder + u'"' : folder;
}

QString saveFailure(const QString &path, const QString &reason)
{
    return QStringLiteral("Could not save the game folders to \"%1\": %2. "
                          "They will not be remembered next time.")
        .arg(host::shownPath(path), reason);
}

} // namespace

Places settingsPlaces(const QString &programFolder, const QString &userConfigFolder)
{
    const QString perUser = QDir(userConfigFolder).filePath(fileName);
#ifdef Q_OS_WIN
    const bool installed = false; // a Windows copy keeps its settings beside it wherever it can
#else
    // PREFIX/bin is where an install puts the program, shared by every user and program.
    const bool installed = QFileInfo(programFolder).fileName() == u"bin";
#endif
    if (installed)
        return {QString(), perUser};
    return {QDir(programFolder).filePath(fileName), perUser};
}

std::optional<Folders> load(const QString &path, QString *error)
{
    QString ignored;
    QString &reason = error ? *error : ignored;
    reason.clear();
    if (!QFileInfo::exists(path) && !QFileInfo(path).isSymLink())
        return std::nullopt;
    QFile file;
    if (!host::openRegularFile(file, path, host::OpenFor::Read, &reason))
        return std::nullopt;
    const std::optional<QByteArray> first = readLine(file);
    const std::optional<QByteArray> second = first ? readLine(file) : std::nullopt;
    if (!second) {
        reason = QStringLiteral("it does not hold two lines of at most %1 bytes").arg(maxLineBytes);
        return std::nullopt;
    }
    const std::optional<QString> quake3 = folderFrom(*first);
    const std::optional<QString> rtcw = folderFrom(*second);
    if (!quake3 || !rtcw) {
        reason = QStringLiteral("it holds bytes that are no text of this system");
        return std::nullopt;
    }
    // Older copies wrote two folders and a marker line; the engines follow in lines of
    // their own, which those copies never read.
    Folders folders {*quake3, *rtcw};
    if (readLine(file) == QByteArray("11")) {
        folders.quake3Engine = engineFrom(readLine(file));
        folders.rtcwEngine = engineFrom(readLine(file));
    }
    return folders;
}

// The folder's line in the file's bytes, or nullopt with why it would not load back.
static std::optional<QByteArray> encodedLine(const QString &folder, QString *why)
{
    if (holdsLineBreaking(folder)) {
        *why = QStringLiteral("it holds a line break or another control character");
        return std::nullopt;
    }
    std::optional<QByteArray> line = host::toFileEncoding(lineFor(folder));
    if (!line) {
        *why = QStringLiteral("it holds characters that this system's code page cannot write");
        return std::nullopt;
    }
    if (line->size() > maxLineBytes) {
        *why = QStringLiteral("it is longer than the %1 bytes a folder may take").arg(maxLineBytes);
        return std::nullopt;
    }
    return line;
}

bool saveThrough(QSaveFile &file, const Folders &folders, QString *error)
{
    const QString path = file.fileName();
    QByteArray bytes;
    const std::pair<QString, QString> named[] = {{QStringLiteral("Quake 3"), folders.quake3},
                                                 {QStringLiteral("RTCW"), folders.rtcw}};
    for (const auto &[game, folder] : named) {
        QString why;
        const std::optional<QByteArray> line = encodedLine(folder, &why);
        if (!line) {
            host::setError(
                error, saveFailure(path, QStringLiteral("the %1 root folder cannot be remembered: %2").arg(game, why)));
            return false;
        }
        bytes += *line + "\r\n";
    }
    bytes += "11\r\n";
    if (!folders.quake3Engine.isEmpty() || !folders.rtcwEngine.isEmpty())
        bytes += folders.quake3Engine.toLatin1() + "\r\n" + folders.rtcwEngine.toLatin1() + "\r\n";
    QDir().mkpath(QFileInfo(path).absolutePath()); // the per-user folder may be new; open reports failures
    if (!file.open(QIODevice::WriteOnly)) {
        const int cause = host::lastSystemError();
        host::setError(error, saveFailure(path, host::describeSaveFailure(path, file, cause)));
        return false;
    }
    QString reason;
    if (!host::writeAndCommit(file, bytes, &reason)) {
        host::setError(error, saveFailure(path, reason));
        return false;
    }
    return true;
}

bool save(const QString &path, const Folders &folders, QString *error)
{
    QSaveFile file(path);
    return saveThrough(file, folders, error);
}

std::optional<Folders> RunSettings::newest() const
{
    std::optional<Folders> newest;
    QDateTime newestTime;
    for (const QString &path : {m_places.preferred, m_places.fallback}) {
        if (path.isEmpty())
            continue;
        const std::optional<Folders> folders = settings::load(path);
        const QDateTime written = QFileInfo(path).lastModified();
        if (folders && (!newest || written > newestTime)) {
            newest = folders;
            newestTime = written;
        }
    }
    return newest;
}

std::optional<Folders> RunSettings::load(const Folders &startFolders)
{
    m_unread = false;
    for (const QString &path : {m_places.preferred, m_places.fallback}) {
        QString error;
        if (!path.isEmpty() && !settings::load(path, &error))
            m_unread = m_unread || !error.isEmpty();
    }
    std::optional<Folders> found = newest();
    m_started = found.value_or(startFolders);
    return found;
}

bool RunSettings::save(const Folders &folders, QString *error)
{
    const bool rootChanged = folders.quake3 != m_started.quake3 || folders.rtcw != m_started.rtcw;
    if (folders == m_started)
        return true;
    const std::optional<Folders> now = newest();
    if (m_unread && !now && !rootChanged)
        return true;
    // Each value the player changed goes over the file as it is now; the rest stays.
    Folders merged = now.value_or(m_started);
    QStringList lost;
    const std::tuple<QString, const QString &, const QString &, QString &> roots[] = {
        {QStringLiteral("Quake 3"), folders.quake3, m_started.quake3, merged.quake3},
        {QStringLiteral("RTCW"), folders.rtcw, m_started.rtcw, merged.rtcw}};
    for (const auto &[game, chosen, started, saved] : roots) {
        if (chosen == started)
            continue;
        QString why;
        if (encodedLine(chosen, &why))
            saved = chosen;
        else
            lost << QStringLiteral("the %1 root folder cannot be remembered: %2").arg(game, why);
    }
    if (folders.quake3Engine != m_started.quake3Engine)
        merged.quake3Engine = folders.quake3Engine;
    if (folders.rtcwEngine != m_started.rtcwEngine)
        merged.rtcwEngine = folders.rtcwEngine;

    // The program's own folder is never made: a missing one means the fallback.
    const QString &preferred = m_places.preferred;
    QString notThere;
    bool saved = !preferred.isEmpty() && QFileInfo(QFileInfo(preferred).absolutePath()).isDir()
        && settings::save(preferred, merged, &notThere);
    if (!saved && !m_places.fallback.isEmpty())
        saved = settings::save(m_places.fallback, merged, &notThere);
    if (!saved) {
        host::setError(error, notThere);
        return false;
    }
    m_started = folders;
    m_unread = false;
    if (!lost.isEmpty()) {
        // Tried again only once the player changes that root again.
        host::setError(error,
                       QStringLiteral("Saved the game folders, but %1. Bindwright will show the folder it last "
                                      "remembered next time.")
                           .arg(lost.join(QStringLiteral("; and "))));
        return false;
    }
    return true;
}

} // namespace settings
