#pragma once

#include <QFont>

// The look the fixed layout was drawn for: the program's icon, and a small sans serif
// with Arial's metrics, in which every caption fits its box.
void applyAppearance();

// That font. The windows set it on themselves too, so their controls keep it even when a
// platform theme (qt6ct, say) gives buttons, labels and boxes fonts of its own.
QFont layoutFont();
