#include "binds/quake3.h"

#include <algorithm>

namespace binds {

using host::withFinalSeparator;

QString rootRefusal(const QString &root, const RootNames &names, host::Style style)
{
    const QString example = style == host::Style::Windows
                                ? names.windowsExample
                                : QStringLiteral("%1 or %2").arg(names.posixExample, names.windowsExample);
    if (root.trimmed().isEmpty())
        return QStringLiteral("Type or pick the %1 folder first (%2), for example %3").arg(names.game, names.label, example);
    if (!host::isWholeFolder(root, style)) {
        return QStringLiteral("Type the whole %1 folder (%2) from its start, for example %3: \"%4\" would be "
                              "read from wherever Bindwright was started.")
            .arg(names.game, names.label, example, root);
    }
    return {};
}

static QString quake3Target(const Quake3Panel &panel, const host::Host &host)
{
    // A root typed without its final separator must not run into the mod folder's name
    // (C:\Quake3baseq3\).
    const QString root = withFinalSeparator(panel.root, host.style);
    switch (panel.mod) {
    case Quake3Mod::Baseq3:
        return host::gameFolder(root, QStringLiteral("baseq3"), host);
    case Quake3Mod::Osp:
        return host::gameFolder(root, QStringLiteral("osp"), host);
    case Quake3Mod::Custom:
        return host::gameFolder(root, panel.customMod, host);
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

std::optional<BindRequest> quake3Request(const Quake3Panel &panel, const host::Host &host, QString *error)
{
    static const RootNames quake3 = {QStringLiteral("Quake 3"), QStringLiteral("Root Quake3 Dir"),
                                     QStringLiteral("/home/you/.q3a/"), QStringLiteral("C:\\Games\\Quake3\\")};
    QString refusal = rootRefusal(panel.root, quake3, host.style);
    if (refusal.isEmpty() && panel.mod == Quake3Mod::Custom && namesNoFolder(panel.customMod, host.style)) {
        refusal = QStringLiteral("Type the mod folder's name in the box beside the third mod option (for example "
                                 "cpma), or choose Baseq3 or OSP.");
    }
    if (refusal.isEmpty())
        refusal = chatRefusal(panel.scope, panel.say);
    if (!refusal.isEmpty()) {
        *error = refusal;
        return std::nullopt;
    }
    return BindRequest{panel.key, chatCommand(panel.scope, panel.say), quake3Target(panel, host)};
}

QString normalisedCustomMod(const QString &text, host::Style style)
{
    return text.isEmpty() ? text : withFinalSeparator(text, style);
}

} // namespace binds
