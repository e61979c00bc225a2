#pragma once

#include "binds/engines.h"

#include <QByteArray>
#include <QString>
#include <QStringList>

#include <optional>
#include <span>

namespace binds {

struct KeyName {
    const char *name; // as the games' tables spell it ("KP_UPARROW")
    int number;       // the key's number, which "0x" and hex digits also name
    bool ioOnly;      // known to ioquake3 and iortcw, not to Quake III Arena 1.32 or RTCW
};

// Every key name a game's "bind" accepts, from keynames.txt.
std::span<const KeyName> keyNames();

// Whether at least one game binds the key as typed; if not, error says why, with the
// closest names the games know. The key is taken as the line will hold it (trimmed).
bool isBindableKey(const QString &key, QString *error);

// The key number the engine's "bind" gives a name as a file holds it (Key_StringToKeynum):
// ioquake3 lower-cases a single character and takes "0x" with any hex digits below its
// key count; the original games take a single character as it is ("A" is no key a
// keyboard sends) and "0x" with exactly two digits, any other digit counting as 0.
// Nullopt for a name the engine refuses, or a number it keeps no binding for.
std::optional<int> keyNumber(const QByteArray &name, Engine engine);

// A key number as a player reads it: its name in the games' table, a printable
// character as itself, else "0x" and its hex digits.
QString keyNameOf(int number);

} // namespace binds
