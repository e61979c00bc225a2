#pragma once

#include "binds/engines.h"

#include <QByteArray>
#include <QList>

// How the games' console reads a command line, byte for byte, from the engines' qcommon/cmd.c.
namespace binds {

// The arguments of one command line (Cmd_TokenizeString): blanks, control characters and
// bytes 0x80-0xFF separate them (a signed char compare), a double quote opens an argument
// that runs to the next one (no escapes), and outside quotes "//" ends the line and
// "/* */" is skipped, an unclosed "/*" to the end.
QList<QByteArray> consoleArguments(const QByteArray &line);

// The same as the server reads a chat line, where the network has turned bytes
// 0x80-0xFF into dots: they separate nothing, and stay as they are here.
QList<QByteArray> chatArguments(const QByteArray &line);

// One command of a console script, and where its line stands in the script.
struct ScriptCommand {
    QList<QByteArray> args;
    qsizetype begin = 0; // the first byte of its line
    qsizetype end = 0;   // one past its last byte; the ";" or line end after it not included
    bool operator==(const ScriptCommand &) const = default;
};

// A console file as the engine runs it, byte for byte (exec, then Cbuf_Execute): it ends
// at its first NUL; CR, LF and ";" outside double quotes end a command line; of a line
// longer than 1023 bytes the game takes bytes 0-1022, loses byte 1023 and runs the rest
// as a new line, its quotes counted afresh. The original games know no comments there
// ("// x; quit" runs quit); ioquake3 and iortcw keep a "//" comment to its line end and
// a "/* */" comment whole across lines, an unclosed one to the end of the file, and end
// the command right after its "*/". Lines with no arguments are left out. The same
// splits a key's binding into the commands a press runs.
QList<ScriptCommand> scriptCommands(const QByteArray &script, Engine engine);

// The first command line a pressed key runs of its binding: up to where the command
// buffer ends it (Cbuf_Execute of ioquake3 and iortcw). A line end or a ";" outside
// quotes ends it, but not inside a "//" comment, nor inside "/* */", which ends the
// command right after its "*/" and leaves the "/" out.
QByteArray firstCommandOf(const QByteArray &binding);

// The number of the line, from 1, that holds the byte at offset: what a player's text
// editor shows.
qsizetype lineNumberAt(const QByteArray &script, qsizetype offset);

} // namespace binds
