#pragma once

#include <QIcon>
#include <QImage>

// The program's icon: a yellow disc with a black exclamation mark, in 16 colours.
QImage drawAppIcon(int size);

// The icon at 16 and 32 pixels.
QIcon appIcon();
