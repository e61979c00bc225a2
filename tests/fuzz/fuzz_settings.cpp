// A settings file of any bytes: the load says why it refuses one, and what it loads
// saves and loads back as it was.

#include "fuzzcheck.h"

#include "settings/settingsfile.h"

#include <QFile>
#include <QTemporaryDir>

#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    static const QTemporaryDir folder;
    FUZZ_EXPECT(folder.isValid());
    const QString path = folder.filePath(QStringLiteral("settings.cfg"));
    QFile file(path);
    FUZZ_EXPECT(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    FUZZ_EXPECT(file.write(reinterpret_cast<const char *>(data), qint64(size)) == qint64(size));
    file.close();

    QString error;
    const std::optional<settings::Folders> loaded = settings::load(path, &error);
    FUZZ_EXPECT(loaded.has_value() == error.isEmpty());
    if (!loaded)
        return 0;
    const QString again = folder.filePath(QStringLiteral("again.cfg"));
    if (settings::save(again, *loaded, &error))
        FUZZ_EXPECT(settings::load(again, &error) == loaded);
    else
        FUZZ_EXPECT(!error.isEmpty());
    return 0;
}
