#include "appicon.h"

#include <QBuffer>
#include <QPainter>
#include <QtEndian>

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
    return *std::min_element(palette.begin(), palette.end(), [&](QRgb a, QRgb b) { return distance(a) < distance(b); });
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
    for (int row = 0; row < size; ++row) {
        for (int column = 0; column < size; ++column) {
            const QRgb pixel = image.pixel(column, row);
            image.setPixel(column, row, qAlpha(pixel) < 128 ? qRgba(0, 0, 0, 0) : nearest(palette, pixel));
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

namespace {

template <class T>
void append(QByteArray &bytes, T value)
{
    const T little = qToLittleEndian(value);
    bytes.append(reinterpret_cast<const char *>(&little), sizeof(T));
}

// BITMAPINFOHEADER, the pixels bottom-up in BGRA, then the 1-bit mask (0: drawn), each
// mask row padded to 32 bits.
QByteArray iconBitmap(const QImage &drawn)
{
    const QImage image = drawn.convertToFormat(QImage::Format_ARGB32);
    const int size = image.width();
    QByteArray bitmap;
    append<quint32>(bitmap, 40);
    append<qint32>(bitmap, size);
    append<qint32>(bitmap, size * 2); // the colours and the mask
    append<quint16>(bitmap, 1);
    append<quint16>(bitmap, 32);
    for (int i = 0; i < 6; ++i)
        append<quint32>(bitmap, 0); // no compression, sizes and palette left to the reader
    for (int y = size - 1; y >= 0; --y) {
        for (int x = 0; x < size; ++x)
            append<quint32>(bitmap, quint32(image.pixel(x, y))); // ARGB is BGRA in memory
    }
    const int maskRowBytes = ((size + 31) / 32) * 4;
    for (int y = size - 1; y >= 0; --y) {
        QByteArray row(maskRowBytes, 0);
        for (int x = 0; x < size; ++x) {
            if (qAlpha(image.pixel(x, y)) == 0)
                row[x / 8] = char(row.at(x / 8) | (0x80 >> (x % 8)));
        }
        bitmap += row;
    }
    return bitmap;
}

QByteArray png(const QImage &image)
{
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "PNG");
    return buffer.data();
}

} // namespace

QByteArray icoFile()
{
    QList<QByteArray> images;
    for (int size : icoSizes)
        images.append(size >= 256 ? png(drawAppIcon(size)) : iconBitmap(drawAppIcon(size)));
    QByteArray ico;
    append<quint16>(ico, 0); // reserved
    append<quint16>(ico, 1); // an icon, not a cursor
    append<quint16>(ico, quint16(images.size()));
    quint32 offset = quint32(6 + 16 * images.size());
    for (qsizetype i = 0; i < images.size(); ++i) {
        const char side = char(icoSizes.at(i) >= 256 ? 0 : icoSizes.at(i)); // 0 stands for 256
        ico.append(side).append(side).append(char(0)).append(char(0));
        append<quint16>(ico, 1);  // planes
        append<quint16>(ico, 32); // bits a pixel
        append<quint32>(ico, quint32(images.at(i).size()));
        append<quint32>(ico, offset);
        offset += quint32(images.at(i).size());
    }
    for (const QByteArray &image : std::as_const(images))
        ico += image;
    return ico;
}
