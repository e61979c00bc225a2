#pragma once

#include "host/drives.h"

#include <QList>

namespace host {

// The game root folders found where ioquake3, iortcw, OpenArena, Steam and the games'
// own installers put them, here and inside the Wine prefix, each named as a player
// knows it ("Quake 3 (ioquake3) ~/.q3a"). A folder counts when it holds its game's
// data folder (baseq3, main, baseoa). Looks only at those known places.
QList<Drive> gameFolders(const Host &host);

} // namespace host
