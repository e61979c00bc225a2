#pragma once

#include "binds/add/chat.h"
#include "binds/engine/games.h"
#include "binds/files/bindrequest.h"
#include "host/folderstring.h"

#include <optional>

namespace binds {

enum class Quake3Mod { None, Baseq3, Osp, Custom };

// What the Quake 3 panel's fields hold when its "Add" is pressed.
struct Quake3Fields {
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
std::optional<BindRequest> quake3Request(const Quake3Fields &fields, const host::Host &host, QString *error = nullptr);

// The custom mod box after it loses the focus: one final separator, unless it is empty.
QString normalisedCustomMod(const QString &text, host::Style style);

// Whether a root folder can take binds: it is a whole folder; if not (empty, or
// relative to wherever the program was started), error says why.
bool isUsableRoot(const QString &root, const Game &game, host::Style style, QString *error = nullptr);

} // namespace binds
