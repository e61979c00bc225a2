#pragma once

#include <QList>
#include <QString>

// Keys and texts that trouble the games' console, for the writer to take or refuse.
struct BindCase {
    QString key;
    QString text;
};

// What a misread line would run: a text whose tail escapes the bind echoes this.
inline const QByteArray injectedMarker = "BWINJECTED";

// Random keys and texts built from troublesome pieces, from a fixed seed so a failure
// can be replayed.
QList<BindCase> generatedCases(int count);

// Lines at the edges: lengths around 1023 bytes with multi-byte letters, ';', "//" and
// "/*" in texts, and beside every kind of refusal its harmless neighbour.
QList<BindCase> hostileCases();
