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

// Why no game would bind the key as typed, with the closest names it knows; empty when
// at least one game binds it. The key is taken as the line will hold it (trimmed).
QString keyRefusal(const QString &key);

// The known key names nearest to a mistyped one, in lower case, best first: names
// that start with it ("kp_up" gives kp_uparrow), else those a few letters away.
QStringList closestKeyNames(const QString &key, int most = 3);

} // namespace binds
