#pragma once

#include "binds/engine/console.h"

#include <QString>

#include <optional>

namespace binds {

// The most of a console file the program reads: more than any game runs (ioquake3 takes
// 131,071 bytes), with room for a game's own config of every key.
inline constexpr qint64 maxConfigBytes = qint64(1024) * 1024;

// A bind line of a console file.
struct ConfigBind {
    QByteArray key;      // as the file spells it
    QByteArray command;  // what the key runs
    qsizetype begin = 0; // where its command starts in the file
    qsizetype end = 0;   // one past its last byte; the ";" or line end after it not included
    bool operator==(const ConfigBind &) const = default;
};

// Reads a console file (autoexec.cfg, q3config.cfg) without changing it: a regular file
// only, opened without blocking, of at most maxConfigBytes. Nullopt, with the reason,
// when it cannot be read.
std::optional<QByteArray> readConsoleFile(const QString &hostPath, QString *error = nullptr);

} // namespace binds
