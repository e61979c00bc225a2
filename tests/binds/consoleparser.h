#pragma once

#include <QByteArray>
#include <QList>

using ConsoleCommand = QList<QByteArray>;

// How the original games (Quake III Arena 1.32, RTCW) run a config file, byte for byte.
// The file ends at its first NUL. Cbuf_Execute cuts it into command lines at CR, LF and
// at ';' outside double quotes, and knows no comments; of a line longer than 1023 bytes
// it hands on bytes 0-1022, loses byte 1023 and runs the rest as a new line, its quotes
// counted afresh. Each line's arguments are the program's own reading of a command line.
QList<ConsoleCommand> parseConsole(const QByteArray &script);
