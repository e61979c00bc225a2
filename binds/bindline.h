#pragma once

#include "binds/bindrequest.h"
#include "host/folderstring.h"

#include <QByteArray>
#include <QString>

namespace binds {

// bind KEY "TEXT", without the line end.
QString bindLine(const QString &key, const QString &text);

// Why the game would not run KEY "TEXT" as one bind; empty when it would.
QString refusalOf(const QString &key, const QString &text);

// Appends one bind line, CR LF ended, to autoexec.cfg in the request's folder.
// Returns false with a message for the player when the line is refused or the
// file cannot be written; the file is left as it was then.
bool writeLine(const BindRequest &request, const host::Host &host, QString *error);

} // namespace binds
