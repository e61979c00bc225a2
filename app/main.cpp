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

    const QString settingsPath = settings::settingsFilePath(
        QCoreApplication::applicationDirPath(), QStandardPaths::writableLocation(QStandardPaths::AppConfigLocation));
    MainWindow window(settingsPath);
    window.show();
    return app.exec();
}
