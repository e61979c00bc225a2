#include "decorate/jazz.h"

#include <QTextBoundaryFinder>

#include <algorithm>
#include <cmath>

namespace decorate {

namespace {

// Below U+0300 nothing combines with its neighbour except CR with LF, so each code
// unit is its own character and the boundary search can be skipped.
bool eachUnitIsACharacter(const QString &text)
{
    for (QChar c : text) {
        if (c.unicode() >= 0x300 || c == u'\r')
            return false;
    }
    return true;
}

qsizetype graphemeCount(const QString &text)
{
    QTextBoundaryFinder finder(QTextBoundaryFinder::Grapheme, text);
    qsizetype count = 0;
    while (finder.toNextBoundary() > 0)
        ++count;
    return count;
}

} // namespace

int jazzDigit(double r)
{
    // In double, r * 7 + 1 < 8 for every r below 1; narrowed to float it could reach 8.
    return static_cast<int>(std::floor(r * 7.0 + 1.0));
}

std::optional<QString> jazz(const QString &text, RandomSource &random, QString *error)
{
    const bool simple = eachUnitIsACharacter(text);
    const qsizetype characters = simple ? text.size() : graphemeCount(text);
    if (characters > jazzLimit) {
        if (error)
            *error = QStringLiteral("This text is too long to jazz: it has %L1 characters, and jazz "
                                    "colouring takes at most %L2. Shorten it and try again.")
                         .arg(characters)
                         .arg(jazzLimit);
        return std::nullopt;
    }

    // Written in place: the result's length is known, and appends cost more than the work.
    QString result(text.size() + 2 * characters, Qt::Uninitialized);
    QChar *out = result.data();
    const QChar *in = text.constData();
    auto colour = [&](qsizetype from, qsizetype to) {
        *out++ = u'^';
        *out++ = QChar(u'0' + jazzDigit(random.next()));
        out = std::copy(in + from, in + to, out);
    };
    if (simple) {
        for (qsizetype i = 0; i < text.size(); ++i)
            colour(i, i + 1);
    } else {
        QTextBoundaryFinder finder(QTextBoundaryFinder::Grapheme, text);
        qsizetype from = 0;
        for (qsizetype to = finder.toNextBoundary(); to > 0; to = finder.toNextBoundary()) {
            colour(from, to);
            from = to;
        }
    }
    return result;
}

} // namespace decorate
