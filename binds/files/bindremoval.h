#pragma once

#include "binds/files/startrun.h"

#include <QString>

#include <optional>

// Changes to a console file that keep every other byte, judged by what the engines run.
namespace binds {

// Whether a removal that cannot take every bind takes the others.
enum class Removal { AllOrNothing, WhatCanBeTaken };

// The file's bytes without the given binds (read from them by a StartRun of these engines):
// each bind's whole line with its line end when nothing else stands on it, else the
// command alone, taken only where every engine then runs all else of the file exactly as
// before. A bind that cannot be taken so is named in error with why it stays; then the
// result is nullopt, or the bytes without the others.
std::optional<QByteArray> withoutBinds(const QByteArray &bytes, const QList<StartBind> &removed,
                                       const QList<const Engine *> &engines, QString *error = nullptr,
                                       Removal removal = Removal::AllOrNothing);

// Whether the file at hostPath holds exactly `bytes`, and is there as `existed` says (a
// file that is not there holds nothing): nothing changed it since it was read so.
bool holdsAsRead(const QString &hostPath, bool existed, const QByteArray &bytes);

// The refusal for a file that changed since it was read: "`what`: ... changed since".
QString changedSinceRead(const QString &what, const QString &hostPath);

// Replaces the file with newBytes in one atomic save, if it still holds readBytes (a file
// that is not there holds nothing); the reason for a refusal or failure begins with
// `what`, and the file is then as it was.
bool rewriteFile(const QString &hostPath, const QByteArray &readBytes, bool existed, const QByteArray &newBytes,
                 const QString &what, QString *error = nullptr);

// Replaces the file with bytes in one atomic save, whatever it holds; the reason for a
// failure begins with `what`, and the file is then as it was.
bool saveWhole(const QString &hostPath, const QByteArray &bytes, const QString &what, QString *error = nullptr);

// Removes binds from a console file in one atomic save, every other byte kept, and gives
// what the file holds now. Nullopt, with the reason, writing nothing, when the file changed
// since it was read as `read`, a bind cannot be removed without changing what else runs,
// or the file cannot be written.
std::optional<QByteArray> removeBinds(const QString &hostPath, const QByteArray &read, const QList<StartBind> &removed,
                                      const QList<const Engine *> &engines, QString *error = nullptr);

} // namespace binds
