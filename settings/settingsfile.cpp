#include "settings/settingsfile.h"

#include "host/filefailure.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QStringDecoder>
#include <QStringEncoder>

namespace settings {

namespace {

const QString fileName = QStringLiteral("settings.cfg");

// One line without its CR LF or LF; nullopt at the end of the file or past the limit.
std::optional<QByteArray> readLine(QFile &file)
{
    if (file.atEnd())
        return std::nullopt;
    QByteArray line = file.readLine(maxLineBytes + 2);
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

// A folder as the line holds it; a line wrapped in double quotes loses them. Nullopt
// for bytes that are no text of this system.
std::optional<QString> folderFrom(const QByteArray &line)
{
    QStringDecoder decoder(QStringDecoder::System);
    QString folder = decoder.decode(line);
    if (decoder.hasError())
        return std::nullopt;
    for (QChar c : folder) {
        if (c.category() == QChar::Other_Control && c != u'\t')
            return std::nullopt;
    }
    if (folder.size() >= 2 && folder.startsWith(u'"') && folder.endsWith(u'"'))
        folder = folder.sliced(1, folder.size() - 2);
    return folder;
}

QString saveFailure(const QString &path, const QString &reason)
{
    return QStringLiteral("Could not save the game folders to \"%1\": %2. "
                          "They will not be remembered next time.")
        .arg(path, reason);
}

} // namespace

QString settingsFilePath(const QString &programFolder, const QString &userConfigFolder)
{
    const QFileInfo program(programFolder);
    const QString folder = program.isDir() && program.isWritable() ? programFolder : userConfigFolder;
    return QDir(folder).filePath(fileName);
}

std::optional<Folders> load(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return std::nullopt;
    const std::optional<QByteArray> first = readLine(file);
    const std::optional<QByteArray> second = first ? readLine(file) : std::nullopt;
    if (!second)
        return std::nullopt;
    const std::optional<QString> quake3 = folderFrom(*first);
    const std::optional<QString> rtcw = folderFrom(*second);
    if (!quake3 || !rtcw)
        return std::nullopt;
    return Folders{*quake3, *rtcw};
}

bool saveThrough(QSaveFile &file, const Folders &folders, QString *error)
{
    const QString path = file.fileName();
    QStringEncoder encoder(QStringEncoder::System);
    const QByteArray bytes = encoder.encode(folders.quake3 + QStringLiteral("\r\n") + folders.rtcw
                                            + QStringLiteral("\r\n11\r\n"));
    if (encoder.hasError()) {
        *error = saveFailure(path, QStringLiteral("a folder name holds characters that this "
                                                  "system's code page cannot write"));
        return false;
    }
    QDir().mkpath(QFileInfo(path).absolutePath()); // the per-user folder may be new; open reports failures
    if (!file.open(QIODevice::WriteOnly)) {
        *error = saveFailure(path, host::describeFileFailure(path, file));
        return false;
    }
    // Never close() a QSaveFile: commit() decides whether the old file is replaced.
    if (file.write(bytes) != bytes.size() || !file.commit()) {
        *error = saveFailure(path, host::describeFileFailure(path, file));
        file.cancelWriting();
        return false;
    }
    return true;
}

bool save(const QString &path, const Folders &folders, QString *error)
{
    QSaveFile file(path);
    return saveThrough(file, folders, error);
}

} // namespace settings
