#include "appicon.h"

#include <QPainter>

#include <algorithm>

namespace {

// The classic 16-colour palette, so the icon keeps the look it was drawn for.
QList<QRgb> sixteenColours()
{
    return {qRgb(0, 0, 0),       qRgb(128, 0, 0),   qRgb(0, 128, 0),   qRgb(128, 128, 0),
            qRgb(0, 0, 128),     qRgb(128, 0, 128), qRgb(0, 128, 128), qRgb(192, 192, 192),
            qRgb(128, 128, 128), qRgb(255, 0, 0),   qRgb(0, 255, 0),   qRgb(255, 255, 0),
            qRgb(0, 0, 255),     qRgb(255, 0, 255), qRgb(0, 255, 255), qRgb(255, 255, 255)};
}

QRgb nearest(const QList<QRgb> &palette, QRgb pixel)
{
    auto distance = [pixel](QRgb c) {
        const int r = qRed(c) - qRed(pixel), g = qGreen(c) - qGreen(pixel), b = qBlue(c) - qBlue(pixel);
        return r * r + g * g + b * b;
    };
    return *std::min_element(palette.begin(), palette.end(),
                             [&](QRgb a, QRgb b) { return distance(a) < distance(b); });
}

} // namespace

QImage drawAppIcon(int size)
{
    QImage image(size, size, QImage::Format_ARGB32);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    painter.setPen(QPen(Qt::black, size / 16.0));
    painter.setBrush(QColor(255, 255, 0));
    const qreal margin = size / 16.0;
    painter.drawEllipse(QRectF(margin, margin, size - 2 * margin, size - 2 * margin));

    painter.setPen(Qt::NoPen);
    painter.setBrush(Qt::black);
    const qreal bar = size / 8.0;
    const qreal x = (size - bar) / 2;
    painter.drawRect(QRectF(x, size * 0.22, bar, size * 0.38));
    painter.drawRect(QRectF(x, size * 0.68, bar, bar));
    painter.end();

    // 16 colours and a transparency mask, as the icon was made for its small sizes; the
    // large ones keep their smooth edges.
    if (size > 32)
        return image;
    const QList<QRgb> palette = sixteenColours();
    for (int y = 0; y < size; ++y) {
        for (int x = 0; x < size; ++x) {
            const QRgb pixel = image.pixel(x, y);
            image.setPixel(x, y, qAlpha(pixel) < 128 ? qRgba(0, 0, 0, 0) : nearest(palette, pixel));
        }
    }
    return image;
}

QIcon appIcon()
{
    QIcon icon;
    for (int size : {16, 32})
        icon.addPixmap(QPixmap::fromImage(drawAppIcon(size)));
    return icon;
}
