#pragma once

#include <QByteArray>
#include <QList>

// How the games' console reads a command line, byte for byte, from the engines' qcommon/cmd.c.
namespace binds {

// The arguments of one command line (Cmd_TokenizeString): blanks, control characters and
// bytes 0x80-0xFF separate them (a signed char compare), a double quote opens an argument
// that runs to the next one (no escapes), and outside quotes "//" ends the line and
// "/* */" is skipped, an unclosed "/*" to the end.
QList<QByteArray> consoleArguments(const QByteArray &line);

// The first command line a pressed key runs of its binding: up to where the command
// buffer ends it (Cbuf_Execute of ioquake3 and iortcw). A line end or a ";" outside
// quotes ends it, but not inside a "//" comment, nor inside "/* */", which ends the
// command right after its "*/" and leaves the "/" out.
QByteArray firstCommandOf(const QByteArray &binding);

} // namespace binds
