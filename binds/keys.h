#pragma once

#include <QString>
#include <QStringList>

#include <span>

namespace binds {

struct KeyName {
    const char *name; // as the games' tables spell it ("KP_UPARROW")
    bool ioOnly;      // known to ioquake3 and iortcw, not to Quake III Arena 1.32 or RTCW
};

// Every key name a game's "bind" accepts, from keynames.txt.
std::span<const KeyName> keyNames();

// Whether at least one game binds the key as typed; if not, error says why, with the
// closest names the games know. The key is taken as the line will hold it (trimmed).
bool isBindableKey(const QString &key, QString *error);

} // namespace binds
