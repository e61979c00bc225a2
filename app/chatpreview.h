#pragma once

#include "binds/quake3.h"
#include "decorate/chatrender.h"

#include <QString>

// The tooltip of a text-to-say box: the text as the game will draw it, on the game's
// dark chat background, with a short note when other players get less than was typed.
QString chatPreviewHtml(const QString &text, decorate::ColourRules rules, binds::ChatScope scope);
