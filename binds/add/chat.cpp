#include "binds/add/chat.h"

#include "binds/engine/console.h"
#include "host/error.h"
#include "host/textencoding.h"

namespace binds {

namespace {

// The server's console reads these as blanks (cmd.c compares with ' '). Line breaks and
// NUL are left to the bind line's own refusal, which says what they do to the file.
bool isMergedBlank(QChar c)
{
    return c == u' ' || (c.unicode() < 0x20 && c != u'\r' && c != u'\n' && !c.isNull());
}

bool blanksChange(const QString &say)
{
    if (isMergedBlank(say.front()) || isMergedBlank(say.back()))
        return true;
    for (qsizetype i = 0; i < say.size(); ++i) {
        if (say.at(i) != u' ' && isMergedBlank(say.at(i)))
            return true; // a tab or a control character
        if (i > 0 && say.at(i) == u' ' && say.at(i - 1) == u' ')
            return true;
    }
    return false;
}

bool isEmptyForTheGame(const QString &say)
{
    for (QChar c : say) {
        if (!isMergedBlank(c))
            return false;
    }
    return true;
}

QString received(const QString &say)
{
    return chatAsReceived(say).text;
}

QByteArray inFileEncoding(const QString &text)
{
    // A text the file cannot hold is never written; its refusal comes from the writer.
    return host::toFileEncoding(text).value_or(text.toUtf8());
}

} // namespace

ChatSaid chatOfCommand(const QString &command)
{
    for (const auto &[scope, word] : {std::pair {ChatScope::Team, QStringLiteral("say_team ")},
                                      std::pair {ChatScope::Public, QStringLiteral("say ")}}) {
        if (command.startsWith(word, Qt::CaseInsensitive))
            return {scope, command.mid(word.size())};
    }
    return {ChatScope::None, command};
}

QString chatCommand(ChatScope scope, const QString &say)
{
    switch (scope) {
    case ChatScope::Team:
        return QStringLiteral("say_team ") + say;
    case ChatScope::Public:
        return QStringLiteral("say ") + say;
    case ChatScope::None:
        break;
    }
    return say;
}

// Why the key would not send what was typed; empty when it would.
static QString chatRefusal(ChatScope scope, const QString &say)
{
    if (scope == ChatScope::None) {
        if (consoleArguments(inFileEncoding(say)).isEmpty()) {
            return QStringLiteral("Type the text to say first, or a console command for the key to run. An empty "
                                  "bind would take away whatever the key does now.");
        }
        return {};
    }
    if (isEmptyForTheGame(say))
        return QStringLiteral("Type the text to say first: the key would say nothing, and would no longer do "
                              "whatever it does now.");
    if (say.contains(u';')) {
        return QStringLiteral("The text holds a ; (semicolon), and a ; ends the chat and runs the rest as a "
                              "console command: other players would receive only \"%1\". Leave it out, or use "
                              "a comma.")
            .arg(received(say));
    }
    if (say.contains(QLatin1String("//"))) {
        return QStringLiteral("The text holds //, and the game drops a // and everything after it: other players "
                              "would receive only \"%1\". Leave out the // (a web address works without "
                              "http://).")
            .arg(received(say));
    }
    if (say.contains(QLatin1String("/*"))) {
        return QStringLiteral("The text holds /*, which the game reads as the start of a comment: other players "
                              "would receive only \"%1\", and after a */ ioquake3 and iortcw run the rest as a "
                              "console command. Leave out the /*.")
            .arg(received(say));
    }
    if (blanksChange(say)) {
        return QStringLiteral("Other players would receive \"%1\": the game turns each run of blanks or tabs "
                              "into one blank and drops blanks at the start and the end. Remove the extra "
                              "blanks.")
            .arg(received(say));
    }
    return {};
}

bool sendsAsTyped(ChatScope scope, const QString &say, QString *error)
{
    const QString refusal = chatRefusal(scope, say);
    host::setError(error, refusal);
    return refusal.isEmpty();
}

ChatReceived chatAsReceived(const QString &say)
{
    // As the engines that cut a pressed binding at every ";" send it: the most of them.
    QByteArray line = firstCommandOf("say " + inFileEncoding(say), ioquake3().rules);
    ChatReceived result;
    for (char &byte : line) {
        if (static_cast<unsigned char>(byte) > 127 || byte == '%') {
            byte = '.';
            result.dotted = true;
        }
    }
    QList<QByteArray> args = consoleArguments(line);
    args.removeFirst(); // "say"
    QByteArray text = args.join(' ');
    if (text.size() > maxSayBytes) {
        text.truncate(maxSayBytes);
        result.cut = true;
    }
    result.text = QString::fromLatin1(text);
    return result;
}

} // namespace binds
