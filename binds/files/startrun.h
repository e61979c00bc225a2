#pragma once

#include "binds/engine/engines.h"
#include "binds/files/consolefile.h"

#include <QHash>
#include <QList>
#include <QString>
#include <QStringList>

#include <optional>

// What the game runs at start, as each engine runs it: the one reading of the player's
// keys that every view and every question asks.
namespace binds {

// One console file the game runs at start, in the order it runs them.
struct StartFile {
    QString path;     // on this machine
    QByteArray bytes; // as read
    bool read = false;
    QString error;         // why it could not be read; empty when it is not there or was read
    QString execName = {}; // the name another file execs it by; empty for a file the game runs at start
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
    QList<std::optional<ConfigBind>> read; // by engine, in the run's engines() order
    QList<BindFate> fate;

    // The first engine's reading that there is: the one views show.
    const ConfigBind &shown() const;
    BindFate fateIn(qsizetype engine) const { return fate.at(engine); }
};

class StartRun
{
public:
    StartRun() = default;
    // Reads the files at these paths, as the engines run them, in that order. A file that
    // is not there runs nothing; one that cannot be read is kept with the reason. A file
    // they exec is the first of its name in the searched folders, and comes after them.
    static StartRun read(const QStringList &paths, const QList<const Engine *> &engines,
                         const QStringList &searched = {});
    // The same from files already read.
    static StartRun of(QList<StartFile> files, const QList<const Engine *> &engines, const QStringList &searched = {});

    const QList<StartFile> &files() const { return m_files; }
    // The engines it was run for; engine numbers below index this list.
    const QList<const Engine *> &engines() const { return m_engines; }
    // Whether any of the files was read: without one, nothing is known of the keys.
    bool anyRead() const;
    // The index of the file at this path; nullopt when the game does not run it.
    std::optional<int> fileIndex(const QString &path) const;

    // What the key runs once the engine has started, empty for nothing; nullopt when the
    // engine knows no key of that name.
    std::optional<QByteArray> bindingOf(const QByteArray &key, qsizetype engine) const;
    // What every bound key runs once the engine has started, by key number.
    const QHash<int, QByteArray> &bindings(qsizetype engine) const;
    // The bind commands of a file, in the file's order.
    QList<StartBind> bindsIn(int file) const;
    // The commands the engine runs of a file, none when the file is too large for it.
    const QList<ScriptCommand> &commandsRun(int file, qsizetype engine) const;

private:
    // What one set of console rules makes of the files; engines that share rules share it.
    struct Reading {
        QHash<int, QByteArray> keys;          // key number -> binding
        QList<QList<ScriptCommand>> commands; // by file
    };

    QList<StartFile> m_files;
    QList<const Engine *> m_engines;
    QList<qsizetype> m_readingOf; // by engine: its index in m_readings
    QList<Reading> m_readings;
    QList<QList<StartBind>> m_binds; // by file, in the order they stand
};

} // namespace binds
