#pragma once

#include "host/folderstring.h"

#include <QString>

#include <optional>

// How a Wine prefix lays out the drives of the games installed in it, both ways: a
// Windows path ("C:\Games\Quake3\") to the folder on this machine, and back. Every
// other part of the program asks here.
namespace host::wine {

// The folder of a drive letter in a prefix: PREFIX/dosdevices/c:.
QString driveFolder(const QString &winePrefix, QChar letter);

// The letters "a" to "z" whose drive folder exists in the prefix.
QList<QChar> driveLetters(const QString &winePrefix);

// The folders of the prefix's Windows users below drive C's "users" (not "Public"), each
// with its %APPDATA% and Documents as the Wine version in use names them.
struct WineUser {
    QString appData;
    QString documents;
};
QList<WineUser> users(const QString &winePrefix);

// A path that starts with a drive letter, read as Windows reads it: each name matched
// without regard to case against the entries that exist, trailing blanks and dots of a
// name dropped, "." and ".." resolved without leaving the drive's root. Names that do
// not exist yet are kept as written. Fails when the prefix has no such drive.
std::optional<QString> hostPathFor(const QString &windowsPath, const QString &winePrefix, QString *error = nullptr);

// The Windows path ("c:\Games\Quake3") for a folder under one of the prefix's drive
// folders; nullopt for any other folder.
std::optional<QString> windowsPathFor(const QString &hostPath, const QString &winePrefix);

} // namespace host::wine
