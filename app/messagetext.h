#pragma once

#include <QString>

// A message as a message box shows it: each quoted path breaks only after its separators,
// never at a blank or a hyphen inside a folder's name.
QString breakingPathsAtSeparators(const QString &message);
