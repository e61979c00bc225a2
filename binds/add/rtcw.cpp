#include "binds/add/rtcw.h"

#include "host/error.h"

namespace binds {

bool isVoiceCommand(const QString &command)
{
    const QString first = command.section(u' ', 0, 0, QString::SectionSkipEmpty);
    return first.compare(u"vsay", Qt::CaseInsensitive) == 0 || first.compare(u"vsay_team", Qt::CaseInsensitive) == 0;
}

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

// The command the key runs, or nullopt with the reason.
static std::optional<QString> rtcwCommand(const RtcwFields &fields, QString *error)
{
    switch (fields.kind) {
    case RtcwKind::Voice:
        if (fields.voice == voicePlaceholder || fields.voice.trimmed().isEmpty()) {
            host::setError(
                error,
                QStringLiteral("Pick a voice command from the list first, or type one, such as vsay_team Medic."));
            return std::nullopt;
        }
        return fields.voice;
    case RtcwKind::Say:
        // This panel binds no console text of the player's own: a text needs its chat.
        if (fields.scope == ChatScope::None) {
            host::setError(error, QStringLiteral("Choose Team Talk or Public for the text to say first."));
            return std::nullopt;
        }
        if (!sendsAsTyped(fields.scope, fields.say, error))
            return std::nullopt;
        return chatCommand(fields.scope, fields.say);
    case RtcwKind::None:
        break;
    }
    host::setError(error,
                   QStringLiteral("Choose what the key sends first: a voice command (the option beside the voice list) "
                                  "or a text to say (the option beside To Say)."));
    return std::nullopt;
}

QString rtcwRootShown(const QString &root, host::Style style)
{
    return isUsableRoot(root, rtcwGame(), style) ? host::withFinalSeparator(root, style) : root;
}

std::optional<BindRequest> rtcwRequest(const RtcwFields &fields, const host::Host &host, QString *error)
{
    if (!isUsableRoot(fields.root, rtcwGame(), host.style, error))
        return std::nullopt;
    const std::optional<QString> command = rtcwCommand(fields, error);
    if (!command)
        return std::nullopt;
    const QString root = host::withFinalSeparator(fields.root, host.style);
    return BindRequest {fields.key, *command, host::gameFolder(root, rtcwGame().baseFolder, host)};
}

} // namespace binds
