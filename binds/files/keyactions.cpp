#include "binds/files/keyactions.h"

#include "binds/engine/keys.h"
#include "binds/files/bindline.h"
#include "binds/files/consolefile.h"
#include "decorate/chatrender.h"
#include "host/textencoding.h"

#include <QFileInfo>
#include <QHash>
#include <QStringList>

namespace binds {

namespace {

// The actions the games' own key menus name, by their command in lower case.
const QHash<QByteArray, QString> &actionNames()
{
    static const QHash<QByteArray, QString> names = {
        {"+attack", QStringLiteral("fire")},
        {"+moveup", QStringLiteral("jump")},
        {"+movedown", QStringLiteral("crouch")},
        {"+forward", QStringLiteral("walk forward")},
        {"+back", QStringLiteral("backpedal")},
        {"+moveleft", QStringLiteral("step left")},
        {"+moveright", QStringLiteral("step right")},
        {"+left", QStringLiteral("turn left")},
        {"+right", QStringLiteral("turn right")},
        {"+speed", QStringLiteral("run / walk")},
        {"+strafe", QStringLiteral("sidestep / turn")},
        {"+lookup", QStringLiteral("look up")},
        {"+lookdown", QStringLiteral("look down")},
        {"centerview", QStringLiteral("center view")},
        {"+zoom", QStringLiteral("zoom view")},
        {"+button2", QStringLiteral("use item")},
        {"+button3", QStringLiteral("gesture")},
        {"+scores", QStringLiteral("show scores")},
        {"messagemode", QStringLiteral("open chat")},
        {"messagemode2", QStringLiteral("open team chat")},
        {"messagemode3", QStringLiteral("open chat to the target")},
        {"weapnext", QStringLiteral("next weapon")},
        {"weapprev", QStringLiteral("previous weapon")},
        {"toggleconsole", QStringLiteral("open the console")},
        {"screenshot", QStringLiteral("take a screenshot")},
        {"kill", QStringLiteral("kill yourself")},
        {"+activate", QStringLiteral("activate")},
        {"+reload", QStringLiteral("reload")},
        {"+sprint", QStringLiteral("sprint")},
        {"+leanleft", QStringLiteral("lean left")},
        {"+leanright", QStringLiteral("lean right")},
        {"+kick", QStringLiteral("kick")},
        {"mp_quickmessage", QStringLiteral("quick messages")},
    };
    return names;
}

} // namespace

namespace {

bool isChat(const QByteArray &word)
{
    const QByteArray lower = word.toLower();
    return lower == "say" || lower == "say_team";
}

// What the server makes of a chat command's line: the arguments after the first joined
// by one blank, letters beyond ASCII kept (the network sends them as dots, the player's
// own screen shows them).
QString chatOfLine(const QByteArray &line)
{
    return host::fileBytesShown(chatArguments(line).mid(1).join(' '));
}

QString commandWords(const QList<QByteArray> &args, const QByteArray &line)
{
    const QByteArray first = args.value(0).toLower();
    if (isChat(first)) {
        return QStringLiteral("%1 \"%2\"")
            .arg(first == "say" ? QStringLiteral("says") : QStringLiteral("says to the team"),
                 decorate::withoutColourCodes(chatOfLine(line)));
    }
    const QString rest = host::fileBytesShown(args.mid(1).join(' '));
    if (first == "vsay" || first == "vsay_team")
        return QStringLiteral("%1 %2").arg(first == "vsay" ? QStringLiteral("voice") : QStringLiteral("team voice"),
                                           rest);
    QString text = host::fileBytesShown(args.join(' '));
    if (first == "weapon" && args.size() == 2)
        return QStringLiteral("weapon %1 (%2)").arg(rest, text);
    if (const auto action = actionNames().constFind(first); args.size() == 1 && action != actionNames().cend())
        return QStringLiteral("%1 (%2)").arg(action.value(), text);
    return text;
}

} // namespace

QString keyActionWords(const QByteArray &binding, const ConsoleRules &rules)
{
    QStringList words;
    for (const ScriptCommand &command : pressedCommands(binding, rules))
        words << commandWords(command.args, binding.mid(command.begin, command.end - command.begin));
    return words.join(QStringLiteral(", then "));
}

QString chatReceivedOf(const QByteArray &binding, const ConsoleRules &rules)
{
    const QList<ScriptCommand> commands = pressedCommands(binding, rules);
    if (commands.isEmpty() || !isChat(commands.first().args.first()))
        return {};
    // The network sends every byte past 127, and "%", as a dot (MSG_WriteString).
    QByteArray line = binding.mid(commands.first().begin, commands.first().end - commands.first().begin);
    for (char &byte : line) {
        if (static_cast<unsigned char>(byte) > 127 || byte == '%')
            byte = '.';
    }
    return chatOfLine(line);
}

QString whatKeyDoes(const QString &key, const QList<StartRun> &runs)
{
    const QString typed = key.trimmed();
    const bool anyRead = std::any_of(runs.cbegin(), runs.cend(), [](const StartRun &run) { return run.anyRead(); });
    if (typed.isEmpty() || !anyRead)
        return {};
    const QByteArray name = host::toFileEncoding(typed).value_or(QByteArray());
    // What each engine does, the engines that do the same together, in the runs' order.
    QStringList words;
    QList<QList<const Engine *>> doers;
    for (const StartRun &run : runs) {
        for (qsizetype e = 0; e < run.engines().size(); ++e) {
            const std::optional<QByteArray> binding = run.bindingOf(name, e);
            const QString these = !binding ? QStringLiteral("no such key")
                : binding->isEmpty()       ? QStringLiteral("nothing yet")
                                           : keyActionWords(*binding, run.engines().at(e)->rules);
            const qsizetype at = words.indexOf(these);
            if (at >= 0) {
                doers[at] << run.engines().at(e);
            } else {
                words << these;
                doers << QList<const Engine *> {run.engines().at(e)};
            }
        }
    }
    if (words.size() == 1)
        return QStringLiteral("%1: %2").arg(typed, words.first());
    QStringList each;
    for (qsizetype i = 0; i < words.size(); ++i)
        each << QStringLiteral("%1 in %2").arg(words.at(i), engineNames(doers.at(i)));
    return QStringLiteral("%1: %2").arg(typed, each.join(QStringLiteral("; ")));
}

namespace {

KeyUseKind kindOf(const QByteArray &binding, const ConsoleRules &rules)
{
    const QList<ScriptCommand> commands = pressedCommands(binding, rules);
    if (commands.isEmpty())
        return KeyUseKind::Free;
    const QByteArray first = commands.first().args.value(0).toLower();
    if (isChat(first))
        return KeyUseKind::Chat;
    if (first == "vsay" || first == "vsay_team")
        return KeyUseKind::Voice;
    if (first == "weapon" || actionNames().contains(first))
        return KeyUseKind::Action;
    return KeyUseKind::Command;
}

} // namespace

QHash<int, KeyUse> keyUses(const StartRun &run, qsizetype engine)
{
    const ConsoleRules &rules = run.engines().at(engine)->rules;
    QHash<int, KeyUse> uses;
    for (auto it = run.bindings(engine).cbegin(); it != run.bindings(engine).cend(); ++it) {
        if (!it.value().isEmpty())
            uses.insert(it.key(), {kindOf(it.value(), rules), keyActionWords(it.value(), rules), {}, 0});
    }
    // The bind that decides each key: the one that runs.
    for (int f = 0; f < run.files().size(); ++f) {
        const QByteArray &bytes = run.files().at(f).bytes;
        for (const StartBind &bind : run.bindsIn(f)) {
            const std::optional<ConfigBind> &read = bind.read.at(engine);
            if (!read || bind.fateIn(engine) != BindFate::Runs)
                continue;
            const std::optional<int> key = keyNumber(read->key, rules);
            if (const auto use = key ? uses.find(*key) : uses.end(); use != uses.end()) {
                use->file = run.files().at(f).path;
                use->line = int(bytes.left(read->begin).count('\n')) + 1;
            }
        }
    }
    return uses;
}

} // namespace binds
