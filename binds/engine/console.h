#pragma once

#include "binds/engine/engines.h"

#include <QByteArray>
#include <QList>

// How the games' console reads a command line, byte for byte, from the engines' qcommon/cmd.c.
namespace binds {

// The arguments of one command line (Cmd_TokenizeString): blanks, control characters and
// bytes 0x80-0xFF separate them (a signed char compare), a double quote opens an argument
// that runs to the next one (no escapes), and outside quotes "//" ends the line and
// "/* */" is skipped, an unclosed "/*" to the end. Quake3e keeps a "//" after a letter and
// a colon (Comments::SlashesButLinks).
QList<QByteArray> consoleArguments(const QByteArray &line, Comments comments = Comments::Slashes);

// The same as the server reads a chat line, where the network has turned bytes
// 0x80-0xFF into dots: they separate nothing, and stay as they are here.
QList<QByteArray> chatArguments(const QByteArray &line);

// One command of a console script, and where its line stands in the script.
struct ScriptCommand {
    QList<QByteArray> args;
    qsizetype begin = 0; // the first byte of its line (in Quake3e, after the blanks before it)
    qsizetype end = 0;   // one past its last byte; the ";" or line end after it not included
    bool operator==(const ScriptCommand &) const = default;
};

// A console file as the engine runs it, byte for byte (exec, then Cbuf_Execute): it ends
// at its first NUL; CR, LF and ";" outside double quotes end a command line; of a line
// longer than 1023 bytes the game takes bytes 0-1022, and by its rules either loses byte
// 1023 and runs the rest as a new line, its quotes counted afresh, or drops the rest
// (Quake3e, which also skips the line ends, ";" and blanks after each line). id's
// releases know no comments there ("// x; quit" runs quit); the others keep a "//"
// comment to its line end and a "/* */" comment whole across lines, an unclosed one to
// the end of the file, and end the command right after its "*/". Lines with no arguments
// are left out.
QList<ScriptCommand> scriptCommands(const QByteArray &script, const ConsoleRules &rules);

// The commands a pressed key runs of a binding that does not start with "+", by the
// engine's rules: the binding whole through the command buffer (id's releases, CNQ3), or
// first cut at every ";", quotes and comments unseen, each piece a line of its own
// (ioquake3, iortcw and Quake3e: CL_ParseBinding). Offsets are the binding's.
QList<ScriptCommand> pressedCommands(const QByteArray &binding, const ConsoleRules &rules);

// The first command line of those, as the binding spells it; empty when it runs nothing.
QByteArray firstCommandOf(const QByteArray &binding, const ConsoleRules &rules);

// The number of the line, from 1, that holds the byte at offset: what a player's text
// editor shows.
qsizetype lineNumberAt(const QByteArray &script, qsizetype offset);

} // namespace binds
