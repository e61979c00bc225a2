// A console file of any bytes: every engine's reading of its binds, and the removal of
// them, keep what the file does to every other key.

#include "fuzzcheck.h"

#include "binds/engine/keys.h"
#include "binds/files/bindremoval.h"
#include "binds/files/startrun.h"

#include <cstdint>

using namespace binds;

namespace {

StartRun runOf(const QByteArray &bytes)
{
    return StartRun::of({StartFile {QStringLiteral("autoexec.cfg"), bytes, true, {}}}, allEngines());
}

// Every key but the removed bind's has the binding it had.
void expectOtherKeysKept(const StartRun &before, const StartRun &after, const StartBind &removed)
{
    for (qsizetype engine = 0; engine < before.engines().size(); ++engine) {
        const std::optional<ConfigBind> &read = removed.read.at(engine);
        const ConsoleRules &rules = before.engines().at(engine)->rules;
        const std::optional<int> removedKey = read ? keyNumber(read->key, rules) : std::nullopt;
        QHash<int, QByteArray> was = before.bindings(engine);
        QHash<int, QByteArray> is = after.bindings(engine);
        if (removedKey) {
            was.remove(*removedKey);
            is.remove(*removedKey);
        }
        FUZZ_EXPECT(was == is);
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    if (size > 16 * 1024)
        return 0; // larger files take no other paths, only longer
    const QByteArray bytes(reinterpret_cast<const char *>(data), qsizetype(size));
    const StartRun before = runOf(bytes);
    const QList<StartBind> found = before.bindsIn(0);
    for (const StartBind &bind : found) {
        FUZZ_EXPECT(
            std::any_of(bind.read.cbegin(), bind.read.cend(), [](const auto &read) { return read.has_value(); }));
        FUZZ_EXPECT(lineNumberAt(bytes, bind.shown().begin) >= 1);
        QString error;
        const std::optional<QByteArray> without = withoutBinds(bytes, {bind}, allEngines(), &error);
        FUZZ_EXPECT(without.has_value() != !error.isEmpty());
        if (without) {
            FUZZ_EXPECT(without->size() < bytes.size());
            expectOtherKeysKept(before, runOf(*without), bind);
        }
    }
    QString error;
    if (const std::optional<QByteArray> none = withoutBinds(bytes, found, allEngines(), &error)) {
        // Taken out together, no bind is left for any engine to read.
        FUZZ_EXPECT(runOf(*none).bindsIn(0).isEmpty());
    }
    return 0;
}
