#pragma once

#include <QByteArray>

namespace binds {

// Whether a console word is a command or setting one of the games knows (commands.txt),
// or a button ("+attack"): a raw bind starting with any other word does nothing.
bool isKnownConsoleWord(const QByteArray &word);

} // namespace binds
