#include "consoleparser.h"

QList<QStringList> parseConsole(const QString &script)
{
    QList<QStringList> commands;
    QStringList args;
    QString token;
    bool inToken = false;
    bool inQuotes = false;
    bool inComment = false;

    auto endToken = [&] {
        if (inToken)
            args << token;
        token.clear();
        inToken = false;
    };
    auto endCommand = [&] {
        endToken();
        if (!args.isEmpty())
            commands << args;
        args.clear();
        inQuotes = false;
        inComment = false;
    };

    for (qsizetype i = 0; i < script.size(); ++i) {
        const QChar c = script.at(i);
        if (c == u'\n' || c == u'\r') {
            endCommand();
        } else if (inComment) {
            continue;
        } else if (inQuotes) {
            if (c == u'"') {
                inQuotes = false;
                endToken();
            } else {
                token += c;
            }
        } else if (c == u'"') {
            endToken();
            inQuotes = true;
            inToken = true;
        } else if (c == u';') {
            endCommand();
        } else if (c == u'/' && i + 1 < script.size() && script.at(i + 1) == u'/') {
            endToken();
            inComment = true;
        } else if (c == u' ' || c == u'\t') {
            endToken();
        } else {
            token += c;
            inToken = true;
        }
    }
    endCommand();
    return commands;
}
