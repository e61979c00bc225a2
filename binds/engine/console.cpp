#include "binds/engine/console.h"

namespace binds {

namespace {

bool isBlank(char c, bool highBytesSeparate)
{
    return highBytesSeparate ? static_cast<signed char>(c) <= ' ' : static_cast<unsigned char>(c) <= ' ';
}

bool pairAt(QByteArrayView s, qsizetype i, char first, char second)
{
    return i + 1 < s.size() && s.at(i) == first && s.at(i + 1) == second;
}

QList<QByteArray> argumentsOf(QByteArrayView command, bool highBytesSeparate, bool keepLinks);

} // namespace

QList<QByteArray> consoleArguments(const QByteArray &command, Comments comments)
{
    return argumentsOf(command, true, comments == Comments::SlashesButLinks);
}

QList<QByteArray> chatArguments(const QByteArray &command)
{
    return argumentsOf(command, false, false);
}

namespace {

QList<QByteArray> argumentsOf(QByteArrayView command, bool highBytesSeparate, bool keepLinks)
{
    // The engine reads a C string: nothing after a NUL.
    const QByteArrayView line = command.first(command.indexOf('\0') < 0 ? command.size() : command.indexOf('\0'));
    QList<QByteArray> args;
    const qsizetype n = line.size();
    // Quake3e keeps "//" right after a lower-case letter and ":" at byte 3 or later (http://).
    auto opensComment = [&line, keepLinks](qsizetype i) {
        if (!pairAt(line, i, '/', '/'))
            return false;
        return !keepLinks || i < 3 || line.at(i - 1) != ':' || line.at(i - 2) < 'a' || line.at(i - 2) > 'z';
    };
    qsizetype i = 0;
    while (true) {
        while (true) {
            while (i < n && isBlank(line.at(i), highBytesSeparate))
                ++i;
            if (i >= n || opensComment(i))
                return args;
            if (!pairAt(line, i, '/', '*'))
                break;
            // The search starts at the "/" itself, so "/*/" closes at once.
            while (i < n && !pairAt(line, i, '*', '/'))
                ++i;
            if (i >= n)
                return args;
            i += 2;
        }
        if (line.at(i) == '"') {
            const qsizetype start = ++i;
            while (i < n && line.at(i) != '"')
                ++i;
            args << line.sliced(start, i - start).toByteArray();
            if (i >= n)
                return args;
            ++i;
            continue;
        }
        const qsizetype start = i;
        for (; i < n && !isBlank(line.at(i), highBytesSeparate) && line.at(i) != '"'; ++i) {
            if (opensComment(i) || pairAt(line, i, '/', '*'))
                break;
        }
        args << line.sliced(start, i - start).toByteArray();
        if (i >= n)
            return args;
    }
}

} // namespace

QList<ScriptCommand> scriptCommands(const QByteArray &file, const ConsoleRules &rules)
{
    constexpr qsizetype maxCommandLine = 1024; // MAX_CMD_LINE
    // exec inserts the file as a C string, and a line end after it.
    const qsizetype fileEnd = file.indexOf('\0') < 0 ? file.size() : file.indexOf('\0');
    const QByteArray text = file.left(fileEnd) + '\n';
    const bool knowsComments = rules.comments != Comments::None;
    const bool tailDropped = rules.longLines == LongLines::TailDropped;
    const bool keepLinks = rules.comments == Comments::SlashesButLinks;
    // Cbuf_Execute keeps these from one line to the next.
    bool inSlashComment = false;
    bool inStarComment = false;
    QList<ScriptCommand> commands;
    qsizetype pos = 0;
    while (pos < text.size()) {
        const qsizetype rest = text.size() - pos;
        int quotes = 0;
        qsizetype i = 0;
        for (; i < rest; ++i) {
            const char c = text.at(pos + i);
            if (c == '"')
                ++quotes;
            if (quotes % 2 == 0) {
                if (knowsComments && i < rest - 1) {
                    const char next = text.at(pos + i + 1);
                    if (!inStarComment && c == '/' && next == '/') {
                        inSlashComment = true;
                    } else if (!inSlashComment && c == '/' && next == '*') {
                        inStarComment = true;
                    } else if (inStarComment && c == '*' && next == '/') {
                        inStarComment = false;
                        ++i; // the line ends before the "/", which is lost
                        break;
                    }
                }
                if (!inSlashComment && !inStarComment && c == ';')
                    break;
            }
            if (!inStarComment && (c == '\n' || c == '\r')) {
                inSlashComment = false;
                break;
            }
        }
        const qsizetype length = std::min(i, maxCommandLine - 1);
        QList<QByteArray> args = argumentsOf(QByteArrayView(text).sliced(pos, length), true, keepLinks);
        if (!args.isEmpty())
            commands.append({std::move(args), pos, std::min(pos + length, fileEnd)});
        if (!tailDropped) {
            pos += length + 1; // the byte after the line is lost: its end, or byte 1023
            continue;
        }
        // Quake3e goes on after the whole line, then past every line end, ";" and blank
        // (a signed compare: bytes 0x80-0xFF too) before it counts the next line's bytes.
        pos += i + 1;
        while (pos < text.size() && (text.at(pos) == ';' || static_cast<signed char>(text.at(pos)) <= ' '))
            ++pos;
    }
    return commands;
}

QList<ScriptCommand> pressedCommands(const QByteArray &binding, const ConsoleRules &rules)
{
    if (rules.keyPress == KeyPress::Whole)
        return scriptCommands(binding, rules);
    // Each piece between two ";" goes to the buffer as a line of its own; offsets stay the binding's.
    QByteArray lines = binding;
    lines.replace(';', '\n');
    return scriptCommands(lines, rules);
}

QByteArray firstCommandOf(const QByteArray &binding, const ConsoleRules &rules)
{
    const QList<ScriptCommand> commands = pressedCommands(binding, rules);
    return commands.isEmpty() ? QByteArray()
                              : binding.mid(commands.first().begin, commands.first().end - commands.first().begin);
}

qsizetype lineNumberAt(const QByteArray &script, qsizetype offset)
{
    return script.left(offset).count('\n') + 1;
}

} // namespace binds
