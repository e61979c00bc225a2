#pragma once

#include "binds/add/quake3.h"
#include "binds/files/bindrequest.h"
#include "host/folderstring.h"

#include <QStringList>

#include <optional>

namespace binds {

// RTCW's voice messages, in the order the voice list shows them; each is a complete
// console command.
const QStringList &voiceCommands();

// Whether a bound command is a voice message (vsay or vsay_team), which the voice box
// holds whole.
bool isVoiceCommand(const QString &command);

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

// The root folder as its box shows it once "Add" is pressed: a whole folder gains its
// final separator; anything else stays as typed.
QString rtcwRootShown(const QString &root, host::Style style);

// The request for the panel: the file goes into the main folder under the root, spelt
// as the disk spells it. Nullopt, with the reason, without a root, without a voice
// command or a chat scope chosen, with the voice box empty or at its start text, or with
// a text the key would not send as typed.
std::optional<BindRequest> rtcwRequest(const RtcwFields &fields, const host::Host &host, QString *error = nullptr);

} // namespace binds
