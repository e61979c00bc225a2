#include "appearance.h"
#include "mainwindow.h"
#include "version.h"

#include "settings/settingsfile.h"

#include <QApplication>
#include <QStandardPaths>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("bindwright"));
    QApplication::setApplicationVersion(QLatin1String(bindwrightVersion));
    applyAppearance();

    const settings::Places settingsPlaces = settings::settingsPlaces(
        QCoreApplication::applicationDirPath(), QStandardPaths::writableLocation(QStandardPaths::AppConfigLocation));
    MainWindow window(settingsPlaces);
    window.show();
    return app.exec();
}
