#pragma once

#include <QRect>
#include <QWidget>

// The layout is drawn in twips; Qt's device-independent pixels are 15 twips at 96 dpi,
// and Qt's own high-DPI scaling takes it from there.
constexpr int twipsPerPixel = 15;

constexpr int fromTwips(int twips)
{
    return twips / twipsPerPixel;
}

constexpr QRect twipsRect(int left, int top, int width, int height)
{
    return {fromTwips(left), fromTwips(top), fromTwips(width), fromTwips(height)};
}

// A control at its design place, under its design name.
template <class W>
W *place(W *widget, const char *name, QRect geometry)
{
    widget->setObjectName(QLatin1String(name));
    widget->setGeometry(geometry);
    return widget;
}
