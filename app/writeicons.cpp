// Build step: writes the program's icon as PNG files for the desktop's icon theme,
// from the same drawing the program shows.

#include "appicon.h"

#include <QCoreApplication>
#include <QDir>
#include <QTextStream>

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments();
    if (args.size() != 2) {
        QTextStream(stderr) << "usage: writeicons OUTPUT_FOLDER\n";
        return 2;
    }
    const QDir out(args.at(1));
    for (int size : {16, 32}) {
        const QString folder = QStringLiteral("%1x%1/apps").arg(size);
        const QString file = out.filePath(folder + QStringLiteral("/bindwright.png"));
        if (!out.mkpath(folder) || !drawAppIcon(size).save(file, "PNG")) {
            QTextStream(stderr) << "could not write " << file << '\n';
            return 1;
        }
    }
    return 0;
}
