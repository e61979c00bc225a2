#include "binds/files/startrun.h"

#include "binds/engine/keys.h"

#include <QFileInfo>

#include <functional>

namespace binds {

namespace {

StartFile readStartFile(const QString &path)
{
    StartFile file {path, {}, false, {}};
    if (QFileInfo::exists(path)) {
        const std::optional<QByteArray> bytes = readConsoleFile(path, &file.error);
        file.read = bytes.has_value();
        file.bytes = bytes.value_or(QByteArray());
    }
    return file;
}

// The name exec looks for (Cmd_Exec_f: COM_DefaultExtension adds ".cfg" to a name without one).
QString execName(const QByteArray &argument)
{
    QString name = QString::fromLatin1(argument);
    if (!QFileInfo(name).fileName().contains(u'.'))
        name += QStringLiteral(".cfg");
    return name;
}

// Whether the bytes hold "exec" in any case: most files do not, and need not be split for it.
bool mentionsExec(const QByteArray &bytes)
{
    for (qsizetype at = 0; at + 4 <= bytes.size(); ++at) {
        if ((bytes.at(at) | 0x20) == 'e' && qstrnicmp(bytes.constData() + at, "exec", 4) == 0)
            return true;
    }
    return false;
}

// The files the start files exec, and those they exec in turn: each the first of its
// name on the search path (FS_FOpenFileRead), read once.
void addExecdFiles(QList<StartFile> &files, const QStringList &searched)
{
    constexpr int mostFiles = 32;
    for (qsizetype i = 0; i < files.size() && files.size() < mostFiles; ++i) {
        if (!files.at(i).read || !mentionsExec(files.at(i).bytes))
            continue;
        const QByteArray bytes = files.at(i).bytes;
        // As the engines with comments and those without read it: either may exec a file.
        for (const ScriptCommand &command :
             scriptCommands(bytes, ioquake3().rules) + scriptCommands(bytes, quake3Arena132().rules)) {
            if (command.args.size() < 2 || command.args.first().toLower() != "exec")
                continue;
            const QString name = execName(command.args.at(1));
            const bool known = std::any_of(files.cbegin(), files.cend(),
                                           [&name](const StartFile &file) { return file.execName == name; });
            if (known || name.contains(QLatin1String("..")) || files.size() >= mostFiles)
                continue;
            for (const QString &folder : searched) {
                if (QFileInfo(folder + u'/' + name).isFile()) {
                    StartFile found = readStartFile(folder + u'/' + name);
                    found.execName = name;
                    files << found;
                    break;
                }
            }
        }
    }
}

} // namespace

StartRun StartRun::read(const QStringList &paths, const QList<const Engine *> &engines, const QStringList &searched)
{
    QList<StartFile> files;
    for (const QString &path : paths)
        files << readStartFile(path);
    return of(files, engines, searched);
}

namespace {

// A bind command as one engine runs it.
struct EngineBind {
    int file;
    ConfigBind read;
    BindFate fate;
};

} // namespace

const ConfigBind &StartBind::shown() const
{
    for (const std::optional<ConfigBind> &bind : read) {
        if (bind)
            return *bind;
    }
    Q_UNREACHABLE();
}

StartRun StartRun::of(QList<StartFile> files, const QList<const Engine *> &engines, const QStringList &searched)
{
    StartRun run;
    addExecdFiles(files, searched);
    run.m_files = std::move(files);
    run.m_engines = engines;
    QList<ConsoleRules> rules; // each set of rules once, in the order first met
    for (const Engine *engine : engines) {
        qsizetype index = rules.indexOf(engine->rules);
        if (index < 0) {
            index = rules.size();
            rules.append(engine->rules);
        }
        run.m_readingOf.append(index);
    }
    // Files split once for every set of rules that splits them alike: comments matter only
    // where a file has a comment mark.
    QList<QHash<int, QList<ScriptCommand>>> splits(run.m_files.size());
    QList<bool> commentFrees;
    for (const StartFile &file : std::as_const(run.m_files))
        commentFrees << (!file.bytes.contains("//") && !file.bytes.contains("/*"));
    auto splitOf = [&run, &splits, &commentFrees](int file, const ConsoleRules &by) -> const QList<ScriptCommand> & {
        const StartFile &start = run.m_files.at(file);
        const bool commentFree = commentFrees.at(file);
        ConsoleRules effective = by;
        effective.comments = commentFree ? Comments::None : by.comments;
        const int key = int(effective.comments) * 2 + int(effective.longLines);
        auto it = splits[file].find(key);
        if (it == splits[file].end()) {
            it = splits[file].insert(key, start.read ? scriptCommands(start.bytes, effective) : QList<ScriptCommand>());
        }
        return *it;
    };

    // Each set of rules' binds, in the order the engine runs them.
    struct RuleBind {
        int file;
        ConfigBind read;
        BindFate fate;
        std::pair<int, qsizetype> anchor = {}; // (file, its first word): where engines meet on it
    };
    QList<QList<RuleBind>> byRules(rules.size());
    run.m_readings.resize(rules.size());
    for (qsizetype r = 0; r < rules.size(); ++r) {
        const ConsoleRules &ruling = rules.at(r);
        Reading &reading = run.m_readings[r];
        QList<RuleBind> &binds = byRules[r];
        QHash<int, qsizetype> holders; // key number -> the bind that set it
        auto unbind = [&](int key) {
            if (const auto it = holders.constFind(key); it != holders.cend())
                binds[*it].fate = BindFate::Unbound;
            holders.remove(key);
            reading.keys.remove(key);
        };
        reading.commands.resize(run.m_files.size());
        QHash<std::pair<int, qsizetype>, qsizetype> listed; // a bind already met -> its entry
        // Runs a file's commands, and an exec'd file's where each exec stands; a file that
        // execs itself stops where the engine's buffer would have overflowed long before.
        constexpr int deepestExec = 8;
        // waiting: the bytes still in the command buffer after this file (Cbuf_InsertText
        // takes a file only where it fits beside them).
        std::function<void(int, int, qsizetype)> runFile = [&](int i, int depth, qsizetype waiting) {
            const StartFile &file = run.m_files.at(i);
            // The engines run nothing after a NUL, and count the bytes before it only.
            const qsizetype nul = file.bytes.indexOf('\0');
            const qsizetype size = nul < 0 ? file.bytes.size() : nul;
            const bool tooLarge = size + waiting > ruling.fileLimit;
            const QList<ScriptCommand> &commands = splitOf(i, ruling);
            reading.commands[i] = tooLarge ? QList<ScriptCommand>() : commands;
            for (const ScriptCommand &command : commands) {
                const QByteArray name = command.args.first().toLower();
                if (name == "bind" && command.args.size() >= 3) {
                    // Key_Bind_f: the binding is every argument after the key, joined by one blank.
                    const ConfigBind read {command.args.at(1), command.args.mid(2).join(' '), command.begin,
                                           command.end};
                    const std::optional<int> key = tooLarge ? std::nullopt : keyNumber(read.key, ruling);
                    const BindFate fate = tooLarge ? BindFate::FileTooLarge
                        : key                      ? BindFate::Runs
                                                   : BindFate::UnknownKey;
                    // A file exec'd twice runs its binds again: one entry each, its last fate.
                    const auto at = listed.constFind({i, read.begin});
                    if (at == listed.cend()) {
                        listed.insert({i, read.begin}, binds.size());
                        binds.append({i, read, fate, {}});
                    }
                    const qsizetype entry = at == listed.cend() ? binds.size() - 1 : *at;
                    binds[entry].fate = fate;
                    if (!key)
                        continue;
                    if (const auto it = holders.constFind(*key); it != holders.cend() && *it != entry)
                        binds[*it].fate = BindFate::Overridden;
                    holders.insert(*key, entry);
                    reading.keys.insert(*key, read.command);
                } else if (tooLarge) {
                    continue;
                } else if (name == "unbind" && command.args.size() == 2) {
                    if (const std::optional<int> key = keyNumber(command.args.at(1), ruling))
                        unbind(*key);
                } else if (name == "unbindall") {
                    const QList<int> held = holders.keys(); // unbind erases from holders
                    for (const int key : held)
                        unbind(key);
                } else if (name == "exec" && command.args.size() >= 2 && depth < deepestExec) {
                    const QString execd = execName(command.args.at(1));
                    for (int j = 0; j < run.m_files.size(); ++j) {
                        if (run.m_files.at(j).execName == execd)
                            runFile(j, depth + 1, waiting + std::max<qsizetype>(0, size - command.end));
                    }
                }
            }
        };
        for (int i = 0; i < run.m_files.size(); ++i) {
            if (run.m_files.at(i).execName.isEmpty())
                runFile(i, 0, 0);
        }
    }
    // Every engine's binds in the files' order, one entry where they read a bind at one place:
    // its first word (Quake3e starts a line after the blanks that the others count in).
    const bool execd = std::any_of(run.m_files.cbegin(), run.m_files.cend(),
                                   [](const StartFile &file) { return !file.execName.isEmpty(); });
    for (QList<RuleBind> &binds : byRules) {
        for (RuleBind &bind : binds) {
            const QByteArray &bytes = run.m_files.at(bind.file).bytes;
            qsizetype at = bind.read.begin;
            while (at < bytes.size() && bytes.at(at) != '\0' && static_cast<signed char>(bytes.at(at)) <= ' ')
                ++at;
            bind.anchor = {bind.file, at};
        }
        // An exec'd file's binds stand where it was exec'd; listed, they go by file.
        if (execd) {
            std::stable_sort(binds.begin(), binds.end(),
                             [](const RuleBind &a, const RuleBind &b) { return a.anchor < b.anchor; });
        }
    }
    const qsizetype engineCount = engines.size();
    QList<qsizetype> next(rules.size(), 0);
    run.m_binds.resize(run.m_files.size());
    for (;;) {
        std::optional<std::pair<int, qsizetype>> first; // (file, first word) of the earliest bind left
        for (qsizetype r = 0; r < rules.size(); ++r) {
            if (next[r] < byRules[r].size()) {
                const std::pair at = byRules[r].at(next[r]).anchor;
                if (!first || at < *first)
                    first = at;
            }
        }
        if (!first)
            break;
        StartBind bind;
        bind.file = first->first;
        bind.read.resize(engineCount);
        bind.fate.fill(BindFate::NotRun, engineCount);
        for (qsizetype r = 0; r < rules.size(); ++r) {
            if (next[r] >= byRules[r].size())
                continue;
            const RuleBind &ruled = byRules[r].at(next[r]);
            if (ruled.anchor != *first)
                continue;
            for (qsizetype e = 0; e < engineCount; ++e) {
                if (run.m_readingOf.at(e) == r) {
                    bind.read[e] = ruled.read;
                    bind.fate[e] = ruled.fate;
                }
            }
            ++next[r];
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

std::optional<QByteArray> StartRun::bindingOf(const QByteArray &key, qsizetype engine) const
{
    const std::optional<int> number = keyNumber(key, m_engines.at(engine)->rules);
    if (!number)
        return std::nullopt;
    return bindings(engine).value(*number);
}

const QHash<int, QByteArray> &StartRun::bindings(qsizetype engine) const
{
    static const QHash<int, QByteArray> none;
    return m_readings.isEmpty() ? none : m_readings.at(m_readingOf.at(engine)).keys;
}

QList<StartBind> StartRun::bindsIn(int file) const
{
    return m_binds.value(file);
}

const QList<ScriptCommand> &StartRun::commandsRun(int file, qsizetype engine) const
{
    return m_readings.at(m_readingOf.at(engine)).commands.at(file);
}

} // namespace binds
