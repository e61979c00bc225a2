#include "binds/startrun.h"

#include "binds/keys.h"

#include <QFileInfo>
#include <QMap>

namespace binds {

StartRun StartRun::read(const QStringList &paths)
{
    QList<StartFile> files;
    for (const QString &path : paths) {
        StartFile file{path, {}, false, {}};
        if (QFileInfo::exists(path)) {
            const std::optional<QByteArray> bytes = readConsoleFile(path, &file.error);
            file.read = bytes.has_value();
            file.bytes = bytes.value_or(QByteArray());
        }
        files << file;
    }
    return of(files);
}

StartRun StartRun::of(QList<StartFile> files)
{
    StartRun run;
    run.m_files = std::move(files);
    QMap<std::pair<int, qsizetype>, StartBind> binds;
    for (Engine engine : allEngines) {
        const std::size_t e = std::size_t(engine);
        QHash<int, std::pair<int, qsizetype>> holders; // key number -> the bind that set it
        auto unbind = [&](int key) {
            if (const auto it = holders.constFind(key); it != holders.cend())
                binds[*it].fate[e] = BindFate::Unbound;
            holders.remove(key);
            run.m_keys[e].remove(key);
        };
        for (int i = 0; i < run.m_files.size(); ++i) {
            const StartFile &file = run.m_files.at(i);
            const bool tooLarge = file.bytes.size() > fileLimitOf(engine);
            const QList<ScriptCommand> commands = file.read ? scriptCommands(file.bytes, engine) : QList<ScriptCommand>();
            run.m_commands[e].append(tooLarge ? QList<ScriptCommand>() : commands);
            for (const ScriptCommand &command : commands) {
                const QByteArray name = command.args.first().toLower();
                if (name == "bind" && command.args.size() >= 3) {
                    // Key_Bind_f: the binding is every argument after the key, joined by one blank.
                    const std::pair<int, qsizetype> at{i, command.begin};
                    StartBind &bind = binds[at];
                    bind.file = i;
                    bind.read[e] = ConfigBind{command.args.at(1), command.args.mid(2).join(' '), command.begin, command.end};
                    const std::optional<int> key = keyNumber(command.args.at(1), engine);
                    bind.fate[e] = tooLarge ? BindFate::FileTooLarge : key ? BindFate::Runs : BindFate::UnknownKey;
                    if (tooLarge || !key)
                        continue;
                    if (const auto it = holders.constFind(*key); it != holders.cend())
                        binds[*it].fate[e] = BindFate::Overridden;
                    holders.insert(*key, at);
                    run.m_keys[e].insert(*key, bind.read[e]->command);
                } else if (tooLarge) {
                    continue;
                } else if (name == "unbind" && command.args.size() == 2) {
                    if (const std::optional<int> key = keyNumber(command.args.at(1), engine))
                        unbind(*key);
                } else if (name == "unbindall") {
                    for (const int key : holders.keys())
                        unbind(key);
                }
            }
        }
    }
    run.m_binds = binds.values();
    return run;
}

bool StartRun::anyRead() const
{
    return std::any_of(m_files.cbegin(), m_files.cend(), [](const StartFile &file) { return file.read; });
}

std::optional<int> StartRun::fileIndex(const QString &path) const
{
    for (int i = 0; i < m_files.size(); ++i) {
        if (QFileInfo(m_files.at(i).path).absoluteFilePath() == QFileInfo(path).absoluteFilePath())
            return i;
    }
    return std::nullopt;
}

std::optional<QByteArray> StartRun::bindingOf(const QByteArray &key, Engine engine) const
{
    const std::optional<int> number = keyNumber(key, engine);
    if (!number)
        return std::nullopt;
    return m_keys[std::size_t(engine)].value(*number);
}

QList<StartBind> StartRun::bindsIn(int file) const
{
    QList<StartBind> found;
    for (const StartBind &bind : m_binds) {
        if (bind.file == file)
            found << bind;
    }
    return found;
}

const QList<ScriptCommand> &StartRun::commandsRun(int file, Engine engine) const
{
    return m_commands[std::size_t(engine)].at(file);
}

} // namespace binds
