#pragma once

#include "binds/bindrequest.h"
#include "binds/configfile.h"
#include "binds/games.h"
#include "host/folderstring.h"

#include <QString>

namespace binds {

// What a new bind would take over: the key's action in the game's own config (its menus'
// keys), and the earlier binds of the key in the autoexec.cfg the bind goes into.
struct Replaced {
    QString gameAction;       // "jump (+moveup)"; empty when the game's config binds nothing to the key
    QList<ConfigBind> earlier; // in the target autoexec.cfg, in the file's order
    QByteArray targetBytes;    // that file as it was read, to be sure it has not changed since
    bool takesOverSomething() const { return !gameAction.isEmpty() || !earlier.isEmpty(); }
};

// What the request's bind would replace. A file that cannot be read counts as holding
// nothing: the write that follows says what is wrong with it.
Replaced whatBindReplaces(const BindRequest &request, const QString &root, const Game &game, const host::Host &host);

// The question to ask the player before taking it over, naming what would be replaced.
QString replacementQuestion(const QString &key, const Replaced &replaced, const QString &targetShown);

// Writes the bind in place of the earlier ones: their lines go, the new line comes at
// the end, and every other byte of autoexec.cfg stays as it was. One atomic save; false,
// with the reason, writing nothing, when the file changed since it was read or cannot
// be written.
bool replaceLine(const BindRequest &request, const Replaced &replaced, const host::Host &host, QString *error);

// The base folder's autoexec.cfg when the request would create the first one of a mod
// folder: the game runs only the first autoexec.cfg on its search path, the mod's, so
// the base file's binds stop running in the mod. Nullopt otherwise.
std::optional<QString> baseAutoexecHidden(const BindRequest &request, const QString &root, const Game &game,
                                          const host::Host &host);

// The question to ask before the mod's first autoexec.cfg hides the base one.
QString hiddenBaseQuestion(const QString &modFile, const QString &baseFile);

// Starts the mod's autoexec.cfg with every line of the base one, in one atomic save,
// for the bind to be appended after them. False, with the reason, writing nothing.
bool startWithLinesOf(const QString &baseFile, const BindRequest &request, const host::Host &host, QString *error);

// The file's bytes without the given binds (read from them): each bind's whole line with
// its line end when nothing else stands on it, else the command alone.
QByteArray withoutBinds(const QByteArray &bytes, const QList<ConfigBind> &removed);

// Removes binds from a console file in one atomic save, every other byte kept. False,
// with the reason, writing nothing, when the file changed since it was read as `read`
// or cannot be written.
bool removeBinds(const QString &hostPath, const ConfigFile &read, const QList<ConfigBind> &removed, QString *error);

} // namespace binds
