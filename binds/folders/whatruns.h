#pragma once

#include "binds/engine/engines.h"
#include "host/folderstring.h"

#include <QList>
#include <QString>
#include <QStringList>

// Which engine the player runs, and which of their files it runs at start: the one answer
// the plan for Add, the line under each panel, its questions and the Binds window ask.
namespace binds {

// The engines the player may run from a root, and why the program thinks so.
struct EngineGuess {
    QList<const Engine *> engines; // one when known; else every one it may be
    QString why;                   // "quake3e.x64.exe in this folder"
};

// The engine found from what the root holds: an engine's program there (the names its
// builds give it), else the home of some engines, else every engine of the game whose
// base folder is there.
EngineGuess guessEngine(const QString &root, const Game &game, const host::Host &host);

// What engines run at start, for a root and the game folder the player asked for.
struct StartFolders {
    QList<const Engine *> engines; // those this answer holds for
    QStringList searched;          // the game folders, host paths, the first searched first
    QString config;                // host path of the config they read first; empty: none there
    QString autoexec;              // host path of the autoexec.cfg they run; empty: none there
    QString writeFolder;           // folder string whose autoexec.cfg Add writes into
    QString why;                   // non-empty when that is not the folder asked for: why
};

// The answer for each group of the engines that run the same files, the engines' order
// kept. asked is the game folder below the root the player chose: empty for the base game.
QList<StartFolders> startFolders(const QList<const Engine *> &engines, const QString &root, const QString &asked,
                                 const Game &game, const host::Host &host);

} // namespace binds
