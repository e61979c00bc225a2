// Appending a bind to a large autoexec.cfg against appending to an empty one: the writer
// reads only the file's last byte, so the size must not show. The large file starts at
// 75,000 bytes, so that the benchmark's appends keep it within what the games read.

#include "benchtiming.h"

#include "binds/files/bindline.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

int main()
{
    QTemporaryDir dir;
    const QString big = dir.filePath(QStringLiteral("big/"));
    const QString empty = dir.filePath(QStringLiteral("empty/"));
    QDir().mkpath(big);
    QDir().mkpath(empty);
    {
        QFile file(big + QStringLiteral("autoexec.cfg"));
        if (!file.open(QIODevice::WriteOnly))
            return 2;
        const QByteArray line = "bind f1 \"say_team ^1Incoming! Watch the left side\"\r\n";
        QByteArray chunk;
        while (chunk.size() < 75000)
            chunk += line;
        file.write(chunk.left(75000));
    }

    const host::Host host = host::Host::current();
    QString error;
    int failures = 0;
    auto append = [&](const QString &folder) {
        return [&, folder] { failures += !binds::writeLine({"f1", "say_team hi", folder}, host, &error); };
    };
    // Interleaved rounds, so both files see the same state of the machine.
    double toBig = 0, toEmpty = 0;
    for (int round = 0; round < 5; ++round) {
        QFile::remove(empty + QStringLiteral("autoexec.cfg"));
        toEmpty += medianMicroseconds(401, append(empty));
        toBig += medianMicroseconds(401, append(big));
    }
    if (failures) {
        std::printf("writeLine failed: %s\n", qPrintable(error));
        return 2;
    }
    return reportRatio("append", toBig / 5, "append to an empty autoexec.cfg", toEmpty / 5, 1.2) ? 0 : 1;
}
