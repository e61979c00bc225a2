// Build step: writes the program's icon, from the same drawing the program shows, as
// PNG files for the desktop's icon theme or as a Windows .ico for the .exe.
//   writeicons OUTPUT_FOLDER      hicolor PNGs
//   writeicons --ico FILE.ico     a Windows icon with 16 and 32 pixel images

#include "appicon.h"

#include <QBuffer>
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QTextStream>
#include <QtEndian>

namespace {

// Every size an icon theme's app grids, docks and menus ask for.
const QList<int> themeSizes = {16, 22, 24, 32, 48, 64, 128, 256};
// What a Windows .exe needs for Explorer and the title bar.
const QList<int> icoSizes = {16, 32};

bool writeThemePngs(const QDir &out)
{
    for (int size : themeSizes) {
        const QString folder = QStringLiteral("%1x%1/apps").arg(size);
        const QString file = out.filePath(folder + QStringLiteral("/bindwright.png"));
        if (!out.mkpath(folder) || !drawAppIcon(size).save(file, "PNG")) {
            QTextStream(stderr) << "could not write " << file << '\n';
            return false;
        }
    }
    return true;
}

template <class T>
void append(QByteArray &bytes, T value)
{
    const T little = qToLittleEndian(value);
    bytes.append(reinterpret_cast<const char *>(&little), sizeof(T));
}

// An ICONDIR, one ICONDIRENTRY an image, then the images as PNG (Windows Vista and later).
bool writeIco(const QString &file)
{
    QList<QByteArray> images;
    for (int size : icoSizes) {
        QBuffer png;
        png.open(QIODevice::WriteOnly);
        if (!drawAppIcon(size).save(&png, "PNG"))
            return false;
        images.append(png.data());
    }
    QByteArray ico;
    append<quint16>(ico, 0); // reserved
    append<quint16>(ico, 1); // an icon, not a cursor
    append<quint16>(ico, quint16(images.size()));
    quint32 offset = quint32(6 + 16 * images.size());
    for (qsizetype i = 0; i < images.size(); ++i) {
        ico.append(char(icoSizes.at(i))).append(char(icoSizes.at(i))).append(char(0)).append(char(0));
        append<quint16>(ico, 1);  // planes
        append<quint16>(ico, 32); // bits a pixel
        append<quint32>(ico, quint32(images.at(i).size()));
        append<quint32>(ico, offset);
        offset += quint32(images.at(i).size());
    }
    for (const QByteArray &image : images)
        ico += image;
    QFile out(file);
    if (!QDir().mkpath(QFileInfo(file).absolutePath()) || !out.open(QIODevice::WriteOnly) || out.write(ico) != ico.size()) {
        QTextStream(stderr) << "could not write " << file << '\n';
        return false;
    }
    return true;
}

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments();
    if (args.size() == 3 && args.at(1) == u"--ico")
        return writeIco(args.at(2)) ? 0 : 1;
    if (args.size() == 2)
        return writeThemePngs(QDir(args.at(1))) ? 0 : 1;
    QTextStream(stderr) << "usage: writeicons OUTPUT_FOLDER | writeicons --ico FILE.ico\n";
    return 2;
}
