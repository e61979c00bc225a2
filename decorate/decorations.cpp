#include "decorate/decorations.h"

namespace decorate {

// "^" and the digit, 0 to 9.
static QString colourCode(int digit)
{
    Q_ASSERT(digit >= 0 && digit <= 9);
    return QString(u'^') + QChar(u'0' + digit);
}

QString withColour(const QString &text, int digit)
{
    return text + colourCode(digit);
}

QString formalDecoration(const QString &text)
{
    return formalPrefix + text + formalSuffix;
}

QString tesselScheme(const QString &text)
{
    return tesselPrefix + text + tesselSuffix;
}

} // namespace decorate
