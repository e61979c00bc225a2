#include "binds/configfile.h"

#include "host/folderstring.h"
#include "host/regularfile.h"

#include <QFile>
#include <QLocale>

namespace binds {

ConfigFile configFileOf(const QByteArray &bytes)
{
    ConfigFile file{bytes, {}, {}};
    for (const ScriptCommand &command : scriptCommands(bytes)) {
        // Key_Bind_f: the binding is every argument after the key, joined by one blank.
        if (command.args.size() >= 3 && command.args.first().compare("bind", Qt::CaseInsensitive) == 0)
            file.binds.append({command.args.at(1), command.args.mid(2).join(' '), command.begin, command.end});
        else
            file.others.append(command);
    }
    return file;
}

std::optional<QByteArray> readConsoleFile(const QString &hostPath, QString *error)
{
    QFile file;
    QString notOpened;
    if (!host::openRegularFile(file, hostPath, host::OpenFor::Read, &notOpened)) {
        *error = QStringLiteral("Could not read \"%1\": %2.").arg(host::shownPath(hostPath), notOpened);
        return std::nullopt;
    }
    if (file.size() > maxConfigBytes) {
        *error = QStringLiteral("Did not read \"%1\": at %2 bytes it is larger than any game reads.")
                     .arg(host::shownPath(hostPath), QLocale(QLocale::English).toString(file.size()));
        return std::nullopt;
    }
    const QByteArray bytes = file.read(maxConfigBytes);
    if (file.error() != QFileDevice::NoError) {
        *error = QStringLiteral("Could not read \"%1\": %2.").arg(host::shownPath(hostPath), file.errorString());
        return std::nullopt;
    }
    return bytes;
}

std::optional<ConfigFile> readConfigFile(const QString &hostPath, QString *error)
{
    if (const std::optional<QByteArray> bytes = readConsoleFile(hostPath, error))
        return configFileOf(*bytes);
    return std::nullopt;
}

} // namespace binds
