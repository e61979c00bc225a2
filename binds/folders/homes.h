#pragma once

#include "binds/engine/engines.h"
#include "binds/engine/games.h"
#include "host/folderstring.h"

#include <QList>
#include <QString>

// Where the engines keep a player's files, for the picker's list of found games; which of
// them an engine reads is in the engine table (engines.h).
namespace binds {

// One place an engine keeps a game's files.
struct EngineHome {
    const char *name; // as the picker shows it; a %1 takes the Steam account
    const Game &(*game)();
    HomeStart start;
    const char *folder;     // below the start; a name "*" stands for each Steam account (SteamID64)
    const char *dataFolder; // what it holds when the game is there; null: the game's base folder
};

// Every home the program knows, in the order the picker offers them.
const QList<EngineHome> &engineHomes();

// The host folders a search for homes starts from, natively or in the Wine prefix (POSIX
// hosts only), in the order they are searched.
QStringList homeStarts(HomeStart start, const host::Host &host, bool inWine);

// A host folder as the file system names it, links resolved; cleaned when it is not there.
QString canonicalPath(const QString &hostPath);

// Whether a host path lies in the Wine prefix, where Windows engines run.
bool isInWinePrefix(const QString &canonicalHostPath, const host::Host &host);

} // namespace binds
