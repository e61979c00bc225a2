#pragma once

#include "binds/engine/engines.h"

#include <QByteArray>
#include <QString>
#include <QStringList>

#include <optional>
#include <span>

namespace binds {

struct KeyName {
    const char *name;  // as the engines' tables spell it ("KP_UPARROW")
    int number;        // the key's number, which "0x" and hex digits also name
    int quake3eNumber; // Quake3e's, which differs for keys above 232
    unsigned engines;  // the KeySet bits of the engines that know it
};

// Every key name a game's "bind" accepts, from keynames.txt.
std::span<const KeyName> keyNames();

// Whether every one of the engines binds the key as typed; if not, error says why, naming
// the engines that do not, with the closest names they know. The key is taken as the line
// will hold it (trimmed).
bool isBindableKey(const QString &key, const QList<const Engine *> &engines, QString *error = nullptr);
// The same for the engines of either game: whether at least one of them binds it.
bool isBindableKey(const QString &key, QString *error = nullptr);

// The key number the engine's "bind" gives a name as a file holds it (Key_StringToKeynum),
// by the engine's rules for single characters and "0x" numbers. Nullopt for a name the
// engine refuses, or a number it keeps no binding for.
std::optional<int> keyNumber(const QByteArray &name, const ConsoleRules &rules);

// A key number as a player reads it: its name in the games' table, a printable
// character as itself, else "0x" and its hex digits.
QString keyNameOf(int number);

} // namespace binds
