// A folder string of any text, as a Linux player types it: it reaches the file system
// only where it says, a drive path never above its drive's root in the Wine prefix.

#include "fuzzcheck.h"

#include "host/folderstring.h"
#include "host/wine.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <cstdint>

namespace {

// A home and a Wine prefix with a drive c: and a folder in it, made once.
struct Machine {
    QTemporaryDir folder;
    host::Host host;
    Machine()
    {
        const QString prefix = folder.filePath(QStringLiteral("wine"));
        FUZZ_EXPECT(QDir().mkpath(prefix + QStringLiteral("/drive_c/Games/Quake3/baseq3")));
        FUZZ_EXPECT(QDir().mkpath(prefix + QStringLiteral("/dosdevices")));
        FUZZ_EXPECT(QFile::link(QStringLiteral("../drive_c"), prefix + QStringLiteral("/dosdevices/c:")));
        FUZZ_EXPECT(QDir().mkpath(folder.filePath(QStringLiteral("home/.q3a/baseq3"))));
        host = {host::Style::Posix, prefix, folder.filePath(QStringLiteral("home")),
                folder.filePath(QStringLiteral("home/.config"))};
    }
};

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    static const Machine machine;
    const QString typed = QString::fromUtf8(reinterpret_cast<const char *>(data), qsizetype(size));
    if (typed.contains(QChar(u'\0')))
        return 0; // no file name holds one: Qt refuses them with a warning each time
    for (host::Style style : {host::Style::Posix, host::Style::Windows}) {
        const QString folder = host::withFinalSeparator(typed, style);
        FUZZ_EXPECT(host::endsWithSeparator(folder, style));
        FUZZ_EXPECT(host::withFinalSeparator(folder, style) == folder);
    }
    if (!host::isWholeFolder(typed, host::Style::Posix))
        return 0;
    const QString root = host::withFinalSeparator(typed, host::Style::Posix);
    QString error;
    const std::optional<QString> path = host::toHostPath(root, machine.host, &error);
    FUZZ_EXPECT(path.has_value() == error.isEmpty());
    if (!path)
        return 0;
    FUZZ_EXPECT(path->startsWith(u'/'));
    if (typed.size() >= 2 && typed.at(1) == u':' && typed.at(0).toLower() == u'c')
        FUZZ_EXPECT(*path == host::wine::driveFolder(machine.host.winePrefix, u'c') + u'/'
                    || path->startsWith(host::wine::driveFolder(machine.host.winePrefix, u'c') + u'/'));
    FUZZ_EXPECT(
        host::endsWithSeparator(host::gameFolder(root, QStringLiteral("baseq3"), machine.host), host::Style::Posix));
    return 0;
}
