#include "binds/bindline.h"

#include "host/filefailure.h"

#include <QFile>
#include <QStringEncoder>

namespace binds {

namespace {

const QString keyAdvice = QStringLiteral("Type one key name such as f1, mouse3 or space.");

// The game splits a key at anything but printable ASCII, and at quotes,
// semicolons and comments.
QString keyRefusal(const QString &key)
{
    if (key.isEmpty())
        return QStringLiteral("Type the key to bind first. ") + keyAdvice;

    auto refuse = [&key](const QString &what) {
        return QStringLiteral("The key \"%1\" is not one key name: it holds %2. ").arg(key, what)
               + keyAdvice;
    };
    for (QChar c : key) {
        if (c == u' ')
            return refuse(QStringLiteral("a blank"));
        if (c == u'\t')
            return refuse(QStringLiteral("a tab"));
        if (c == u'\r' || c == u'\n')
            return refuse(QStringLiteral("a line break"));
        if (c == u'"')
            return refuse(QStringLiteral("a double quote"));
        if (c == u';')
            return refuse(QStringLiteral("a semicolon, which ends a console command"));
        if (c.unicode() < 0x21 || c.unicode() > 0x7e)
            return refuse(QStringLiteral("a character the game does not take in a key name"));
    }
    if (key.contains(QLatin1String("//")) || key.contains(QLatin1String("/*")))
        return refuse(QStringLiteral("a comment mark (// or /*), which hides the rest of the line"));
    return {};
}

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

QString writeFailure(const QString &path, const QString &reason)
{
    return QStringLiteral("Could not add the bind to \"%1\": %2. "
                          "Check the game folder and try again.")
        .arg(path, reason);
}

// The last byte, when the file has one, so a line without its line end can be closed
// first. Reads that byte only: an append costs the same whatever the file's size.
bool needsLineEndFirst(QFile &file)
{
    const qint64 size = file.size();
    if (size <= 0 || !file.seek(size - 1))
        return false;
    char last = 0;
    return file.getChar(&last) && last != '\n';
}

} // namespace

QString bindLine(const QString &key, const QString &text)
{
    return QStringLiteral("bind ") + key + u' ' + u'"' + text + u'"';
}

QString refusalOf(const QString &key, const QString &text)
{
    const QString refusal = keyRefusal(key);
    return refusal.isEmpty() ? textRefusal(text) : refusal;
}

bool writeLine(const BindRequest &request, const host::Host &host, QString *error)
{
    if (const QString refusal = refusalOf(request.key, request.text); !refusal.isEmpty()) {
        *error = refusal;
        return false;
    }

    QStringEncoder encoder(QStringEncoder::System);
    QByteArray line = encoder.encode(bindLine(request.key, request.text));
    if (encoder.hasError()) {
        *error = QStringLiteral("The key or the text holds characters that this system's "
                                "code page cannot write. Remove them and try again.");
        return false;
    }
    line += "\r\n";

    const host::HostPath target = host::toHostPath(request.dirloc + QStringLiteral("autoexec.cfg"), host);
    if (!target.ok()) {
        *error = writeFailure(request.dirloc + QStringLiteral("autoexec.cfg"), target.error);
        return false;
    }

    // Unbuffered, so a failed write is reported by the write itself, and appending,
    // so the line goes after whatever another program wrote meanwhile.
    QFile file(target.path);
    if (!file.open(QIODevice::ReadWrite | QIODevice::Append | QIODevice::Unbuffered)) {
        *error = writeFailure(target.path, host::describeFileFailure(target.path, file));
        return false;
    }
    const qint64 oldSize = file.size();
    if (needsLineEndFirst(file))
        line.prepend("\r\n");
    const bool written = file.write(line) == line.size() && file.flush();
    if (!written) {
        *error = writeFailure(target.path, host::describeFileFailure(target.path, file));
        file.resize(oldSize); // drop a half-written line; QFile's destructor releases the file
        return false;
    }
    file.close();
    if (file.error() != QFileDevice::NoError) {
        *error = writeFailure(target.path, host::describeFileFailure(target.path, file));
        return false;
    }
    return true;
}

} // namespace binds
