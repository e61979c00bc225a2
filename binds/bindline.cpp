#include "binds/bindline.h"

#include "binds/keys.h"
#include "host/filefailure.h"
#include "host/numbers.h"
#include "host/regularfile.h"
#include "host/textencoding.h"

#include <QFile>

namespace binds {

namespace {

// Inside the quotes only a quote or a line end can break out of the bind.
QString textRefusal(const QString &text)
{
    if (text.contains(u'"')) {
        return QStringLiteral("The text holds a double quote (\"), which would cut the bind short "
                              "and run the rest of the line as console commands. "
                              "Use single quotes (') instead.");
    }
    if (text.contains(u'\r') || text.contains(u'\n')) {
        return QStringLiteral("The text holds a line break, which would end the bind early and run "
                              "the rest as console commands. Put the text on one line.");
    }
    if (text.contains(QChar(0))) {
        return QStringLiteral("The text holds an invisible null character, which would hide the "
                              "rest of autoexec.cfg from the game. Remove it.");
    }
    return {};
}

// How many characters at the end of the text hold at least excessBytes of the line.
qsizetype charactersHolding(const QString &text, qsizetype excessBytes)
{
    qsizetype characters = 0;
    qsizetype end = text.size();
    while (excessBytes > 0 && end > 0) {
        qsizetype start = end - 1;
        if (start > 0 && text.at(start).isLowSurrogate() && text.at(start - 1).isHighSurrogate())
            --start;
        excessBytes -= host::toFileEncoding(text.sliced(start, end - start)).value_or(QByteArray(1, '?')).size();
        end = start;
        ++characters;
    }
    return characters;
}

QString tooLongLine(const QString &text, qsizetype lineBytes)
{
    const qsizetype excess = charactersHolding(text, lineBytes - maxLineBytes);
    return QStringLiteral("The bind is too long for the game: Quake 3 and RTCW read at most %1 bytes of a "
                          "line and would run the rest as console commands. Shorten the text by %2 "
                          "character%3 or more.")
        .arg(host::englishNumber(maxLineBytes), host::englishNumber(excess),
             excess == 1 ? QString() : QStringLiteral("s"));
}

QString tooLargeFile(const QString &path, qint64 newSize)
{
    return QStringLiteral("Did not add the bind: \"%1\" would grow to %2 bytes, and no game reads an "
                          "autoexec.cfg larger than %3 bytes (Quake III Arena 1.32 and the original RTCW "
                          "stop at %4). Remove binds you no longer use from the file, then add this one "
                          "again.")
        .arg(host::shownPath(path), host::englishNumber(newSize), host::englishNumber(fileLimit),
             host::englishNumber(originalGamesFileLimit));
}

QString passedOriginalGamesLimit(const QString &path, qint64 newSize)
{
    return QStringLiteral("The bind was added, but \"%1\" is now %2 bytes: Quake III Arena 1.32 and the "
                          "original RTCW ignore the whole file from %3 bytes on, while ioquake3 and iortcw "
                          "read up to %4. If you play the original games, remove binds you no longer "
                          "use from the file.")
        .arg(host::shownPath(path), host::englishNumber(newSize), host::englishNumber(originalGamesFileLimit + 1),
             host::englishNumber(fileLimit));
}

// The last byte, when the file has one, so a line without its line end can be closed
// first. Reads that byte only: an append costs the same whatever the file's size.
std::optional<char> lastByteOf(QFile &file, qint64 size)
{
    char last = 0;
    if (size <= 0 || !file.seek(size - 1) || !file.getChar(&last))
        return std::nullopt;
    return last;
}

// Writes until all is written or the system says why not: a short write (a disk
// that fills midway) is followed by one that reports the cause.
bool appendAll(QFile &file, const QByteArray &bytes)
{
    for (qsizetype done = 0; done < bytes.size();) {
        const qint64 written = file.write(bytes.constData() + done, bytes.size() - done);
        if (written <= 0)
            return false;
        done += written;
    }
    return true;
}

} // namespace

QString addFailure(const QString &path, const QString &reason, int systemError)
{
    const QString advice = host::isDiskFull(systemError)
        ? QStringLiteral("Free some space on that disk, then add the bind again.")
        : QStringLiteral("Check the game folder and try again.");
    return QStringLiteral("Could not add the bind to \"%1\": %2. %3").arg(host::shownPath(path), reason, advice);
}

QByteArray lineEndBefore(std::optional<char> lastByte)
{
    return lastByte && *lastByte != '\n' ? QByteArray("\r\n") : QByteArray();
}

QString autoexecIn(const QString &dirloc)
{
    return dirloc + QStringLiteral("autoexec.cfg");
}

std::optional<QString> autoexecPath(const QString &dirloc, const host::Host &host, QString *error)
{
    return host::toHostPath(autoexecIn(dirloc), host, error);
}

QString bindLine(const QString &key, const QString &text)
{
    return QStringLiteral("bind ") + key.trimmed() + u' ' + u'"' + text + u'"';
}

bool readsAsWritten(const QString &key, const QString &text, QString *error)
{
    if (!isBindableKey(key.trimmed(), error))
        return false;
    *error = textRefusal(text);
    return error->isEmpty();
}

std::optional<QByteArray> encodedLine(const QString &key, const QString &text, QString *error)
{
    if (!readsAsWritten(key, text, error))
        return std::nullopt;
    const std::optional<QByteArray> line = host::toFileEncoding(bindLine(key, text));
    if (!line) {
        *error = QStringLiteral("The key or the text holds characters that this system's "
                                "code page cannot write. Remove them and try again.");
        return std::nullopt;
    }
    if (line->size() > maxLineBytes) {
        *error = tooLongLine(text, line->size());
        return std::nullopt;
    }
    return line;
}

bool writeLine(const BindRequest &request, const host::Host &host, QString *error, QString *notice)
{
    const std::optional<QByteArray> line = encodedLine(request.key, request.text, error);
    if (!line)
        return false;
    QString unreachable;
    const std::optional<QString> target = autoexecPath(request.dirloc, host, &unreachable);
    if (!target) {
        *error = addFailure(autoexecIn(request.dirloc), unreachable);
        return false;
    }
    return appendLine(*target, *line, error, notice);
}

QString sizeNotice(const QString &hostPath, qint64 oldSize, qint64 newSize)
{
    const bool passesOriginalLimit = oldSize <= originalGamesFileLimit && newSize > originalGamesFileLimit;
    return passesOriginalLimit ? passedOriginalGamesLimit(hostPath, newSize) : QString();
}

bool appendLine(const QString &hostPath, QByteArray line, QString *error, QString *notice)
{
    line.append("\r\n");
    QFile file;
    QString notOpened;
    if (!host::openRegularFile(file, hostPath, host::OpenFor::Append, &notOpened)) {
        *error = addFailure(hostPath, notOpened);
        return false;
    }
    // The size from the file system: the file itself is never read beyond its last byte.
    const qint64 oldSize = file.size();
    line.prepend(lineEndBefore(lastByteOf(file, oldSize)));
    const qint64 newSize = oldSize + line.size();
    if (newSize > fileLimit) {
        *error = tooLargeFile(hostPath, newSize);
        return false;
    }
    if (!appendAll(file, line)) {
        const int cause = host::lastSystemError();
        *error = addFailure(hostPath, host::describeFileFailure(hostPath, file, cause), cause);
        file.resize(oldSize); // drop a half-written line; QFile's destructor releases the file
        return false;
    }
    file.close();
    if (file.error() != QFileDevice::NoError) {
        const int cause = host::lastSystemError();
        *error = addFailure(hostPath, host::describeFileFailure(hostPath, file, cause), cause);
        return false;
    }
    if (notice)
        *notice = sizeNotice(hostPath, oldSize, newSize);
    return true;
}

} // namespace binds
