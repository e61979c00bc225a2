#pragma once

#include <QByteArray>
#include <QDateTime>
#include <QList>
#include <QString>
#include <QStringList>

#include <optional>

// The way back from every change the program makes to a player's file: the bytes before
// and after each change, kept in a folder of the program's own (never beside the game's
// files), so that an undo also works after a restart.
namespace binds {

// One change of one file.
struct FileChange {
    QString path;         // on this machine
    bool existed = false; // false: the change made the file
    QByteArray before;
    QByteArray after;
    QString what; // what was done, for the player: "added the bind f1", "removed 3 binds"
    QDateTime when;
    QString entry = {}; // the journal's own name for it
};

class ChangeJournal
{
public:
    // Keeps at most this many changes of one file, and of all files together.
    static constexpr int keptPerFile = 10;
    static constexpr int keptInAll = 100;

    explicit ChangeJournal(const QString &folder);

    QString folder() const { return m_folder; }

    // Keeps the change, dropping the oldest beyond the limits. False, with why, when it
    // could not be kept: the change stands, but cannot be undone.
    bool record(const FileChange &change, QString *error = nullptr);

    // The newest change kept of any of these files.
    std::optional<FileChange> newest(const QStringList &paths) const;

    // Gives the file the bytes it had before the change (removes it, if the change made
    // it), when it holds exactly what the change left; the change is then forgotten, and
    // the one before it comes next. False, with why, changing nothing, otherwise.
    bool undo(const FileChange &change, QString *error = nullptr);

private:
    // The changes kept, oldest first, by their entry's name and the file they changed; an
    // entry that is not one is skipped.
    QList<std::pair<QString, QString>> entries() const;

    QString m_folder;
};

} // namespace binds
