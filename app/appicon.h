#pragma once

#include <QIcon>
#include <QImage>

// The program's icon: a yellow disc with a black exclamation mark, in 16 colours.
QImage drawAppIcon(int size);

// The icon at 16 and 32 pixels.
QIcon appIcon();

// The sizes of the Windows .ico: Explorer's views from the smallest list to the
// largest tiles, and high-DPI screens.
inline const QList<int> icoSizes = {16, 24, 32, 48, 64, 256};

// A Windows .ico of the icon at icoSizes: the 256-pixel image as PNG, the others as
// 32-bit bitmaps with their mask, which every Windows reads.
QByteArray icoFile();
