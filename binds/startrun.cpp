#include "binds/startrun.h"

#include "binds/keys.h"

#include <QFileInfo>

namespace binds {

StartRun StartRun::read(const QStringList &paths)
{
    QList<StartFile> files;
    for (const QString &path : paths) {
        StartFile file {path, {}, false, {}};
        if (QFileInfo::exists(path)) {
            const std::optional<QByteArray> bytes = readConsoleFile(path, &file.error);
            file.read = bytes.has_value();
            file.bytes = bytes.value_or(QByteArray());
        }
        files << file;
    }
    return of(files);
}

namespace {

// A bind command as one engine runs it.
struct EngineBind {
    int file;
    ConfigBind read;
    BindFate fate;
};

} // namespace

StartRun StartRun::of(QList<StartFile> files)
{
    StartRun run;
    run.m_files = std::move(files);
    std::array<QList<EngineBind>, 2> byEngine; // each in the order the engine runs them
    // The engines split a file alike but for comments: without a comment mark, one split serves both.
    std::array<QList<QList<ScriptCommand>>, 2> split;
    for (const StartFile &file : std::as_const(run.m_files)) {
        const QList<ScriptCommand> io = file.read ? scriptCommands(file.bytes, Engine::Io) : QList<ScriptCommand>();
        const bool commentFree = !file.bytes.contains("//") && !file.bytes.contains("/*");
        split[std::size_t(Engine::Io)].append(io);
        split[std::size_t(Engine::Original)].append(
            commentFree || !file.read ? io : scriptCommands(file.bytes, Engine::Original));
    }
    for (Engine engine : allEngines) {
        const std::size_t e = std::size_t(engine);
        QList<EngineBind> &binds = byEngine[e];
        QHash<int, qsizetype> holders; // key number -> the bind that set it
        auto unbind = [&](int key) {
            if (const auto it = holders.constFind(key); it != holders.cend())
                binds[*it].fate = BindFate::Unbound;
            holders.remove(key);
            run.m_keys[e].remove(key);
        };
        for (int i = 0; i < run.m_files.size(); ++i) {
            const StartFile &file = run.m_files.at(i);
            const bool tooLarge = file.bytes.size() > fileLimitOf(engine);
            const QList<ScriptCommand> &commands = split[e].at(i);
            run.m_commands[e].append(tooLarge ? QList<ScriptCommand>() : commands);
            for (const ScriptCommand &command : commands) {
                const QByteArray name = command.args.first().toLower();
                if (name == "bind" && command.args.size() >= 3) {
                    // Key_Bind_f: the binding is every argument after the key, joined by one blank.
                    const ConfigBind read {command.args.at(1), command.args.mid(2).join(' '), command.begin,
                                           command.end};
                    const std::optional<int> key = tooLarge ? std::nullopt : keyNumber(read.key, engine);
                    binds.append({i, read,
                                  tooLarge  ? BindFate::FileTooLarge
                                      : key ? BindFate::Runs
                                            : BindFate::UnknownKey});
                    if (!key)
                        continue;
                    if (const auto it = holders.constFind(*key); it != holders.cend())
                        binds[*it].fate = BindFate::Overridden;
                    holders.insert(*key, binds.size() - 1);
                    run.m_keys[e].insert(*key, read.command);
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
    // Both engines' binds in the files' order, one entry where both read a bind at one place.
    const QList<EngineBind> &io = byEngine[std::size_t(Engine::Io)];
    const QList<EngineBind> &original = byEngine[std::size_t(Engine::Original)];
    auto before = [](const EngineBind &a, const EngineBind &b) {
        return std::pair(a.file, a.read.begin) < std::pair(b.file, b.read.begin);
    };
    run.m_binds.resize(run.m_files.size());
    for (qsizetype i = 0, j = 0; i < io.size() || j < original.size();) {
        const bool takeIo = i < io.size() && (j >= original.size() || !before(original.at(j), io.at(i)));
        const bool takeOriginal = j < original.size() && (i >= io.size() || !before(io.at(i), original.at(j)));
        StartBind bind;
        if (takeIo) {
            bind.file = io.at(i).file;
            bind.read[std::size_t(Engine::Io)] = io.at(i).read;
            bind.fate[std::size_t(Engine::Io)] = io.at(i++).fate;
        }
        if (takeOriginal) {
            bind.file = original.at(j).file;
            bind.read[std::size_t(Engine::Original)] = original.at(j).read;
            bind.fate[std::size_t(Engine::Original)] = original.at(j++).fate;
        }
        run.m_binds[bind.file].append(std::move(bind));
    }
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
    return m_binds.value(file);
}

const QList<ScriptCommand> &StartRun::commandsRun(int file, Engine engine) const
{
    return m_commands[std::size_t(engine)].at(file);
}

} // namespace binds
