#pragma once

#include "decorate/randomsource.h"

#include <QString>

#include <optional>

namespace decorate {

// The longest text jazz colouring takes, in characters as the player sees them.
inline constexpr int jazzLimit = 32766;

// The colour digit for a draw r in [0, 1): 1 to 7.
int jazzDigit(double r);

// A random colour code, 1 to 7, in front of every character, one draw per character.
// Refused, drawing nothing, for a text longer than jazzLimit.
std::optional<QString> jazz(const QString &text, RandomSource &random, QString *error = nullptr);

} // namespace decorate
