#include "binds/quake3.h"

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
    static const RootNames quake3 = {QStringLiteral("Quake 3"), QStringLiteral("Root Quake3 Dir"),
                                     QStringLiteral("/home/you/.q3a/"), QStringLiteral("C:\\Games\\Quake3\\")};
    if (const QString refusal = rootRefusal(panel.root, quake3, style);
        !refusal.isEmpty()) {
        *error = refusal;
        return std::nullopt;
    }
    return BindRequest{panel.key, chatCommand(panel.scope, panel.say), quake3Target(panel, style)};
}

QString normalisedCustomMod(const QString &text, host::Style style)
{
    return text.isEmpty() ? text : withFinalSeparator(text, style);
}

} // namespace binds
