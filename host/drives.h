#pragma once

#include "host/folderstring.h"

#include <QList>
#include <QString>

#include <optional>

namespace host {

struct Drive {
    QString name;     // as the drive list shows it: "c: [System]", "/", "c:" for Wine
    QString rootPath; // where its folders start on the host
};

// The drives a player can pick a game folder from: the drive letters on Windows;
// elsewhere the mounted volumes with real file systems, then the Wine prefix's drives.
QList<Drive> drives(const Host &host);

// Whether a host folder is the path or one of the folders above it.
bool isAncestorOrSelf(const QString &folder, const QString &path);

// The index of the drive whose root holds the path (the deepest, when roots nest);
// nullopt for none.
std::optional<qsizetype> driveHolding(const QList<Drive> &drives, const QString &hostPath);

// The folder string a player would type for a host folder: Wine drive paths go back to
// their letter ("c:\Games"), Windows paths get "\" separators, others stay as they are.
// Nullopt, with the reason, for a folder whose name holds a "\" on a POSIX host: as a
// folder string it would name another folder.
std::optional<QString> folderStringFor(const QString &hostPath, const Host &host, QString *error = nullptr);

} // namespace host
