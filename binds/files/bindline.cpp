#include "binds/files/bindline.h"

#include "binds/engine/keys.h"
#include "host/error.h"
#include "host/filefailure.h"
#include "host/numbers.h"
#include "host/regularfile.h"
#include "host/textencoding.h"

#include <QFile>
#include <QMap>

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
                          "line and would run the rest as console commands, or drop it. Shorten the text by %2 "
                          "character%3 or more.")
        .arg(host::englishNumber(maxLineBytes), host::englishNumber(excess),
             excess == 1 ? QString() : QStringLiteral("s"));
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

QString addFailure(const QString &path, const QString &reason, int systemError, const QString &advice)
{
    const QString what = !advice.isEmpty() ? advice
        : host::isDiskFull(systemError)    ? QStringLiteral("Free some space on that disk, then add the bind again.")
                                           : QStringLiteral("Check the game folder and try again.");
    return QStringLiteral("Could not add the bind to \"%1\": %2. %3").arg(host::shownPath(path), reason, what);
}

QByteArray lineEndBefore(std::optional<char> lastByte)
{
    return lastByte && *lastByte != '\n' ? QByteArray("\r\n") : QByteArray();
}

QString autoexecIn(const QString &gameFolder)
{
    return gameFolder + QStringLiteral("autoexec.cfg");
}

std::optional<QString> autoexecPath(const QString &gameFolder, const host::Host &host, QString *error)
{
    return host::toHostPath(autoexecIn(gameFolder), host, error);
}

QString bindLine(const QString &key, const QString &text)
{
    return QStringLiteral("bind ") + key.trimmed() + u' ' + u'"' + text + u'"';
}

bool readsAsWritten(const QString &key, const QString &text, QString *error)
{
    return readsAsWritten(key, text, allEngines(), error);
}

bool readsAsWritten(const QString &key, const QString &text, const QList<const Engine *> &engines, QString *error)
{
    if (!isBindableKey(key.trimmed(), engines, error))
        return false;
    const QString refusal = textRefusal(text);
    host::setError(error, refusal);
    return refusal.isEmpty();
}

std::optional<QByteArray> encodedLine(const QString &key, const QString &text, QString *error)
{
    return encodedLine(key, text, allEngines(), error);
}

std::optional<QByteArray> encodedLine(const QString &key, const QString &text, const QList<const Engine *> &engines,
                                      QString *error)
{
    if (!readsAsWritten(key, text, engines, error))
        return std::nullopt;
    std::optional<QByteArray> line = host::toFileEncoding(bindLine(key, text));
    if (!line) {
        host::setError(error,
                       QStringLiteral("The key or the text holds characters that this system's "
                                      "code page cannot write. Remove them and try again."));
        return std::nullopt;
    }
    if (line->size() > maxLineBytes) {
        host::setError(error, tooLongLine(text, line->size()));
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
    const std::optional<QString> target = autoexecPath(request.gameFolder, host, &unreachable);
    if (!target) {
        host::setError(error, addFailure(autoexecIn(request.gameFolder), unreachable));
        return false;
    }
    return appendLine(*target, *line, error, notice);
}

namespace {

// The engines of a list that run the least, and that limit.
std::pair<QList<const Engine *>, qint64> smallestLimit(const QList<const Engine *> &engines)
{
    qint64 smallest = largestFileLimit(engines);
    for (const Engine *engine : engines)
        smallest = std::min(smallest, engine->rules.fileLimit);
    QList<const Engine *> those;
    for (const Engine *engine : engines) {
        if (engine->rules.fileLimit == smallest)
            those << engine;
    }
    return {those, smallest};
}

} // namespace

QString tooLargeFor(const QString &hostPath, qint64 newSize, const QList<const Engine *> &engines)
{
    const qint64 largest = largestFileLimit(engines);
    if (newSize <= largest)
        return {};
    const QString start = QStringLiteral("Did not add the bind: \"%1\" would grow to %2 bytes, and ")
                              .arg(host::shownPath(hostPath), host::englishNumber(newSize));
    const QString end = QStringLiteral(" Remove binds you no longer use from the file, then add this one again.");
    const auto [least, smallest] = smallestLimit(engines);
    if (smallest == largest) {
        return start
            + QStringLiteral("%1 run%2 nothing of an autoexec.cfg larger than %3 bytes.")
                  .arg(engineNames(engines), engines.size() == 1 ? QStringLiteral("s") : QString(),
                       host::englishNumber(largest))
            + end;
    }
    return start
        + QStringLiteral("no game reads an autoexec.cfg larger than %1 bytes (%2 stop at %3).")
              .arg(host::englishNumber(largest), engineNames(least), host::englishNumber(smallest))
        + end;
}

QString passesSomeLimits(const QString &hostPath, qint64 newSize, const QList<const Engine *> &engines, bool written)
{
    QList<const Engine *> runNothing;
    QList<const Engine *> run;
    for (const Engine *engine : engines)
        (newSize > engine->rules.fileLimit ? runNothing : run) << engine;
    if (runNothing.isEmpty() || run.isEmpty())
        return {};
    const auto [least, smallest] = smallestLimit(runNothing);
    return QStringLiteral("\"%1\" %8 %2 bytes: %3 ignore%4 the whole file from %5 bytes on, so none of its "
                          "binds would work there, while %6 read%7 it.")
        .arg(host::shownPath(hostPath), host::englishNumber(newSize), engineNames(runNothing),
             runNothing.size() == 1 ? QStringLiteral("s") : QString(), host::englishNumber(smallest + 1),
             engineNames(run), run.size() == 1 ? QStringLiteral("s") : QString(),
             written ? QStringLiteral("is now") : QStringLiteral("would be"));
}

QString fileLimitsOf(const QList<const Engine *> &engines)
{
    QMap<qint64, QList<const Engine *>> byLimit;
    for (const Engine *engine : engines)
        byLimit[engine->rules.fileLimit] << engine;
    QStringList parts;
    for (auto it = byLimit.cbegin(); it != byLimit.cend(); ++it) {
        const QString limit = host::englishNumber(it.key());
        parts << (parts.isEmpty() ? QStringLiteral("%1 run%2 a file of up to %3 bytes")
                                        .arg(engineNames(it.value()),
                                             it.value().size() == 1 ? QStringLiteral("s") : QString(), limit)
                                  : QStringLiteral("%1 up to %2").arg(engineNames(it.value()), limit));
    }
    return parts.join(QStringLiteral(", "));
}

QString sizeNotice(const QString &hostPath, qint64 oldSize, qint64 newSize)
{
    const QList<const Engine *> all = allEngines();
    const bool passedOne = std::any_of(all.cbegin(), all.cend(), [&](const Engine *engine) {
        return oldSize <= engine->rules.fileLimit && newSize > engine->rules.fileLimit;
    });
    const QString passed = passesSomeLimits(hostPath, newSize, all, true);
    if (!passedOne || passed.isEmpty())
        return {};
    return QStringLiteral("The bind was added, but ") + passed
        + QStringLiteral(" If you play one of the first, remove binds you no longer use from the file.");
}

bool appendLine(const QString &hostPath, QByteArray line, QString *error, QString *notice)
{
    line.append("\r\n");
    QFile file;
    QString notOpened;
    if (!host::openRegularFile(file, hostPath, host::OpenFor::Append, &notOpened)) {
        host::setError(error, addFailure(hostPath, notOpened));
        return false;
    }
    // The size from the file system: the file itself is never read beyond its last byte.
    const qint64 oldSize = file.size();
    line.prepend(lineEndBefore(lastByteOf(file, oldSize)));
    const qint64 newSize = oldSize + line.size();
    if (const QString tooLarge = tooLargeFor(hostPath, newSize, allEngines()); !tooLarge.isEmpty()) {
        host::setError(error, tooLarge);
        return false;
    }
    if (!appendAll(file, line)) {
        const int cause = host::lastSystemError();
        host::setError(error, addFailure(hostPath, host::describeFileFailure(hostPath, file, cause), cause));
        file.resize(oldSize); // drop a half-written line; QFile's destructor releases the file
        return false;
    }
    file.close();
    if (file.error() != QFileDevice::NoError) {
        const int cause = host::lastSystemError();
        host::setError(error, addFailure(hostPath, host::describeFileFailure(hostPath, file, cause), cause));
        return false;
    }
    if (notice)
        host::setError(notice, sizeNotice(hostPath, oldSize, newSize));
    return true;
}

} // namespace binds
