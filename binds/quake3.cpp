#include "binds/quake3.h"

namespace binds {

using host::withFinalSeparator;

QString chatCommand(ChatScope scope, const QString &say)
{
    switch (scope) {
    case ChatScope::Team:
        return QStringLiteral("say_team ") + say;
    case ChatScope::Public:
        return QStringLiteral("say ") + say;
    case ChatScope::None:
        break;
    }
    return say;
}

static QString quake3Target(const Quake3Panel &panel, host::Style style)
{
    // A root or mod folder typed without its final separator must not run into the
    // next name (C:\Quake3baseq3\, mymodautoexec.cfg).
    const QString root = withFinalSeparator(panel.root, style);
    switch (panel.mod) {
    case Quake3Mod::Baseq3:
        return withFinalSeparator(root + QStringLiteral("baseq3"), style);
    case Quake3Mod::Osp:
        return withFinalSeparator(root + QStringLiteral("osp"), style);
    case Quake3Mod::Custom:
        return withFinalSeparator(root + panel.customMod, style);
    case Quake3Mod::None:
        break;
    }
    return root;
}

std::optional<BindRequest> quake3Request(const Quake3Panel &panel, host::Style style, QString *error)
{
    if (panel.root.trimmed().isEmpty()) {
        *error = QStringLiteral("Type or pick the Quake 3 folder first (Root Quake3 Dir), "
                                "for example C:\\Program Files\\Quake III Arena\\.");
        return std::nullopt;
    }
    return BindRequest{panel.key, chatCommand(panel.scope, panel.say), quake3Target(panel, style)};
}

QString normalisedCustomMod(const QString &text, host::Style style)
{
    return text.isEmpty() ? text : withFinalSeparator(text, style);
}

} // namespace binds
