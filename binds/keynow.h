#pragma once

#include "binds/games.h"
#include "binds/startrun.h"
#include "host/folderstring.h"

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <optional>

namespace binds {

// What a key's binding does when it is pressed, in words a player knows: each command it
// runs ("jump (+moveup)", "fire (+attack)", "says "gg"", or the command itself when it is
// none of the common ones), joined by ", then ".
QString keyActionWords(const QByteArray &binding);

// The chat a binding sends first, colour codes still in; empty when it starts with no chat.
QString chatTextOf(const QByteArray &binding);

// The game's own config under a root folder, where its menus keep the player's keys: the
// mod folder's when the mod has one (the game writes it into the folder it plays), else
// the base folder's.
QString gameConfigFile(const QString &root, const Game &game, const QString &modFolder, const host::Host &host);

// The console files a game runs at start that bind keys, in the order it runs them:
// its own config (which it writes itself), then the autoexec.cfg it finds first on its
// search path, the mod folder's before the base folder's. Host paths; a file that is
// not there is left for the reader to skip.
QStringList startFiles(const QString &root, const Game &game, const QString &modFolder, const host::Host &host);

// What the key does at the game's next start: "space: jump (+moveup)", that nothing is
// bound to it, or, where the engines differ, what each does. Empty for no key, and when
// none of the files could be read: nothing is known.
QString whatKeyDoes(const QString &key, const StartRun &run, const Game &game);

} // namespace binds
