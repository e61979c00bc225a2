#pragma once

#include "binds/engine/engines.h"
#include "host/folderstring.h"

#include <QDir>
#include <QStringList>

// The engines of a table row, by their ids: "ioquake3,quake3-1.32".
inline QList<const binds::Engine *> enginesNamed(const QString &ids)
{
    QList<const binds::Engine *> engines;
    for (const QString &id : ids.split(u',', Qt::SkipEmptyParts)) {
        const binds::Engine *engine = binds::engineById(id);
        Q_ASSERT_X(engine, "enginesNamed", qPrintable(id));
        engines << engine;
    }
    return engines;
}

// A host whose home and config home are below a test's folder, so that no home of the
// machine's own user decides which files a game runs.
inline host::Host withHomeIn(host::Host host, const QString &folder)
{
    host.home = QDir(folder).filePath(QStringLiteral("home"));
    host.configHome = host.home + QStringLiteral("/.config");
    return host;
}
