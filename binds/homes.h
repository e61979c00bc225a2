#pragma once

#include "binds/games.h"
#include "host/folderstring.h"

#include <QString>

#include <optional>

// Where the engines keep a player's files, and which folder they read first: a root the
// player typed may be one the game no longer reads, or one whose files a home folder
// read before it hides.
namespace binds {

// The root the game reads instead of the one typed, and why, in the player's words.
struct ReadInstead {
    QString root; // a folder string, with its final separator
    QString why;
};

// For a root typed for the game: the root the game really reads its files from, when it
// is not that one. ioquake3 reads ~/.config/Quake3 (or $XDG_CONFIG_HOME/Quake3) whenever
// that folder exists, and then never ~/.q3a; on Windows ioquake3 reads %APPDATA%\Quake3
// and iortcw Documents\RTCW before the install folder, so an autoexec.cfg there hides
// the install folder's. Nullopt when the typed root is the one read.
std::optional<ReadInstead> readInsteadOf(const QString &root, const Game &game, const host::Host &host);

} // namespace binds
