#include "binds/keynow.h"

#include "binds/bindline.h"
#include "binds/configfile.h"
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

// A chat text as the others read it: the colour codes taken out.
QString withoutColourCodes(const QString &text)
{
    QString plain;
    for (const decorate::ColouredRun &run : decorate::colouredRuns(text, 0))
        plain += run.text;
    return plain;
}

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
                 withoutColourCodes(chatOfLine(line)));
    }
    const QString rest = host::fileBytesShown(args.mid(1).join(' '));
    if (first == "vsay" || first == "vsay_team")
        return QStringLiteral("%1 %2").arg(first == "vsay" ? QStringLiteral("voice") : QStringLiteral("team voice"),
                                           rest);
    const QString text = host::fileBytesShown(args.join(' '));
    if (first == "weapon" && args.size() == 2)
        return QStringLiteral("weapon %1 (%2)").arg(rest, text);
    if (const auto action = actionNames().constFind(first); args.size() == 1 && action != actionNames().cend())
        return QStringLiteral("%1 (%2)").arg(action.value(), text);
    return text;
}

QString hostPathOf(const QString &folder, const QString &file, const host::Host &host)
{
    QString unreachable;
    return host::toHostPath(folder + file, host, &unreachable).value_or(QString());
}

} // namespace

QString keyActionWords(const QByteArray &binding)
{
    QStringList words;
    for (const ScriptCommand &command : scriptCommands(binding, Engine::Io))
        words << commandWords(command.args, binding.mid(command.begin, command.end - command.begin));
    return words.join(QStringLiteral(", then "));
}

QString chatTextOf(const QByteArray &binding)
{
    const QList<ScriptCommand> commands = scriptCommands(binding, Engine::Io);
    if (commands.isEmpty() || !isChat(commands.first().args.first()))
        return {};
    return chatOfLine(binding.mid(commands.first().begin, commands.first().end - commands.first().begin));
}

QString gameConfigFile(const QString &root, const Game &game, const QString &modFolder, const host::Host &host)
{
    const QString rootFolder = host::withFinalSeparator(root, host.style);
    // The first of the config's names there, the mod folder's before the base folder's.
    QStringList candidates;
    for (const QString &folder : {modFolder, game.baseFolder}) {
        for (const QString &name : game.configFiles) {
            if (!folder.isEmpty())
                candidates << hostPathOf(host::gameFolder(rootFolder, folder, host), name, host);
        }
    }
    candidates.removeAll(QString());
    for (const QString &candidate : std::as_const(candidates)) {
        if (QFileInfo(candidate).isFile())
            return candidate;
    }
    // None there yet: the base folder's, by the first name, is where the game writes it.
    return hostPathOf(host::gameFolder(rootFolder, game.baseFolder, host), game.configFiles.first(), host);
}

QStringList startFiles(const QString &root, const Game &game, const QString &modFolder, const host::Host &host)
{
    const QString rootFolder = host::withFinalSeparator(root, host.style);
    const QString base = host::gameFolder(rootFolder, game.baseFolder, host);
    QStringList files = {gameConfigFile(root, game, modFolder, host)};
    // exec autoexec.cfg runs the first one on the search path: the mod's, then the base's.
    QString unreachable;
    const QString modAutoexec = modFolder.isEmpty()
        ? QString()
        : autoexecPath(host::gameFolder(rootFolder, modFolder, host), host, &unreachable).value_or(QString());
    files << (!modAutoexec.isEmpty() && QFileInfo(modAutoexec).isFile()
                  ? modAutoexec
                  : autoexecPath(base, host, &unreachable).value_or(QString()));
    files.removeAll(QString());
    return files;
}

QString whatKeyDoes(const QString &key, const StartRun &run, const Game &game)
{
    const QString typed = key.trimmed();
    if (typed.isEmpty() || !run.anyRead())
        return {};
    const QByteArray name = host::toFileEncoding(typed).value_or(QByteArray());
    auto words = [&name, &run](Engine engine) {
        const std::optional<QByteArray> binding = run.bindingOf(name, engine);
        if (!binding)
            return QStringLiteral("no such key");
        return binding->isEmpty() ? QStringLiteral("nothing yet") : keyActionWords(*binding);
    };
    const QString io = words(Engine::Io);
    const QString original = words(Engine::Original);
    if (io == original)
        return QStringLiteral("%1: %2").arg(typed, io);
    return QStringLiteral("%1: %2 in %3; %4 in %5")
        .arg(typed, io, engineName(Engine::Io, game), original, engineName(Engine::Original, game));
}

} // namespace binds
