// Build step: writes the program's icon, from the same drawing the program shows, as
// PNG files for the desktop's icon theme or as a Windows .ico for the .exe.
//   writeicons OUTPUT_FOLDER      hicolor PNGs
//   writeicons --ico FILE.ico     the Windows icon of the .exe

#include "appicon.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QTextStream>

#include <array>

namespace {

// Every size an icon theme's app grids, docks and menus ask for.
constexpr std::array themeSizes = {16, 22, 24, 32, 48, 64, 128, 256};
// What a Windows .exe needs for Explorer and the title bar.

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

bool writeIco(const QString &file)
{
    const QByteArray ico = icoFile();
    QFile out(file);
    if (!QDir().mkpath(QFileInfo(file).absolutePath()) || !out.open(QIODevice::WriteOnly)
        || out.write(ico) != ico.size()) {
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
