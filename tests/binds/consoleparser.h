#pragma once

#include <QList>
#include <QStringList>

// How the games' console splits a config file into commands and arguments:
// a line break ends a command wherever it stands, a semicolon ends one outside
// double quotes; a double quote opens an argument that runs to the next double
// quote, with no escapes; "//" outside quotes starts a comment; blanks outside
// quotes separate arguments.
QList<QStringList> parseConsole(const QString &script);
