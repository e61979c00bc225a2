#pragma once

#include <QString>

// What a chat bind sends when its key is pressed. The binding runs as a console command
// line; the client forwards "say ..." to the server as it stands (bytes above 127 and "%"
// become "." on the way, msg.c), and the server reads the line again and joins its
// arguments with one blank (the game's ConcatArgs).
namespace binds {

enum class ChatScope {
    None,   // no chat: the text is a console command of the player's own
    Team,   // say_team
    Public, // say
};

// The longest chat text a server passes on, in bytes (MAX_SAY_TEXT less its NUL).
inline constexpr qsizetype maxSayBytes = 149;

// The console command for a text: "say_team TEXT", "say TEXT", or with no scope the text
// itself.
QString chatCommand(ChatScope scope, const QString &say);

// The scope and text a bound command says: "say_team X" is Team with X, "say X" Public
// with X, anything else no scope with the command itself. chatCommand's inverse.
struct ChatSaid {
    ChatScope scope = ChatScope::None;
    QString say;
};
ChatSaid chatOfCommand(const QString &command);

// Whether the key does what was typed when it is pressed; if not, error says why: an
// empty text does nothing at all, and the game splits, cuts or changes some chat on its
// way to the other players. With no scope, ";" and comments are the player's own
// console syntax and are kept.
bool sendsAsTyped(ChatScope scope, const QString &say, QString *error = nullptr);

// What the other players receive of a say or say_team text.
struct ChatReceived {
    QString text;        // as they receive it, colour codes still in
    bool cut = false;    // the server kept only its first maxSayBytes bytes
    bool dotted = false; // letters beyond ASCII, or "%", became dots
};
ChatReceived chatAsReceived(const QString &say);

} // namespace binds
