#pragma once

#include "binds/add/chat.h"
#include "host/folderstring.h"

#include <QList>
#include <QString>

// Keys and texts that trouble the games' console, for the writer to take or refuse. With
// a chat scope the text is what the player types to say; without, the whole command.
struct BindCase {
    QString key;
    QString text;
    binds::ChatScope scope = binds::ChatScope::None;
};

// The command the case binds its key to.
QString commandOf(const BindCase &bind);

// Writes the case's bind line into autoexec.cfg in folder as the panels do: a text the
// key would not send as typed is refused first, then the line itself. False with the
// reason when refused.
bool writeAsThePanelsDo(const BindCase &bind, const QString &folder, const host::Host &host, QString *refusal);

// What a misread line would run: a text whose tail escapes the bind echoes this.
inline const QByteArray injectedMarker = "BWINJECTED";

// Random keys and texts built from troublesome pieces, from a fixed seed so a failure
// can be replayed.
QList<BindCase> generatedCases(int count);

// Lines at the edges: lengths around 1023 bytes with multi-byte letters, ';', "//" and
// "/*" in texts, chat the game would change on its way, the voice commands, and beside
// every kind of refusal its harmless neighbour.
QList<BindCase> hostileCases();
