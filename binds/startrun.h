#pragma once

#include "binds/configfile.h"
#include "binds/engines.h"

#include <QHash>
#include <QList>
#include <QString>
#include <QStringList>

#include <array>
#include <optional>

// What the game runs at start, as each engine runs it: the one reading of the player's
// keys that every view and every question asks.
namespace binds {

// One console file the game runs at start, in the order it runs them.
struct StartFile {
    QString path;     // on this machine
    QByteArray bytes; // as read
    bool read = false;
    QString error; // why it could not be read; empty when it is not there or was read
};

// Why a bind of a file does or does not decide what its key does once the game started.
enum class BindFate {
    Runs,         // the key does this
    Overridden,   // a later bind of the same key replaces it
    Unbound,      // a later unbind or unbindall clears it
    NotRun,       // the engine does not run it as a bind: it is inside a comment
    FileTooLarge, // the engine runs nothing of a file this large
    UnknownKey,   // the engine knows no key of that name
};

// A bind command of a start file, as the engines that run it read it.
struct StartBind {
    int file = 0;
    std::array<std::optional<ConfigBind>, 2> read; // by engine, in allEngines' order
    std::array<BindFate, 2> fate = {BindFate::NotRun, BindFate::NotRun};

    // The first engine's reading that there is: the one views show.
    const ConfigBind &shown() const { return read[0] ? *read[0] : *read[1]; }
    BindFate fateIn(Engine engine) const { return fate[std::size_t(engine)]; }
};

class StartRun
{
public:
    StartRun() = default;
    // Reads the files at these paths, as the game runs them, in that order. A file that is
    // not there runs nothing; one that cannot be read is kept with the reason.
    static StartRun read(const QStringList &paths);
    // The same from files already read.
    static StartRun of(QList<StartFile> files);

    const QList<StartFile> &files() const { return m_files; }
    // Whether any of the files was read: without one, nothing is known of the keys.
    bool anyRead() const;
    // The index of the file at this path; nullopt when the game does not run it.
    std::optional<int> fileIndex(const QString &path) const;

    // What the key runs once the engine has started, empty for nothing; nullopt when the
    // engine knows no key of that name.
    std::optional<QByteArray> bindingOf(const QByteArray &key, Engine engine) const;
    // What every bound key runs once the engine has started, by key number.
    const QHash<int, QByteArray> &bindings(Engine engine) const { return m_keys[std::size_t(engine)]; }
    // The bind commands of a file, in the file's order.
    QList<StartBind> bindsIn(int file) const;
    // The commands the engine runs of a file, none when the file is too large for it.
    const QList<ScriptCommand> &commandsRun(int file, Engine engine) const;

private:
    void run(Engine engine);

    QList<StartFile> m_files;
    QList<QList<StartBind>> m_binds;                       // by file, in the order they stand
    std::array<QHash<int, QByteArray>, 2> m_keys;          // key number -> binding, by engine
    std::array<QList<QList<ScriptCommand>>, 2> m_commands; // by engine, by file
};

} // namespace binds
