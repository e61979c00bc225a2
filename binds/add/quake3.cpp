#include "binds/add/quake3.h"

#include "host/error.h"

#include <algorithm>

namespace binds {

using host::withFinalSeparator;

bool isUsableRoot(const QString &root, const Game &game, host::Style style, QString *error)
{
    const QString example = style == host::Style::Windows
        ? game.windowsRoot
        : QStringLiteral("%1 or %2").arg(game.posixRoot, game.windowsRoot);
    if (root.trimmed().isEmpty()) {
        host::setError(error,
                       QStringLiteral("Type or pick the %1 folder first (%2), for example %3")
                           .arg(game.name, game.rootLabel, example));
        return false;
    }
    if (!host::isWholeFolder(root, style)) {
        host::setError(error,
                       QStringLiteral("Type the whole %1 folder (%2) from its start, for example %3: \"%4\" would be "
                                      "read from wherever Bindwright was started.")
                           .arg(game.name, game.rootLabel, example, root));
        return false;
    }
    return true;
}

static QString quake3Target(const Quake3Fields &fields, const host::Host &host)
{
    // A root typed without its final separator must not run into the mod folder's name
    // (C:\Quake3baseq3\).
    QString root = withFinalSeparator(fields.root, host.style);
    switch (fields.mod) {
    case Quake3Mod::Baseq3:
        return host::gameFolder(root, quake3Game().baseFolder, host);
    case Quake3Mod::Osp:
        return host::gameFolder(root, ospFolder, host);
    case Quake3Mod::Custom:
        return host::gameFolder(root, fields.customMod, host);
    case Quake3Mod::None:
        break;
    }
    return root;
}

// A mod box of blanks and separators names no folder: the file would land in the root.
static bool namesNoFolder(const QString &customMod, host::Style style)
{
    return std::all_of(customMod.cbegin(), customMod.cend(),
                       [style](QChar c) { return c.isSpace() || host::isSeparator(c, style); });
}

std::optional<BindRequest> quake3Request(const Quake3Fields &fields, const host::Host &host, QString *error)
{
    if (!isUsableRoot(fields.root, quake3Game(), host.style, error))
        return std::nullopt;
    if (fields.mod == Quake3Mod::Custom && namesNoFolder(fields.customMod, host.style)) {
        host::setError(error,
                       QStringLiteral("Type the mod folder's name in the box beside the third mod option (for example "
                                      "cpma), or choose Baseq3 or OSP."));
        return std::nullopt;
    }
    if (!sendsAsTyped(fields.scope, fields.say, error))
        return std::nullopt;
    return BindRequest {fields.key, chatCommand(fields.scope, fields.say), quake3Target(fields, host)};
}

QString normalisedCustomMod(const QString &text, host::Style style)
{
    return text.isEmpty() ? text : withFinalSeparator(text, style);
}

} // namespace binds
