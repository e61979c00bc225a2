#include "consoleparser.h"

#include "binds/console.h"

namespace {

constexpr qsizetype maxCommandLine = 1024; // MAX_CMD_LINE

} // namespace

QList<ConsoleCommand> parseConsole(const QByteArray &file)
{
    const QByteArray script = file.left(file.indexOf('\0') < 0 ? file.size() : file.indexOf('\0'));
    QList<ConsoleCommand> commands;
    qsizetype pos = 0;
    while (pos < script.size()) {
        int quotes = 0;
        qsizetype end = pos;
        for (; end < script.size(); ++end) {
            const char c = script.at(end);
            if (c == '"')
                ++quotes;
            if ((c == ';' && quotes % 2 == 0) || c == '\n' || c == '\r')
                break;
        }
        const qsizetype length = std::min(end - pos, maxCommandLine - 1);
        const ConsoleCommand args = binds::consoleArguments(script.mid(pos, length));
        if (!args.isEmpty())
            commands << args;
        pos += length + 1; // the byte after the line is lost: its end, or byte 1023
    }
    return commands;
}
