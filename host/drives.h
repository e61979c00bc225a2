#pragma once

#include "host/folderstring.h"

#include <QList>
#include <QString>

namespace host {

struct Drive {
    QString name;     // as the drive list shows it: "c: [System]", "/", "c:" for Wine
    QString rootPath; // where its folders start on the host
};

// The drives a player can pick a game folder from: the drive letters on Windows;
// elsewhere the mounted volumes with real file systems, then the Wine prefix's drives.
QList<Drive> drives(const Host &host);

// The Wine drives of a prefix, "c:" to "z:", that lead to a folder.
QList<Drive> wineDrives(const QString &winePrefix);

// The folder string a player would type for a host folder: Wine drive paths go back to
// their letter ("c:\Games"), Windows paths get "\" separators, others stay as they are.
QString folderStringFor(const QString &hostPath, const Host &host);

} // namespace host
