#pragma once

#include <QByteArray>
#include <QList>

using ConsoleCommand = QList<QByteArray>;

// How the original games (Quake III Arena 1.32, RTCW) run a config file, byte for byte.
// The file ends at its first NUL. Cbuf_Execute cuts it into command lines at CR, LF and
// at ';' outside double quotes, and knows no comments; of a line longer than 1023 bytes
// it hands on bytes 0-1022, loses byte 1023 and runs the rest as a new line, its quotes
// counted afresh. Cmd_TokenizeString then splits a line into arguments: blanks, control
// characters and bytes 0x80-0xFF separate them outside quotes, a double quote opens an
// argument that runs to the next one (no escapes), "//" ends the line and /* */ is
// skipped outside quotes.
QList<ConsoleCommand> parseConsole(const QByteArray &script);
