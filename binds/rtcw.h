#pragma once

#include "binds/bindrequest.h"
#include "binds/quake3.h"
#include "host/folderstring.h"

#include <QStringList>
#include <optional>

namespace binds {

// RTCW's voice messages, in the order the voice list shows them; each is a complete
// console command.
const QStringList &voiceCommands();

// What the voice box shows before the player picks or types a voice command.
inline constexpr QStringView voicePlaceholder = u"Voice Commands";

enum class RtcwKind { None, Voice, Say };

// What the RTCW panel's fields hold when its "Add" is pressed.
struct RtcwFields {
    QString root;  // txtwolfdir
    QString key;   // txtwolfkey
    QString voice; // CboVoice's text
    QString say;   // txtwolfsay
    RtcwKind kind = RtcwKind::None;
    ChatScope scope = ChatScope::None;
};

struct RtcwAssembly {
    QString root; // the root folder with its final separator, for the box to show
    std::optional<BindRequest> request;
    QString error; // why there is no request
};

// The request for the panel: the root gets its final separator, the file goes into
// its main folder, spelt as the disk spells it. Refused without a root, without a voice
// command or a chat scope chosen, with the voice box empty or at its start text, or with
// a text the key would not send as typed.
RtcwAssembly rtcwRequest(const RtcwFields &fields, const host::Host &host);

} // namespace binds
