#include "binds/engine/engines.h"

#include <QStringList>

namespace binds {

namespace {

// The console of id's releases, from code/qcommon/cmd.c of Quake-III-Arena (MAX_CMD_BUFFER
// 16384 :27, Cbuf_Execute without comments :170-220) and src/qcommon/cmd.c of RTCW-MP (:34);
// client/cl_keys.c Key_StringToKeynum (a character as it is, "0x" and two digits) and
// CL_KeyEvent (the binding whole to Cbuf_AddText).
// A pressed key by id's scan code table, code/win32/win_wndproc.c:116-195 (MapKey); four
// mouse buttons through DirectInput (code/win32/win_input.c).
constexpr ConsoleRules idRules {16383,
                                Comments::None,
                                LongLines::TailRuns,
                                KeyPress::Whole,
                                IdKeys,
                                false,
                                HexKeys::TwoLowerDigits,
                                256,
                                PressNaming::UsScanCodes,
                                4};
// RTCW 1.4: the same, with a table per cl_language (src/win32/win_wndproc.c MapKey).
constexpr ConsoleRules rtcwRules = [] {
    ConsoleRules rules = idRules;
    rules.pressNaming = PressNaming::UsScanCodesByLanguage;
    return rules;
}();
// ioquake3 1.36 code/qcommon/cmd.c (MAX_CMD_BUFFER 131072 :27, comments :205-216);
// code/client/cl_keys.c Key_StringToKeynum :833-857 (a character lower-cased, "0x" below
// MAX_KEYS 372), CL_ParseBinding :1184-1231 (strchr at :1205). iortcw MP/code the same.
constexpr ConsoleRules ioRules {131071,
                                Comments::Slashes,
                                LongLines::TailRuns,
                                KeyPress::CutAtEverySemicolon,
                                IoKeys,
                                true,
                                HexKeys::AnyDigits,
                                372,
                                PressNaming::SdlCharacters,
                                5}; // code/sdl/sdl_input.c IN_TranslateSDLToQ3Key
// Quake3e f8372fd8: code/qcommon/cmd.c MAX_CMD_BUFFER 65536 :27, the rest of a long line
// dropped :307-310, "//" after "[a-z]:" no comment :651-655; code/qcommon/keys.c
// Key_StringToKeynum :304-330 (a character as it is, hex only when 4 long),
// Key_ParseBinding :627-666 (strchr :642); MAX_KEYS 276 from code/client/keycodes.h.
constexpr ConsoleRules quake3eRules {65535,
                                     Comments::SlashesButLinks,
                                     LongLines::TailDropped,
                                     KeyPress::CutAtEverySemicolon,
                                     Quake3eKeys,
                                     false,
                                     HexKeys::TwoDigitsAnyCase,
                                     276,
                                     PressNaming::SdlUsPlaces, // code/sdl/sdl_input.c:206-370
                                     5};
// CNQ3 1.53 (in development): code/qcommon/cmd.cpp MAX_CMD_BUFFER 32768 :28, id's
// Cbuf_Execute :165-222; client/cl_keys.cpp a binding whole to the buffer :1205, a
// character lower-cased :695, "0x" and two characters of either case :699-723.
// Keys by scan code as id's on Windows, MOUSE4-MOUSE9 besides.
constexpr ConsoleRules cnq3Rules {32767,
                                  Comments::None,
                                  LongLines::TailRuns,
                                  KeyPress::Whole,
                                  Cnq3Keys,
                                  true,
                                  HexKeys::TwoCharsAnyCase,
                                  256,
                                  PressNaming::UsScanCodes,
                                  5};
// RtcwPro 8fe7081 src/qcommon/cmd.c MAX_CMD_BUFFER 32768 :34 with id's Cbuf_Execute
// :172-226; src/client/cl_keys.c as RTCW 1.4 :1351-1394. WolfPro 2d938c4 cmd.c:34 the same.
// Keys as RTCW 1.4; the side mouse buttons as MOUSE4 and MOUSE5 (win_wndproc.c, "extra buttons").
constexpr ConsoleRules rtcwProRules = [] {
    ConsoleRules rules = rtcwRules;
    rules.fileLimit = 32767;
    rules.mouseButtons = 5;
    return rules;
}();

QStringList quake3Config()
{
    return {QStringLiteral("q3config.cfg")};
}

QStringList rtcwConfig()
{
    return {QStringLiteral("wolfconfig_mp.cfg")};
}

} // namespace

const QList<Engine> &engines()
{
    using enum AutoexecFrom;
    using enum HomeStart;
    static const QList<Engine> rows = {
        // Quake III Arena 1.32: everything in the install folder on Windows; ~/.q3a on Linux
        // (code/unix/unix_shared.c Sys_DefaultHomePath). A mod switch re-runs only the config
        // (code/qcommon/files.c:3317-3322, common.c:2667-2668).
        {"quake3-1.32",
         "Quake III Arena 1.32",
         quake3Game,
         {QStringLiteral("quake3.exe"), QStringLiteral("quake3.x86")},
         nullptr,
         QStringLiteral("baseq3"),
         {},
         SearchPath,
         false,
         quake3Config(),
         {".q3a"},
         idRules,
         149},
        // ioquake3 since October 2025: ~/.config/Quake3 once it exists, ~/.q3a never again
        // (code/sys/sys_unix.c Sys_HomeConfigPath :156, Sys_ShouldUseLegacyHomePath :385);
        // %APPDATA%\Quake3 before the install folder (code/sys/sys_win32.c:96-111). Programs
        // named by its CMake build (ioquake3, ioquake3.exe). A mod switch runs the mod's
        // autoexec.cfg (files.c:4089-4101, common.c:2387-2411).
        {"ioquake3",
         "ioquake3",
         quake3Game,
         {QStringLiteral("ioquake3"), QStringLiteral("ioquake3.exe")},
         nullptr,
         QStringLiteral("baseq3"),
         {},
         SearchPath,
         true,
         quake3Config(),
         {".q3a", "Quake3", AppData, "Quake3"},
         ioRules,
         149},
        // ioquake3 before then (1.36, Debian 12's): ~/.q3a; its Makefile's program names.
        {"ioquake3-1.36",
         "ioquake3 1.36",
         quake3Game,
         {QStringLiteral("ioquake3.x86_64"), QStringLiteral("ioquake3.x86"), QStringLiteral("ioquake3.x86.exe"),
          QStringLiteral("ioquake3.x86_64.exe")},
         nullptr,
         QStringLiteral("baseq3"),
         {},
         SearchPath,
         true,
         quake3Config(),
         {".q3a", nullptr, AppData, "Quake3"},
         ioRules,
         149},
        // Quake3e: ~/.q3a, never the XDG folders (code/unix/unix_shared.c:387-413); no home on
        // Windows, where fs_homepath is the install folder (code/win32/win_shared.c:102-141,
        // code/qcommon/files.c:4778-4783). Program names from its Makefile and CMakeLists.
        {"quake3e",
         "Quake3e",
         quake3Game,
         {QStringLiteral("quake3e.x64"), QStringLiteral("quake3e"), QStringLiteral("quake3e.x86_64"),
          QStringLiteral("quake3e.x64.exe"), QStringLiteral("quake3e.exe"), QStringLiteral("quake3e-vulkan.x64"),
          QStringLiteral("quake3e-vulkan.x64.exe")},
         nullptr,
         QStringLiteral("baseq3"),
         {},
         SearchPath,
         true,
         quake3Config(),
         {".q3a"},
         quake3eRules,
         149},
        // CNQ3: plays cpma unless told otherwise (code/qcommon/q_shared.h:33-34, files.cpp:2652)
        // and runs autoexec.cfg only from the current mod's folders (files.cpp:1048-1056);
        // ~/.q3a on Linux (code/linux/linux_shared.cpp:633-657), the current folder on Windows.
        {"cnq3",
         "CNQ3",
         quake3Game,
         {QStringLiteral("cnq3-x64"), QStringLiteral("cnq3-x64.exe"), QStringLiteral("cnq3-x86.exe")},
         nullptr,
         QStringLiteral("baseq3"),
         QStringLiteral("cpma"),
         CurrentModOnly,
         false,
         quake3Config(),
         {".q3a"},
         cnq3Rules,
         149},
        // OpenArena (OpenArena/engine 513c538f, an ioquake3): code/qcommon/q_shared.h:34-37.
        {"openarena",
         "OpenArena",
         quake3Game,
         {QStringLiteral("openarena.x86_64"), QStringLiteral("openarena.exe")},
         nullptr,
         QStringLiteral("baseoa"),
         {},
         SearchPath,
         true,
         quake3Config(),
         {".local/share/OpenArena", nullptr, AppData, "OpenArena"},
         ioRules,
         149},
        // Quake Live: no public source. Its files per Steam account, binds in repconfig.cfg
        // (a community reconstruction and players' guides); its console taken as ioquake3's.
        {"quakelive",
         "Quake Live",
         quake3Game,
         {QStringLiteral("quakelive_steam.exe")},
         nullptr,
         QStringLiteral("baseq3"),
         {},
         SearchPath,
         true,
         {QStringLiteral("repconfig.cfg")},
         {},
         ioRules,
         149},
        // RTCW 1.4: the install folder on Windows, ~/.wolf on Linux; a mod switch re-runs only
        // wolfconfig_mp.cfg (src/qcommon/files.c:3859-3863).
        {"rtcw-1.4",
         "RTCW 1.4",
         rtcwGame,
         {QStringLiteral("WolfMP.exe"), QStringLiteral("wolf.x86")},
         nullptr,
         QStringLiteral("main"),
         {},
         SearchPath,
         false,
         rtcwConfig(),
         {".wolf"},
         rtcwRules,
         149},
        // iortcw: ~/.wolf (MP/Makefile:247-248), Documents\RTCW before the install folder
        // (MP/code/sys/sys_win32.c:124-138); mod switch as ioquake3 (files.c:4409-4418).
        {"iortcw",
         "iortcw",
         rtcwGame,
         {QStringLiteral("iowolfmp.x86_64"), QStringLiteral("ioWolfMP.x64.exe")},
         nullptr,
         QStringLiteral("main"),
         {},
         SearchPath,
         true,
         rtcwConfig(),
         {".wolf", nullptr, Documents, "RTCW"},
         ioRules,
         149},
        // RtcwPro's client plays rtcwpro (src/qcommon/files.c:2996), whose autoexec.cfg hides
        // main's; ~/.wolf (src/unix/unix_shared.c:587-605), the current folder on Windows
        // (src/win32/win_main.c:1424-1430). Its wolfMP.exe is id's name too: its own folder
        // tells them apart.
        {"rtcwpro",
         "RtcwPro",
         rtcwGame,
         {QStringLiteral("wolfMP.x86"), QStringLiteral("wolfMP.exe")},
         "rtcwpro",
         QStringLiteral("main"),
         QStringLiteral("rtcwpro"),
         SearchPath,
         false,
         rtcwConfig(),
         {".wolf"},
         rtcwProRules,
         149},
        // WolfPro plays wolfpro (src/qcommon/files.c:3068); ~/.wolf (src/unix/unix_shared.c:
        // 322-334), the install folder on Windows (src/win32/win_main.c:1271-1273).
        {"wolfpro",
         "WolfPro",
         rtcwGame,
         {QStringLiteral("wolfmp_vk_x64.exe"), QStringLiteral("wolfmp_gl_x86.exe"),
          QStringLiteral("wolfmp_vk_x64.x86_64")},
         nullptr,
         QStringLiteral("main"),
         QStringLiteral("wolfpro"),
         SearchPath,
         false,
         rtcwConfig(),
         {".wolf"},
         rtcwProRules,
         149},
    };
    return rows;
}

QList<const Engine *> allEngines()
{
    QList<const Engine *> all;
    for (const Engine &engine : engines())
        all << &engine;
    return all;
}

QList<const Engine *> enginesOf(const Game &game)
{
    QList<const Engine *> found;
    for (const Engine &engine : engines()) {
        if (engine.game().name == game.name)
            found << &engine;
    }
    return found;
}

const Engine *engineById(QStringView id)
{
    for (const Engine &engine : engines()) {
        if (id == QLatin1String(engine.id))
            return &engine;
    }
    return nullptr;
}

const Engine &engineNamed(QStringView id)
{
    const Engine *engine = engineById(id);
    Q_ASSERT(engine);
    return *engine;
}

const Engine &ioquake3()
{
    return engineNamed(u"ioquake3");
}

const Engine &quake3Arena132()
{
    return engineNamed(u"quake3-1.32");
}

qint64 largestFileLimit(const QList<const Engine *> &engines)
{
    qint64 largest = 0;
    for (const Engine *engine : engines)
        largest = std::max(largest, engine->rules.fileLimit);
    return largest;
}

QString namesInWords(const QStringList &names)
{
    if (names.size() <= 1)
        return names.value(0);
    return names.mid(0, names.size() - 1).join(QStringLiteral(", ")) + QStringLiteral(" and ") + names.last();
}

QString engineNames(const QList<const Engine *> &engines)
{
    QStringList names;
    for (const Engine *engine : engines)
        names << QString::fromUtf8(engine->name);
    return namesInWords(names);
}

} // namespace binds
