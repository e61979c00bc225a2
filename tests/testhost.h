#pragma once

#include "host/folderstring.h"

#include <QDir>

// The host the tests run on. On POSIX hosts its Wine prefix does not exist, so a test's
// folders never reach a Wine drive by chance.
inline host::Host testHost()
{
#ifdef Q_OS_WIN
    return {host::Style::Windows};
#else
    return {host::Style::Posix, QStringLiteral("/nonexistent-wine-prefix"), QDir::homePath()};
#endif
}

// A folder as a player of this host types it: native separators and a final one.
inline QString withSeparator(const QString &folder)
{
    return host::withFinalSeparator(QDir::toNativeSeparators(folder), testHost().style);
}

// For tests of how POSIX hosts read folder strings, Wine prefixes among them.
#ifdef Q_OS_WIN
#define SKIP_UNLESS_POSIX() QSKIP("POSIX hosts only: Windows reads folder strings as they are")
#else
#define SKIP_UNLESS_POSIX() (void)0
#endif
