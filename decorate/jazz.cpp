#include "decorate/jazz.h"

#include <QTextBoundaryFinder>
#include <cmath>
#include <vector>

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

// Where each character starts, plus the end of the text.
std::vector<qsizetype> characterBounds(const QString &text)
{
    std::vector<qsizetype> bounds;
    bounds.reserve(text.size() + 1);
    if (eachUnitIsACharacter(text)) {
        for (qsizetype i = 0; i <= text.size(); ++i)
            bounds.push_back(i);
        return bounds;
    }
    bounds.push_back(0);
    QTextBoundaryFinder finder(QTextBoundaryFinder::Grapheme, text);
    for (qsizetype at = finder.toNextBoundary(); at > 0; at = finder.toNextBoundary())
        bounds.push_back(at);
    return bounds;
}

} // namespace

int jazzDigit(double r)
{
    // In double, r * 7 + 1 < 8 for every r below 1; narrowed to float it could reach 8.
    return static_cast<int>(std::floor(r * 7.0 + 1.0));
}

std::optional<QString> jazz(const QString &text, RandomSource &random, QString *error)
{
    const std::vector<qsizetype> bounds = characterBounds(text);
    const auto characters = static_cast<qsizetype>(bounds.size()) - 1;
    if (characters > jazzLimit) {
        *error = QStringLiteral("This text is too long to jazz: it has %L1 characters, and jazz "
                                "colouring takes at most %L2. Shorten it and try again.")
                     .arg(characters)
                     .arg(jazzLimit);
        return std::nullopt;
    }

    QString result;
    result.reserve(text.size() + 2 * characters);
    for (qsizetype i = 0; i < characters; ++i) {
        result += u'^';
        result += QChar(u'0' + jazzDigit(random.next()));
        result += QStringView(text).sliced(bounds[i], bounds[i + 1] - bounds[i]);
    }
    return result;
}

} // namespace decorate
