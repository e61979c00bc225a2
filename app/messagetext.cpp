#include "messagetext.h"

namespace {

bool holdsSeparator(QStringView text)
{
    return text.contains(u'/') || text.contains(u'\\');
}

QString breakingAtSeparators(QStringView path)
{
    QString shown;
    for (const QChar c : path) {
        if (c == u' ')
            shown += QChar(0x00A0); // no-break space
        else if (c == u'-')
            shown += QChar(0x2011); // non-breaking hyphen
        else
            shown += c;
        if (c == u'/' || c == u'\\')
            shown += QChar(0x200B); // a place to break
    }
    return shown;
}

} // namespace

QString breakingPathsAtSeparators(const QString &message)
{
    QString shown;
    qsizetype at = 0;
    while (at < message.size()) {
        const qsizetype open = message.indexOf(u'"', at);
        const qsizetype close = open < 0 ? -1 : message.indexOf(u'"', open + 1);
        if (close < 0) {
            shown += QStringView(message).mid(at);
            break;
        }
        const QStringView quoted = QStringView(message).mid(open + 1, close - open - 1);
        shown += QStringView(message).mid(at, open + 1 - at);
        shown += holdsSeparator(quoted) ? breakingAtSeparators(quoted) : quoted.toString();
        shown += u'"';
        at = close + 1;
    }
    return shown;
}
