#pragma once

#include "binds/engine/engines.h"
#include "binds/files/startrun.h"

#include <QByteArray>
#include <QHash>
#include <QString>
#include <QStringList>

#include <optional>

namespace binds {

// What a key's binding does when it is pressed, by the engine's rules, in words a player
// knows: each command it runs ("jump (+moveup)", "fire (+attack)", "says "gg"", or the
// command itself when it is none of the common ones), joined by ", then ".
QString keyActionWords(const QByteArray &binding, const ConsoleRules &rules = ioquake3().rules);

// The chat a binding sends first as other players receive it, the network's dots in and
// colour codes still in; empty when it starts with no chat.
QString chatReceivedOf(const QByteArray &binding, const ConsoleRules &rules = ioquake3().rules);

// What the key does at the game's next start: "space: jump (+moveup)", that nothing is
// bound to it, or, where the engines of the runs differ, what each does. Empty for no key,
// and when none of the files could be read: nothing is known.
QString whatKeyDoes(const QString &key, const QList<StartRun> &runs);

// What a bound key does, as the keyboard picture marks it.
enum class KeyUseKind { Free, Action, Chat, Voice, Command };
struct KeyUse {
    KeyUseKind kind = KeyUseKind::Free;
    QString words; // keyActionWords
    QString file;  // the start file whose bind it runs, on this machine
    int line = 0;  // and its line there
};
// What every key bound at the game's next start does in one engine of the run, by key
// number; a key not in it is free.
QHash<int, KeyUse> keyUses(const StartRun &run, qsizetype engine);

} // namespace binds
