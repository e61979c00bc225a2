#pragma once

#include <QString>

#include <optional>

// Folder strings are Windows-style paths as the player types them ("C:\Games\Quake3\").
// This is where they meet the file system of the host the program runs on.
namespace host {

enum class Style {
    Windows, // strings reach the file system as they are; "\" is the only separator
    Posix,   // "\" and "/" both separate; drive letters map through the Wine prefix
};

struct Host {
    Style style = Style::Posix;
    QString winePrefix {}; // used by Style::Posix only
    QString home {};       // what "~" stands for; used by Style::Posix only
    QString configHome {}; // $XDG_CONFIG_HOME, else ~/.config; Style::Posix only
    QString appData {};    // %APPDATA%, the per-user data folder; Style::Windows only
    QString documents {};  // the user's Documents folder; Style::Windows only

    // The host this program runs on, with the Wine prefix from the environment.
    static Host current();
};

// $WINEPREFIX when set, otherwise $HOME/.wine.
QString winePrefixFrom(const QString &winePrefixVariable, const QString &home);

bool isSeparator(QChar c, Style style);
bool endsWithSeparator(const QString &folder, Style style);

// The folder with one final separator; an empty folder becomes just the separator.
QString withFinalSeparator(const QString &folder, Style style);

// Whether a folder string names a folder wherever the program was started: it starts at
// a drive ("C:\"), a share ("\\server\"), or on POSIX hosts at "/" or the home folder ("~/").
bool isWholeFolder(const QString &folder, Style style);

// A path as a message shows it: in this system's separators ("C:\Program Files\x" on
// Windows, never "C:/Program Files/x"). Every path in a message goes through here.
QString shownPath(const QString &path);

// The entry of a folder (a path of this machine) whose name matches without regard to
// case, as the folder spells it (an exact match first); the name itself when none matches.
QString matchingEntry(const QString &folder, const QString &name);

// Maps a folder string (or a file path built from one) onto the host's file system. On
// POSIX hosts "~" and "~/" at the start stand for the home folder, and drive paths
// lead into the Wine prefix, read as Windows reads them.
std::optional<QString> toHostPath(const QString &folderString, const Host &host, QString *error = nullptr);

// The folder string of a game folder below a root that ends in a separator, with its
// final separator. The games find "main" in a folder that holds "Main" (Windows ignores
// case, and so does Wine's reading of a drive path): a one-name folder that is missing
// as spelt takes the spelling of an entry that differs only in case.
QString gameFolder(const QString &root, const QString &name, const Host &host);

} // namespace host
