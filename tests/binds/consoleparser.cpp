#include "consoleparser.h"

namespace {

constexpr qsizetype maxCommandLine = 1024; // MAX_CMD_LINE

// Signed char, as the games compare it: bytes from 0x80 count as blanks.
bool isBlank(char c)
{
    return static_cast<signed char>(c) <= ' ';
}

bool startsComment(const QByteArray &line, qsizetype i, char second)
{
    return line.at(i) == '/' && i + 1 < line.size() && line.at(i + 1) == second;
}

ConsoleCommand tokenize(const QByteArray &line)
{
    ConsoleCommand args;
    qsizetype i = 0;
    const qsizetype n = line.size();
    while (true) {
        while (i < n && isBlank(line.at(i)))
            ++i;
        if (i >= n || startsComment(line, i, '/'))
            return args;
        if (startsComment(line, i, '*')) {
            const qsizetype end = line.indexOf("*/", i + 2);
            if (end < 0)
                return args;
            i = end + 2;
            continue;
        }
        QByteArray token;
        if (line.at(i) == '"') {
            for (++i; i < n && line.at(i) != '"'; ++i)
                token += line.at(i);
            args << token;
            if (i >= n)
                return args;
            ++i;
            continue;
        }
        for (; i < n && !isBlank(line.at(i)) && line.at(i) != '"'; ++i) {
            if (startsComment(line, i, '/') || startsComment(line, i, '*'))
                break;
            token += line.at(i);
        }
        args << token;
    }
}

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
        const ConsoleCommand args = tokenize(script.mid(pos, length));
        if (!args.isEmpty())
            commands << args;
        pos += length + 1; // the byte after the line is lost: its end, or byte 1023
    }
    return commands;
}
