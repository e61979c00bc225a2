#include "binds/add/status.h"

#include <QTextBoundaryFinder>

namespace binds {

// The first n characters as the player sees them: a surrogate pair or a letter with its
// combining marks is never split.
static QString firstCharacters(const QString &text, int n)
{
    QTextBoundaryFinder finder(QTextBoundaryFinder::Grapheme, text);
    qsizetype end = 0;
    for (int i = 0; i < n && end < text.size(); ++i) {
        end = finder.toNextBoundary();
        if (end < 0)
            return text;
    }
    return text.left(end);
}

QString quake3StatusNote(const QString &say)
{
    return QStringLiteral(" Added ") + firstCharacters(say, 5) + QStringLiteral("....");
}

QString rtcwStatusNote()
{
    return QStringLiteral("Wrote Bind...");
}

} // namespace binds
