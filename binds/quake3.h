#pragma once

#include "binds/bindrequest.h"
#include "binds/chat.h"
#include "host/folderstring.h"

#include <optional>

namespace binds {

enum class Quake3Mod { None, Baseq3, Osp, Custom };

// What the Quake 3 panel holds when its "Add" is pressed.
struct Quake3Panel {
    QString root;      // Text1
    QString customMod; // txtmod
    QString say;       // txtsay
    QString key;       // txtkey
    Quake3Mod mod = Quake3Mod::None;
    ChatScope scope = ChatScope::None;
};

// The bind request for the panel, or nullopt with a message: no root folder, an empty
// custom mod folder, or a text the key would not send as typed. The mod folder is spelt
// as the disk spells it.
std::optional<BindRequest> quake3Request(const Quake3Panel &panel, const host::Host &host, QString *error);

// The custom mod box after it loses the focus: one final separator, unless it is empty.
QString normalisedCustomMod(const QString &text, host::Style style);

// How a refusal of a root folder names the game, its box and a whole folder to type.
struct RootNames {
    QString game;  // "Quake 3"
    QString label; // "Root Quake3 Dir"
    QString posixExample;
    QString windowsExample;
};

// Why a root folder cannot take binds: empty, or relative to wherever the program was
// started; empty when it is a whole folder.
QString rootRefusal(const QString &root, const RootNames &names, host::Style style);

} // namespace binds
