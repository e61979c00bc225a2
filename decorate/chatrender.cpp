#include "decorate/chatrender.h"

namespace decorate {

namespace {

bool startsCode(QChar next)
{
    return !next.isNull() && next != u'^';
}

int colourIndex(QChar code)
{
    return (code.unicode() - u'0') & 7;
}

} // namespace

QList<ColouredRun> colouredRuns(const QString &text, int startColour)
{
    QList<ColouredRun> runs;
    int colour = startColour;
    QString letters;
    auto endRun = [&] {
        if (!letters.isEmpty())
            runs.append({colour, letters});
        letters.clear();
    };
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar next = i + 1 < text.size() ? text.at(i + 1) : QChar();
        if (text.at(i) == u'^' && startsCode(next)) {
            if (colourIndex(next) != colour) {
                endRun();
                colour = colourIndex(next);
            }
            ++i;
            continue;
        }
        letters += text.at(i);
    }
    endRun();
    return runs;
}

QString withoutColourCodes(const QString &text)
{
    QString shown;
    for (const ColouredRun &run : colouredRuns(text, 0))
        shown += run.text;
    return shown;
}

} // namespace decorate
