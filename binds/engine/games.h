#pragma once

#include <QString>
#include <QStringList>

// What the program knows of each game, in one place: the panels, the bind assemblies,
// their refusals and the search for game folders all read it.
namespace binds {

struct Game {
    QString caption;         // the panel's frame
    QString name;            // in messages: "Quake 3"
    QString rootLabel;       // the caption of the root folder box
    QString posixRoot;       // a root folder as Linux players type it
    QString windowsRoot;     // and as Windows players do
    QString baseFolder;      // below the root: where the game's own files and autoexec.cfg live
    QStringList configFiles; // the game's own config, which it writes itself, by the names
                             // its engines give it: the first one there is the one read
    qint16 pickerFlag;       // which game the folder picker works for
};

const Game &quake3Game();
const Game &rtcwGame();

// The Quake 3 mod the panel offers by name.
inline const QString ospFolder = QStringLiteral("osp");

} // namespace binds
