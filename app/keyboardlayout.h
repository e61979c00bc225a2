#pragma once

#include "binds/engine/keypress.h"

#include <QHash>
#include <QString>

// What the player's keyboard layout types with each key alone, as the system describes
// it: the X server's keymap through libxkbcommon, Windows' layout functions.
class KeyboardLayout
{
public:
    // The layout the player types with now.
    static KeyboardLayout current();
    // An xkb layout by its names ("de"), as setxkbmap takes them; the US one when unknown
    // or where xkb is not there.
    static KeyboardLayout xkbNamed(const QString &layout);

    // A press of the key, with what the layout types with it.
    binds::Press pressOf(const binds::KeyPosition &key) const;
    // What the key's cap shows: its character, upper-cased; empty for a key that types none.
    QString legendOf(const binds::KeyPosition &key) const;
    // Whether the layout gives the key beside left Shift a character: an ISO keyboard.
    bool isIso() const;

    // What one key types alone.
    struct Typed {
        QString character;
        bool dead = false;
    };

private:
    QHash<int, Typed> m_typed; // by Linux input code
};
