#pragma once

#include "host/drives.h"

#include <QList>

namespace binds {

// The game root folders found where ioquake3, iortcw, OpenArena, Steam and the games'
// own installers put them, here and inside the Wine prefix, each named as a player
// knows it ("Quake 3 (ioquake3) ~/.q3a"). A folder counts when it holds its game's
// data folder (baseq3, main, baseoa). Looks only at those known places.
QList<host::Drive> gameFolders(const host::Host &host);

} // namespace binds
