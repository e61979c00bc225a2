#include "binds/files/consolefile.h"

#include "host/error.h"
#include "host/folderstring.h"
#include "host/numbers.h"
#include "host/regularfile.h"

#include <QFile>

namespace binds {

std::optional<QByteArray> readConsoleFile(const QString &hostPath, QString *error)
{
    QFile file;
    QString notOpened;
    if (!host::openRegularFile(file, hostPath, host::OpenFor::Read, &notOpened)) {
        host::setError(error, QStringLiteral("Could not read \"%1\": %2.").arg(host::shownPath(hostPath), notOpened));
        return std::nullopt;
    }
    if (file.size() > maxConfigBytes) {
        host::setError(error,
                       QStringLiteral("Did not read \"%1\": at %2 bytes it is larger than any game reads.")
                           .arg(host::shownPath(hostPath), host::englishNumber(file.size())));
        return std::nullopt;
    }
    const QByteArray bytes = file.read(maxConfigBytes);
    if (file.error() != QFileDevice::NoError) {
        host::setError(error,
                       QStringLiteral("Could not read \"%1\": %2.").arg(host::shownPath(hostPath), file.errorString()));
        return std::nullopt;
    }
    return bytes;
}

} // namespace binds
