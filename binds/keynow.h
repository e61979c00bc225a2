#pragma once

#include "binds/games.h"
#include "host/folderstring.h"

#include <QByteArray>
#include <QHash>
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

// Each key's command once the files have run, by keyMapKey(key); nullopt when none of
// the files can be read. Read once per folder: looking a key up reads nothing.
using KeyMap = QHash<QByteArray, QByteArray>;
std::optional<KeyMap> keyMapOf(const QStringList &files);

// A key as a KeyMap holds it: the games compare key names without regard to case.
QByteArray keyMapKey(const QString &key);

// What the key does at the game's next start: "space: jump (+moveup)", or that
// nothing is bound to it; empty for no key.
QString whatKeyDoes(const QString &key, const KeyMap &keys);

// The same from the files; nullopt when none of them can be read: nothing is known.
std::optional<QString> whatKeyDoes(const QString &key, const QStringList &files);

} // namespace binds
