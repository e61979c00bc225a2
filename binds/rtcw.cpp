#include "binds/rtcw.h"

namespace binds {

const QStringList &voiceCommands()
{
    static const QStringList commands = {
        QStringLiteral("vsay GoodGame"),
        QStringLiteral("vsay Hi"),
        QStringLiteral("vsay Cheer"),
        QStringLiteral("vsay Bye"),
        QStringLiteral("vsay Thanks"),
        QStringLiteral("vsay GreatShot"),
        QStringLiteral("vsay Oops"),
        QStringLiteral("vsay_team FireInTheHole"),
        QStringLiteral("vsay_team HoldYourFire"),
        QStringLiteral("vsay_team TakingFire"),
        QStringLiteral("vsay_team AllClear"),
        QStringLiteral("vsay_team DynamitePlanted"),
        QStringLiteral("vsay_team DisarmDynamite"),
        QStringLiteral("vsay_team DynamiteDefused"),
        QStringLiteral("vsay_team EnemyWeak"),
        QStringLiteral("vsay_team Incoming"),
        QStringLiteral("vsay_team DefendObjective"),
        QStringLiteral("vsay_team ClearPath"),
        QStringLiteral("vsay_team PathCleared"),
        QStringLiteral("vsay_team LetsGo"),
        QStringLiteral("vsay_team Medic"),
        QStringLiteral("vsay_team NeedAmmo"),
        QStringLiteral("vsay_team NeedEngineer"),
        QStringLiteral("vsay_team OnDefense"),
        QStringLiteral("vsay_team OnOffense"),
        QStringLiteral("vsay_team NeedBackup"),
        QStringLiteral("vsay_team FollowMe"),
        QStringLiteral("vsay_team Sorry"),
        QStringLiteral("vsay_team Welcome"),
        QStringLiteral("vsay_team Affirmative"),
        QStringLiteral("vsay_team Negative"),
        QStringLiteral("vsay_team IamEngineer"),
        QStringLiteral("vsay_team IamMedic"),
        QStringLiteral("vsay_team IamLieutenant"),
        QStringLiteral("vsay_team IamSoldier"),
    };
    return commands;
}

static QString rtcwCommand(const RtcwPanel &panel)
{
    switch (panel.kind) {
    case RtcwKind::Voice:
        return panel.voice;
    case RtcwKind::Say:
        // There is no raw console text in this panel: no chat scope binds nothing.
        return panel.scope == ChatScope::None ? QString() : chatCommand(panel.scope, panel.say);
    case RtcwKind::None:
        break;
    }
    return {};
}

RtcwAssembly rtcwRequest(const RtcwPanel &panel, host::Style style)
{
    static const RootNames rtcw = {QStringLiteral("RTCW"), QStringLiteral("RTCW Root Dir"),
                                   QStringLiteral("/home/you/.wolf/"), QStringLiteral("C:\\Games\\RTCW\\")};
    if (const QString refusal = rootRefusal(panel.root, rtcw, style);
        !refusal.isEmpty()) {
        return {panel.root, std::nullopt, refusal};
    }
    const QString root = host::withFinalSeparator(panel.root, style);
    if (panel.kind == RtcwKind::Voice && panel.voice == voicePlaceholder) {
        return {root, std::nullopt,
                QStringLiteral("Pick a voice command from the list first, or type one, "
                               "such as vsay_team Medic.")};
    }
    const QString target = host::withFinalSeparator(root + QStringLiteral("main"), style);
    return {root, BindRequest{panel.key, rtcwCommand(panel), target}, {}};
}

} // namespace binds
