#pragma once

#include "binds/games.h"
#include "host/folderstring.h"

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <optional>

namespace binds {

// A command a key runs, in words a player knows: "jump (+moveup)", "fire (+attack)",
// "says "gg"", or the command itself when it is none of the common ones.
QString keyActionWords(const QByteArray &command);

// The game's own config under a root folder, where its menus keep the player's keys.
QString gameConfigFile(const QString &root, const Game &game, const host::Host &host);

// The console files a game runs at start that bind keys, in the order it runs them:
// its own config (which it writes itself), then the autoexec.cfg it finds first on its
// search path, the mod folder's before the base folder's. Host paths; a file that is
// not there is left for the reader to skip.
QStringList startFiles(const QString &root, const Game &game, const QString &modFolder, const host::Host &host);

// The command bound to the key once the files have run, empty when none is; nullopt
// when none of the files can be read.
std::optional<QByteArray> commandBoundTo(const QString &key, const QStringList &files);

// What the key does at the game's next start, from those files: "space: jump
// (+moveup)", or that nothing is bound to it. Nullopt when none of the files can be
// read: nothing is known.
std::optional<QString> whatKeyDoes(const QString &key, const QStringList &files);

} // namespace binds
