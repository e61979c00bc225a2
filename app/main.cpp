#include "appearance.h"
#include "endsignals.h"
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
    // The way back from each change to the player's files, kept where the program keeps its data.
    MainWindow window(host::Host::current(), settingsPlaces,
                      QStandardPaths::writableLocation(QStandardPaths::AppLocalDataLocation) + QStringLiteral("/undo"));
    window.show();
    // A logout's end closes the window as the player would: what changed is saved.
    EndSignals ends(&app);
    QObject::connect(&ends, &EndSignals::endRequested, &window, [&window] {
        window.close();
        QCoreApplication::quit();
    });
    // The same when Windows ends the session.
    QObject::connect(&app, &QGuiApplication::commitDataRequest, &window, [&window] { window.close(); });
    return app.exec();
}
