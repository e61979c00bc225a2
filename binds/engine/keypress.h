#pragma once

#include "binds/engine/engines.h"

#include <QList>
#include <QString>

#include <optional>
#include <span>

// What name each engine gives a key the player presses: by where the key is, or by the
// character the player's layout types with it, as each engine's input code does.
namespace binds {

// A key of the keyboard by where it stands, one row per key the engines may see.
struct KeyPosition {
    const char *xkbName;    // as xkb's keycodes and geometry name it: "AC01"
    int linuxCode;          // Linux's input code (KEY_A = 30): the X key code less 8
    int windowsScanCode;    // the PC scan code, 0x100 set for the extended (E0) ones
    int sdlScanCode;        // SDL's, a USB usage: ioquake3 names WORLD_n after it
    const char *usName;     // id's scan code table (s_scantokey) for it; empty: no key
    const char *sdlKeyName; // what SDL engines name it whatever the layout; null: by its character
};

// Every key position the engines name.
std::span<const KeyPosition> keyPositions();
const KeyPosition *keyPositionByLinuxCode(int code);
const KeyPosition *keyPositionByWindowsScanCode(int scanCode);
const KeyPosition *keyPositionByXkbName(QStringView name);

// One press the player made for a key box.
struct Press {
    enum class Kind { Key, MouseButton, WheelUp, WheelDown };
    Kind kind = Kind::Key;
    const KeyPosition *key = nullptr; // the key pressed; null: one no engine names
    // What the player's layout types with the key alone: one character, empty for none
    // or for a dead key (an accent waiting for its letter).
    QString character;
    bool deadKey = false;
    int mouseButton = 0; // 1 left, 2 right, 3 middle, 4 back, 5 forward
};

// The name one engine binds a press as, or why it has none.
struct PressName {
    QString name;     // as the key box takes it; empty when the engine cannot bind the press
    QString noneWhy;  // then: why, as a sentence's end ("it is the console key")
    QString variants; // besides: what another setting of the engine names it ("with cl_language French: a")
    bool operator==(const PressName &) const = default;
};
PressName pressName(const Press &press, const Engine &engine);

// What the panel says of a press for the engines the player may run, the first theirs:
// the name for the key box (empty when the first cannot bind it) and a sentence that says
// it, and what the other engines of the game name it where they differ.
struct PressAnswer {
    QString name;
    QString note;
};
PressAnswer answerPress(const Press &press, const QList<const Engine *> &engines);

} // namespace binds
