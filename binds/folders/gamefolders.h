#pragma once

#include "binds/engine/games.h"
#include "host/drives.h"

#include <QList>

namespace binds {

// The game root folders found at the homes of engineHomes(), here and inside the Wine
// prefix, each named as a player knows it ("Quake 3 (ioquake3) ~/.config/Quake3"). A
// folder counts when it holds its game's data folder (baseq3, main, baseoa).
// Of one game only, when named.
QList<host::Drive> gameFolders(const host::Host &host, const Game *only = nullptr);

} // namespace binds
