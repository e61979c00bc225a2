#pragma once

#include "binds/games.h"
#include "host/folderstring.h"

#include <QList>
#include <QString>

#include <optional>

// Where the engines keep a player's files, and which folder they read first: a root the
// player typed may be one the game no longer reads, or one whose files a home folder
// read before it hides.
namespace binds {

// Where the search for a home starts.
enum class HomeStart {
    ConfigHome,   // $XDG_CONFIG_HOME (Linux)
    Home,         // the home folder (Linux)
    SteamLibrary, // Steam's own folder (native or Flatpak) and the libraries its libraryfolders.vdf lists
    AppData,      // %APPDATA%, on Windows or for each user of a Wine prefix
    Documents,    // the user's Documents, on Windows or for each user of a Wine prefix
    Drive,        // each Windows drive's root, on Windows or in a Wine prefix
};

// What the engine makes of a home next to the others.
enum class HomeRule {
    Read,        // read when the player names it
    ReadInstead, // read whenever it exists, and then the old home (`replaces`) never
    ReadFirst,   // searched before the install folder: an autoexec.cfg there hides the install folder's
};

// One place an engine keeps a game's files.
struct EngineHome {
    const char *name; // as the picker shows it; a %1 takes the Steam account
    const Game &(*game)();
    HomeStart start;
    const char *folder;     // below the start; a name "*" stands for each Steam account (SteamID64)
    const char *dataFolder; // what it holds when the game is there; null: the game's base folder
    HomeRule rule = HomeRule::Read;
    const char *replaces = nullptr; // below the home folder, for HomeRule::ReadInstead
};

// Every home the program knows, in the order the picker offers them.
const QList<EngineHome> &engineHomes();

// The host folders a search for homes starts from, natively or in the Wine prefix (POSIX
// hosts only), in the order they are searched.
QStringList homeStarts(HomeStart start, const host::Host &host, bool inWine);

// The root the game reads instead of the one typed, and why, in the player's words.
struct ReadInstead {
    QString root; // a folder string, with its final separator
    QString why;
};

// For a root typed for the game: the root the game really reads its files from, when it
// is not that one, by the rules of engineHomes(). Nullopt when the typed root is read.
std::optional<ReadInstead> readInsteadOf(const QString &root, const Game &game, const host::Host &host);

} // namespace binds
