#pragma once

#include "binds/engine/games.h"

#include <QList>
#include <QString>
#include <QStringList>

// The engines players run, one row each: where they keep the player's files, which
// autoexec.cfg they run, and how their console reads it and a pressed key. What differs
// between engines is a column here, never a test of an engine's name elsewhere.
namespace binds {

// Where the search for a home starts.
enum class HomeStart {
    ConfigHome,   // $XDG_CONFIG_HOME (Linux)
    Home,         // the home folder (Linux)
    SteamLibrary, // Steam's own folder (native or Flatpak) and the libraries its libraryfolders.vdf lists
    AppData,      // %APPDATA%, on Windows or for each user of a Wine prefix
    Documents,    // the user's Documents, on Windows or for each user of a Wine prefix
    Drive,        // each Windows drive's root, on Windows or in a Wine prefix
};

// What the console treats as a comment when it splits a script into lines
// (Cbuf_Execute) and a line into arguments (Cmd_TokenizeString).
enum class Comments {
    None,            // "// x; quit" runs quit
    Slashes,         // "//" to the line end, "/* */" whole across lines
    SlashesButLinks, // the same, but "//" right after a letter and ":" is no comment (http://)
};

// What Cbuf_Execute does with a command line longer than 1023 bytes.
enum class LongLines {
    TailRuns,    // byte 1023 is lost and the rest runs as new commands
    TailDropped, // the rest of the line is dropped
};

// What a pressed key does with a binding that does not start with "+".
enum class KeyPress {
    Whole,               // the binding goes whole to the command buffer (Cbuf_AddText)
    CutAtEverySemicolon, // cut at every ";", quotes and comments not looked at (CL_ParseBinding)
};

// How "bind" reads a key given as "0x" and hex digits.
enum class HexKeys {
    TwoLowerDigits,   // exactly two; a digit that is not 0-9 or a-f counts as 0
    AnyDigits,        // any number of digits of either case, below the engine's key count
    TwoDigitsAnyCase, // exactly two of either case; anything else is no key
    TwoCharsAnyCase,  // exactly two characters; either case; a non-digit counts as 0
};

// How the engine names a key the player presses.
enum class PressNaming {
    UsScanCodes,           // by its place, through id's US table of scan codes (s_scantokey)
    UsScanCodesByLanguage, // the same, or the French, German, Italian or Spanish table cl_language picks
    SdlCharacters,         // by the character the layout types; number row by place; beyond ASCII WORLD_n
    SdlUsPlaces, // letters and punctuation by their US place (in_forceCharset 1), the rest as SdlCharacters without
                 // WORLD_n
};

// The engines whose key name table holds a name (keynames.txt).
enum KeySet : unsigned { IdKeys = 1, IoKeys = 2, Quake3eKeys = 4, Cnq3Keys = 8 };

// How an engine's console reads a file and a key: the rules views and refusals ask.
struct ConsoleRules {
    qint64 fileLimit; // the largest autoexec.cfg it runs: exec inserts the whole file, or none
    Comments comments;
    LongLines longLines;
    KeyPress keyPress;
    KeySet keys;              // the key names it knows
    bool lowerCasesCharacter; // "bind A" is key a (else key 65, which no keyboard sends)
    HexKeys hexKeys;
    int keyCount; // MAX_KEYS
    PressNaming pressNaming;
    int mouseButtons; // how many it sees: MOUSE1 to MOUSEn
    bool operator==(const ConsoleRules &) const = default;
};

// Which folders' autoexec.cfg the engine runs.
enum class AutoexecFrom {
    SearchPath,     // the first on its search path: the mod's, else the base game's
    CurrentModOnly, // only the current mod's (CNQ3: never baseq3's)
};

// Where an engine keeps the player's files apart from its install folder, per platform.
struct EngineHomes {
    const char *posix = nullptr;               // below the home folder (~/.q3a); null: none
    const char *posixConfig = nullptr;         // below $XDG_CONFIG_HOME; read instead of `posix` once it exists
    HomeStart windowsStart = HomeStart::Drive; // AppData or Documents; Drive: no home, the install folder only
    const char *windows = nullptr;             // below that start
};

struct Engine {
    const char *id;   // as settings.cfg keeps it
    const char *name; // as players know it: "Quake3e"
    const Game &(*game)();
    QStringList executables;  // the names its builds give the program, in its root
    const char *markerFolder; // a folder of its own beside them, where another engine's program has the same name
    QString baseFolder;       // the base game's folder
    QString defaultMod;       // the mod it plays when started without one (fs_game); empty: the base game
    AutoexecFrom autoexecFrom;
    bool modSwitchRunsAutoexec; // joining a server of another mod runs its autoexec.cfg again
    QStringList configFiles;    // the config it writes itself, by the names it gives it
    EngineHomes homes;
    ConsoleRules rules;
    int chatLimit; // bytes of a chat the server passes on (MAX_SAY_TEXT - 1)
};

// Every engine the program knows, the games' in the order the panels offer them.
const QList<Engine> &engines();
// Every engine, of both games.
QList<const Engine *> allEngines();
// The engines of one game.
QList<const Engine *> enginesOf(const Game &game);
// The engine with this id; nullptr when none has it.
const Engine *engineById(QStringView id);
// The same for an id the program itself names, which is there.
const Engine &engineNamed(QStringView id);

// The engines whose rules the program's own words follow when it names no engine: the
// ioquake3 and id's 1.32 rows, which every other row of a game only narrows.
const Engine &ioquake3();
const Engine &quake3Arena132();

// The largest autoexec.cfg any of the engines runs.
qint64 largestFileLimit(const QList<const Engine *> &engines);

// Names as a sentence: "A", "A and B", "A, B and C".
QString namesInWords(const QStringList &names);
// The engines' names so: "Quake3e", "ioquake3 and Quake3e".
QString engineNames(const QList<const Engine *> &engines);

} // namespace binds
