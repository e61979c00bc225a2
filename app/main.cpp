#include "appearance.h"
#include "form1.h"

#include "settings/settingsfile.h"

#include <QApplication>
#include <QStandardPaths>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("bindwright"));
    QApplication::setApplicationVersion(QStringLiteral("1.1"));
    applyAppearance();

    const QString settingsPath = settings::settingsFilePath(
        QCoreApplication::applicationDirPath(), QStandardPaths::writableLocation(QStandardPaths::AppConfigLocation));
    Form1 window(settingsPath);
    window.show();
    return app.exec();
}
