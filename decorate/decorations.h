#pragma once

#include <QString>

// The games colour chat text with "^" and a digit; these edit a text to say with such codes.
namespace decorate {

inline const QString formalPrefix = QStringLiteral("^1<^4<^7[ ^7");
inline const QString formalSuffix = QStringLiteral(" ^7]^4>^1>");
// The Tessel prefix really starts with a bare 7: the game shows it as a digit.
inline const QString tesselPrefix = QStringLiteral("7[ ^1");
inline const QString tesselSuffix = QStringLiteral(" ^7]");

// The text with "^" and the digit (0 to 9; the colour buttons use 1 to 8) at its end.
QString withColour(const QString &text, int digit);

QString formalDecoration(const QString &text);
QString tesselScheme(const QString &text);

} // namespace decorate
