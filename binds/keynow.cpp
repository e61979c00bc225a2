#include "binds/keynow.h"

#include "binds/bindline.h"
#include "binds/configfile.h"

#include <QFileInfo>
#include <QHash>

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

QString keyActionWords(const QByteArray &command)
{
    const QString text = QString::fromLocal8Bit(command);
    const QList<QByteArray> args = consoleArguments(command);
    const QByteArray first = args.value(0).toLower();
    // What the server makes of the rest: the arguments joined by one blank.
    const QString rest = QString::fromLocal8Bit(args.mid(1).join(' '));
    if (first == "say" || first == "say_team")
        return QStringLiteral("%1 \"%2\"").arg(first == "say" ? QStringLiteral("says") : QStringLiteral("says to the team"), rest);
    if (first == "vsay" || first == "vsay_team")
        return QStringLiteral("%1 %2").arg(first == "vsay" ? QStringLiteral("voice") : QStringLiteral("team voice"), rest);
    if (first == "weapon" && args.size() == 2)
        return QStringLiteral("weapon %1 (%2)").arg(QString::fromLatin1(args.at(1)), text);
    if (const auto action = actionNames().constFind(first); args.size() == 1 && action != actionNames().cend())
        return QStringLiteral("%1 (%2)").arg(action.value(), text);
    return text;
}

static QString hostPathOf(const QString &folder, const QString &file, const host::Host &host)
{
    QString unreachable;
    return host::toHostPath(folder + file, host, &unreachable).value_or(QString());
}

QString gameConfigFile(const QString &root, const Game &game, const host::Host &host)
{
    const QString base = host::gameFolder(host::withFinalSeparator(root, host.style), game.baseFolder, host);
    return hostPathOf(base, game.configFile, host);
}

QStringList startFiles(const QString &root, const Game &game, const QString &modFolder, const host::Host &host)
{
    const QString rootFolder = host::withFinalSeparator(root, host.style);
    const QString base = host::gameFolder(rootFolder, game.baseFolder, host);
    QStringList files = {gameConfigFile(root, game, host)};
    // exec autoexec.cfg runs the first one on the search path: the mod's, then the base's.
    QString unreachable;
    const QString modAutoexec =
        modFolder.isEmpty()
            ? QString()
            : autoexecPath(host::gameFolder(rootFolder, modFolder, host), host, &unreachable).value_or(QString());
    files << (!modAutoexec.isEmpty() && QFileInfo(modAutoexec).isFile()
                  ? modAutoexec
                  : autoexecPath(base, host, &unreachable).value_or(QString()));
    files.removeAll(QString());
    return files;
}

QByteArray keyMapKey(const QString &key)
{
    return key.trimmed().toLocal8Bit().toLower();
}

std::optional<KeyMap> keyMapOf(const QStringList &files)
{
    std::optional<KeyMap> keys;
    for (const QString &path : files) {
        QString unreadable;
        const std::optional<QByteArray> bytes = QFileInfo(path).isFile() ? readConsoleFile(path, &unreadable) : std::nullopt;
        if (!bytes)
            continue;
        if (!keys)
            keys.emplace();
        // In the order the game runs them: its own config starts with unbindall.
        for (const ScriptCommand &run : scriptCommands(*bytes)) {
            const QByteArray name = run.args.first().toLower();
            const QByteArray key = run.args.value(1).toLower();
            if (name == "unbindall")
                keys->clear();
            else if (name == "unbind" && run.args.size() >= 2)
                keys->remove(key);
            else if (name == "bind" && run.args.size() >= 3)
                keys->insert(key, run.args.mid(2).join(' '));
        }
    }
    return keys;
}

QString whatKeyDoes(const QString &key, const KeyMap &keys)
{
    if (key.trimmed().isEmpty())
        return {};
    const QByteArray command = keys.value(keyMapKey(key));
    if (command.isEmpty())
        return QStringLiteral("%1: nothing yet").arg(key.trimmed());
    return QStringLiteral("%1: %2").arg(key.trimmed(), keyActionWords(command));
}

std::optional<QString> whatKeyDoes(const QString &key, const QStringList &files)
{
    if (key.trimmed().isEmpty())
        return std::nullopt;
    const std::optional<KeyMap> keys = keyMapOf(files);
    if (!keys)
        return std::nullopt;
    return whatKeyDoes(key, *keys);
}

} // namespace binds
