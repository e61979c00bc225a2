#pragma once

#include "binds/add/chat.h"
#include "binds/engine/engines.h"
#include "binds/engine/games.h"
#include "binds/files/bindrequest.h"
#include "host/folderstring.h"

#include <QByteArray>
#include <QMap>
#include <QString>

#include <optional>

// What "Add" does, decided before anything is written: the refusal, if any, then each
// question for the player, then the writes. The panels only ask and report.
namespace binds {

// What a panel asks to add.
struct AddRequest {
    BindRequest bind;
    ChatScope scope = ChatScope::None; // with the text to say, for the chat questions
    QString say;
    QString root;
    QString modFolder;             // empty for the base folder
    QList<const Engine *> engines; // the engines the player may run: one when known
};

// The questions "Add" may ask, in the order it asks them.
enum class Question {
    ChatChanged,      // the server cuts the chat, or the network turns letters into dots
    UnknownCommand,   // a raw text whose first word no game knows: chat without its option?
    ModFirstFile,     // the mod's first autoexec.cfg hides the base one: Yes copies its lines,
                      // No starts it with this bind only, Cancel writes nothing
    TakeOver,         // the key does something now
    ReadElsewhere,    // asked first: the game runs another autoexec.cfg; Yes writes there
    FileSize,         // asked last: some of the engines would run nothing of the file
    ModSwitch,        // the engine runs the base file only at start: an OSP game clears its binds
    RemoveSeveral,    // not Add's: the Binds window removes more than one bind at once
    RemoveFromConfig, // not Add's: the game's own config binds a removed key again
};
enum class Answer { Yes, No, Cancel };
using Answers = QMap<Question, Answer>;

struct PlannedQuestion {
    Question kind;
    QString text;
    bool hasCancel = false; // Yes, No and Cancel; otherwise Yes and No, No the same as Escape
};

// One file's new bytes, written in one atomic save, or the line appended.
struct PlannedWrite {
    QString path; // on this machine
    bool existed = false;
    QByteArray read;         // what the file held when the plan was made
    QByteArray bytes;        // what it will hold
    QByteArray line;         // the bind line, without its line end
    bool appendOnly = false; // bytes is read plus the line: appended, the rest untouched
};

// The file a plan writes into, as it stood when the plan read it.
struct TargetRead {
    QString path; // on this machine
    bool existed = false;
    QByteArray bytes;
    bool operator==(const TargetRead &) const = default;
};

struct AddPlan {
    QString refusal;                         // non-empty: nothing is asked or written
    std::optional<PlannedQuestion> question; // the next question to ask
    std::optional<PlannedWrite> write;       // when nothing is refused and nothing left to ask
    // The target as the plan read it: a plan made again after a question must find it as it
    // was when the question was asked. Nullopt for a plan that asked before reading it (the
    // question which file to write).
    std::optional<TargetRead> read;
};

// The plan for the request, given the answers so far; a No to a Yes/No question, or a
// Cancel, ends it with nothing to write.
AddPlan planAdd(const AddRequest &request, const Game &game, const Answers &answers, const host::Host &host);

// Carries out the plan's write. False, with the reason, writing nothing, when the file
// changed since the plan read it or cannot be written.
bool carryOut(const PlannedWrite &write, QString *error = nullptr);

} // namespace binds
