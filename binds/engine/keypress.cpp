#include "binds/engine/keypress.h"

#include "binds/engine/keys.h"

#include <algorithm>
#include <array>

namespace binds {

namespace {

// The keys of a PC keyboard. The US names are id's s_scantokey (Quake-III-Arena
// code/win32/win_wndproc.c:116-135) through MapKey (:144-195): keypad keys without the E0
// prefix become KP_*, with it the main ones. Print Screen sends Windows no key down; the
// Windows keys, Scroll Lock and the ISO key have 0 there. SDL's names are
// IN_TranslateSDLToQ3Key's (ioquake/ioq3 code/sdl/sdl_input.c:196-320) for keys whose
// keysym no layout changes.
constexpr auto positions = std::to_array<KeyPosition>({
    {"ESC", 1, 0x01, 41, "ESCAPE", "ESCAPE"},
    {"FK01", 59, 0x3b, 58, "F1", "F1"},
    {"FK02", 60, 0x3c, 59, "F2", "F2"},
    {"FK03", 61, 0x3d, 60, "F3", "F3"},
    {"FK04", 62, 0x3e, 61, "F4", "F4"},
    {"FK05", 63, 0x3f, 62, "F5", "F5"},
    {"FK06", 64, 0x40, 63, "F6", "F6"},
    {"FK07", 65, 0x41, 64, "F7", "F7"},
    {"FK08", 66, 0x42, 65, "F8", "F8"},
    {"FK09", 67, 0x43, 66, "F9", "F9"},
    {"FK10", 68, 0x44, 67, "F10", "F10"},
    {"FK11", 87, 0x57, 68, "F11", "F11"},
    {"FK12", 88, 0x58, 69, "F12", "F12"},
    {"TLDE", 41, 0x29, 53, "`", nullptr},
    {"AE01", 2, 0x02, 30, "1", "1"},
    {"AE02", 3, 0x03, 31, "2", "2"},
    {"AE03", 4, 0x04, 32, "3", "3"},
    {"AE04", 5, 0x05, 33, "4", "4"},
    {"AE05", 6, 0x06, 34, "5", "5"},
    {"AE06", 7, 0x07, 35, "6", "6"},
    {"AE07", 8, 0x08, 36, "7", "7"},
    {"AE08", 9, 0x09, 37, "8", "8"},
    {"AE09", 10, 0x0a, 38, "9", "9"},
    {"AE10", 11, 0x0b, 39, "0", "0"},
    {"AE11", 12, 0x0c, 45, "-", nullptr},
    {"AE12", 13, 0x0d, 46, "=", nullptr},
    {"BKSP", 14, 0x0e, 42, "BACKSPACE", "BACKSPACE"},
    {"TAB", 15, 0x0f, 43, "TAB", "TAB"},
    {"AD01", 16, 0x10, 20, "q", nullptr},
    {"AD02", 17, 0x11, 26, "w", nullptr},
    {"AD03", 18, 0x12, 8, "e", nullptr},
    {"AD04", 19, 0x13, 21, "r", nullptr},
    {"AD05", 20, 0x14, 23, "t", nullptr},
    {"AD06", 21, 0x15, 28, "y", nullptr},
    {"AD07", 22, 0x16, 24, "u", nullptr},
    {"AD08", 23, 0x17, 12, "i", nullptr},
    {"AD09", 24, 0x18, 18, "o", nullptr},
    {"AD10", 25, 0x19, 19, "p", nullptr},
    {"AD11", 26, 0x1a, 47, "[", nullptr},
    {"AD12", 27, 0x1b, 48, "]", nullptr},
    {"RTRN", 28, 0x1c, 40, "ENTER", "ENTER"},
    {"CAPS", 58, 0x3a, 57, "CAPSLOCK", "CAPSLOCK"},
    {"AC01", 30, 0x1e, 4, "a", nullptr},
    {"AC02", 31, 0x1f, 22, "s", nullptr},
    {"AC03", 32, 0x20, 7, "d", nullptr},
    {"AC04", 33, 0x21, 9, "f", nullptr},
    {"AC05", 34, 0x22, 10, "g", nullptr},
    {"AC06", 35, 0x23, 11, "h", nullptr},
    {"AC07", 36, 0x24, 13, "j", nullptr},
    {"AC08", 37, 0x25, 14, "k", nullptr},
    {"AC09", 38, 0x26, 15, "l", nullptr},
    {"AC10", 39, 0x27, 51, ";", nullptr},
    {"AC11", 40, 0x28, 52, "'", nullptr},
    {"BKSL", 43, 0x2b, 49, "\\", nullptr},
    {"LFSH", 42, 0x2a, 225, "SHIFT", "SHIFT"},
    {"LSGT", 86, 0x56, 100, "", nullptr},
    {"AB01", 44, 0x2c, 29, "z", nullptr},
    {"AB02", 45, 0x2d, 27, "x", nullptr},
    {"AB03", 46, 0x2e, 6, "c", nullptr},
    {"AB04", 47, 0x2f, 25, "v", nullptr},
    {"AB05", 48, 0x30, 5, "b", nullptr},
    {"AB06", 49, 0x31, 17, "n", nullptr},
    {"AB07", 50, 0x32, 16, "m", nullptr},
    {"AB08", 51, 0x33, 54, ",", nullptr},
    {"AB09", 52, 0x34, 55, ".", nullptr},
    {"AB10", 53, 0x35, 56, "/", nullptr},
    {"RTSH", 54, 0x36, 229, "SHIFT", "SHIFT"},
    {"LCTL", 29, 0x1d, 224, "CTRL", "CTRL"},
    {"LWIN", 125, 0x15b, 227, "", "WINDOWS"},
    {"LALT", 56, 0x38, 226, "ALT", "ALT"},
    {"SPCE", 57, 0x39, 44, "SPACE", "SPACE"},
    {"RALT", 100, 0x138, 230, "ALT", "ALT"},
    {"RWIN", 126, 0x15c, 231, "", "WINDOWS"},
    {"COMP", 127, 0x15d, 101, "", "MENU"},
    {"RCTL", 97, 0x11d, 228, "CTRL", "CTRL"},
    {"PRSC", 99, 0x137, 70, "", "PRINT"},
    {"SCLK", 70, 0x46, 71, "", "SCROLLOCK"},
    {"PAUS", 119, 0x45, 72, "PAUSE", "PAUSE"},
    {"INS", 110, 0x152, 73, "INS", "INS"},
    {"HOME", 102, 0x147, 74, "HOME", "HOME"},
    {"PGUP", 104, 0x149, 75, "PGUP", "PGUP"},
    {"DELE", 111, 0x153, 76, "DEL", "DEL"},
    {"END", 107, 0x14f, 77, "END", "END"},
    {"PGDN", 109, 0x151, 78, "PGDN", "PGDN"},
    {"UP", 103, 0x148, 82, "UPARROW", "UPARROW"},
    {"LEFT", 105, 0x14b, 80, "LEFTARROW", "LEFTARROW"},
    {"DOWN", 108, 0x150, 81, "DOWNARROW", "DOWNARROW"},
    {"RGHT", 106, 0x14d, 79, "RIGHTARROW", "RIGHTARROW"},
    {"NMLK", 69, 0x145, 83, "KP_NUMLOCK", "KP_NUMLOCK"},
    {"KPDV", 98, 0x135, 84, "KP_SLASH", "KP_SLASH"},
    {"KPMU", 55, 0x37, 85, "*", "KP_STAR"},
    {"KPSU", 74, 0x4a, 86, "KP_MINUS", "KP_MINUS"},
    {"KP7", 71, 0x47, 95, "KP_HOME", "KP_HOME"},
    {"KP8", 72, 0x48, 96, "KP_UPARROW", "KP_UPARROW"},
    {"KP9", 73, 0x49, 97, "KP_PGUP", "KP_PGUP"},
    {"KPAD", 78, 0x4e, 87, "KP_PLUS", "KP_PLUS"},
    {"KP4", 75, 0x4b, 92, "KP_LEFTARROW", "KP_LEFTARROW"},
    {"KP5", 76, 0x4c, 93, "KP_5", "KP_5"},
    {"KP6", 77, 0x4d, 94, "KP_RIGHTARROW", "KP_RIGHTARROW"},
    {"KP1", 79, 0x4f, 89, "KP_END", "KP_END"},
    {"KP2", 80, 0x50, 90, "KP_DOWNARROW", "KP_DOWNARROW"},
    {"KP3", 81, 0x51, 91, "KP_PGDN", "KP_PGDN"},
    {"KPEN", 96, 0x11c, 88, "KP_ENTER", "KP_ENTER"},
    {"KP0", 82, 0x52, 98, "KP_INS", "KP_INS"},
    {"KPDL", 83, 0x53, 99, "KP_DEL", "KP_DEL"},
});

// RTCW's tables per cl_language where they differ from the US one (rtcwmp-com/rtcwPro
// src/win32/win_wndproc.c s_scantokey_french, _german, _italian, _spanish; MapKey reads
// cl_language - 1 as French 0, German 1, Italian 2, Spanish 3).
struct LanguageTable {
    int clLanguage;
    const char *language;
    std::array<std::pair<int, const char *>, 16> changed; // scan code, name
};
constexpr std::array<LanguageTable, 4> rtcwLanguages = {{
    {1,
     "French",
     {{{0x0c, ")"},
       {0x10, "a"},
       {0x11, "z"},
       {0x1a, "^"},
       {0x1b, "$"},
       {0x1e, "q"},
       {0x27, "m"},
       {0x28, "%"},
       {0x2b, "*"},
       {0x2c, "w"},
       {0x32, ","},
       {0x33, ";"},
       {0x34, ":"},
       {0x35, "!"},
       {0x56, "<"}}}},
    {2,
     "German",
     {{{0x0c, "?"},
       {0x0d, "'"},
       {0x15, "z"},
       {0x1a, "="},
       {0x1b, "+"},
       {0x27, "["},
       {0x28, "]"},
       {0x2b, "#"},
       {0x2c, "y"},
       {0x35, "-"},
       {0x56, "<"}}}},
    {3, "Italian", {{{0x0c, "'"}, {0x0d, "^"}, {0x27, "@"}, {0x28, "#"}, {0x2b, "="}, {0x35, "-"}, {0x56, "<"}}}},
    {4, "Spanish", {{{0x0c, "'"}, {0x0d, "!"}, {0x27, "="}, {0x28, "{"}, {0x2b, "}"}, {0x35, "-"}, {0x56, "<"}}}},
}};

// MapKey: the table's entry, then the E0 prefix tells the keypad from the main keys.
QString idName(const KeyPosition &key, const LanguageTable *language)
{
    const int scan = key.windowsScanCode & 0xff;
    QString name = QString::fromLatin1(key.usName);
    if (language) {
        for (const auto &[code, changed] : language->changed) {
            if (changed && code == scan)
                name = QString::fromLatin1(changed);
        }
    }
    return name;
}

QString lowerName(const QString &name)
{
    return name.size() == 1 ? name : name.toLower();
}

bool isConsoleCharacter(const QString &name)
{
    return name == u"`" || name == u"~";
}

QString consoleKey(const Engine &engine)
{
    return QStringLiteral("it is %1's console key, which no bind reaches").arg(QString::fromLatin1(engine.name));
}

PressName idPress(const KeyPosition &key, const Engine &engine, const LanguageTable *language)
{
    const QString name = idName(key, language);
    // CL_KeyEvent opens the console for ` and ~ before any binding.
    if (isConsoleCharacter(name))
        return {{}, consoleKey(engine), {}};
    if (name.isEmpty())
        return {{}, QStringLiteral("%1 has no name for this key").arg(QString::fromLatin1(engine.name)), {}};
    return {lowerName(name), {}, {}};
}

// Letters and punctuation by their US place: Quake3e's in_forceCharset 1.
bool namedByUsPlace(const KeyPosition &key)
{
    static constexpr std::array punctuation = {45, 46, 47, 48, 49, 51, 52, 54, 55, 56, 100};
    return (key.sdlScanCode >= 4 && key.sdlScanCode <= 29)
        || std::find(punctuation.begin(), punctuation.end(), key.sdlScanCode) != punctuation.end();
}

PressName sdlPress(const Press &press, const Engine &engine)
{
    const QString engineName = QString::fromLatin1(engine.name);
    const bool usPlaces = engine.rules.pressNaming == PressNaming::SdlUsPlaces;
    const KeyPosition *key = press.key;
    if (usPlaces && key && key->sdlScanCode == 53) // SDL_SCANCODE_GRAVE, whatever it types
        return {{}, consoleKey(engine), {}};
    if (usPlaces && key && namedByUsPlace(*key))
        return {key->sdlScanCode == 100 ? QStringLiteral("\\") : QString::fromLatin1(key->usName), {}, {}};
    if (key && key->sdlKeyName) {
        const QString name = QString::fromLatin1(key->sdlKeyName);
        if (usPlaces && name == u"KP_STAR") // Quake3e knows no KP_STAR: it binds the keypad * as *
            return {QStringLiteral("*"), {}, {}};
        return {lowerName(name), {}, {}};
    }
    if (press.deadKey || press.character.isEmpty()) {
        return {{},
                QStringLiteral("this key types an accent over the next letter, which SDL names as it pleases: "
                               "start %1 with +set in_keyboardDebug 1 and press it to see its name")
                    .arg(engineName),
                {}};
    }
    const char16_t c = press.character.at(0).unicode();
    if (press.character.size() == 1 && c > 0x20 && c < 0x7f) {
        const QString name = press.character.toLower();
        if (isConsoleCharacter(name)) // cl_consoleKeys "~ ` 0x7e 0x60"
            return {{}, consoleKey(engine), {}};
        return {name, {}, {}};
    }
    if (!usPlaces && key && key->sdlScanCode <= 95)
        return {QStringLiteral("world_%1").arg(key->sdlScanCode), {}, {}};
    return {{},
            QStringLiteral("this key types %1, beyond ASCII, and %2 has no name for such a key at this place")
                .arg(press.character, engineName),
            {}};
}

} // namespace

std::span<const KeyPosition> keyPositions()
{
    return positions;
}

const KeyPosition *keyPositionByLinuxCode(int code)
{
    for (const KeyPosition &key : positions) {
        if (key.linuxCode == code)
            return &key;
    }
    return nullptr;
}

const KeyPosition *keyPositionByWindowsScanCode(int scanCode)
{
    for (const KeyPosition &key : positions) {
        if (key.windowsScanCode == scanCode)
            return &key;
    }
    return nullptr;
}

const KeyPosition *keyPositionByXkbName(QStringView name)
{
    for (const KeyPosition &key : positions) {
        if (name == QLatin1StringView(key.xkbName))
            return &key;
    }
    return nullptr;
}

PressName pressName(const Press &press, const Engine &engine)
{
    const QString engineName = QString::fromLatin1(engine.name);
    PressName named;
    switch (press.kind) {
    case Press::Kind::WheelUp:
        return {QStringLiteral("mwheelup"), {}, {}};
    case Press::Kind::WheelDown:
        return {QStringLiteral("mwheeldown"), {}, {}};
    case Press::Kind::MouseButton:
        if (press.mouseButton >= 1 && press.mouseButton <= engine.rules.mouseButtons)
            return {QStringLiteral("mouse%1").arg(press.mouseButton), {}, {}};
        return {{},
                QStringLiteral("%1 sees %2 mouse buttons, not this one").arg(engineName).arg(engine.rules.mouseButtons),
                {}};
    case Press::Kind::Key:
        break;
    }
    switch (engine.rules.pressNaming) {
    case PressNaming::UsScanCodes:
    case PressNaming::UsScanCodesByLanguage:
        if (!press.key)
            return {{}, QStringLiteral("%1 has no name for this key").arg(engineName), {}};
        named = idPress(*press.key, engine, nullptr);
        if (engine.rules.pressNaming == PressNaming::UsScanCodesByLanguage) {
            QStringList variants;
            for (const LanguageTable &language : rtcwLanguages) {
                const PressName other = idPress(*press.key, engine, &language);
                if (other.name != named.name) {
                    variants << QStringLiteral("with cl_language %1 (%2): %3")
                                    .arg(language.clLanguage)
                                    .arg(QString::fromLatin1(language.language),
                                         other.name.isEmpty() ? QStringLiteral("no name") : other.name);
                }
            }
            named.variants = variants.join(QStringLiteral("; "));
        }
        break;
    case PressNaming::SdlCharacters:
    case PressNaming::SdlUsPlaces:
        named = sdlPress(press, engine);
        break;
    }
    // Escape opens the menu before any bind is looked at (CL_KeyEvent, in every engine).
    if (named.name == u"escape")
        return {{}, QStringLiteral("it opens %1's menu, before any bind").arg(engineName), {}};
    // A name the bind line cannot hold (";" ends the command) is no name for it.
    if (!named.name.isEmpty() && !isBindableKey(named.name, {&engine}))
        return {{}, QStringLiteral("%1 names it %2, which a bind line cannot hold").arg(engineName, named.name), {}};
    return named;
}

PressAnswer answerPress(const Press &press, const QList<const Engine *> &engines)
{
    if (engines.isEmpty())
        return {};
    // Engines that name it alike, in the order given.
    QList<std::pair<PressName, QList<const Engine *>>> groups;
    for (const Engine *engine : engines) {
        const PressName named = pressName(press, *engine);
        auto same = std::find_if(groups.begin(), groups.end(), [&](const auto &group) {
            return group.first.name == named.name && !named.name.isEmpty();
        });
        if (same != groups.end())
            same->second << engine;
        else
            groups.append({named, {engine}});
    }
    QStringList sentences;
    for (const auto &[named, alike] : groups) {
        const QString who = engineNames(alike);
        QString sentence = named.name.isEmpty()
            ? QStringLiteral("%1 cannot bind it: %2").arg(who, named.noneWhy)
            : QStringLiteral("%1 %2 it as %3").arg(who, alike.size() == 1 ? u"binds" : u"bind", named.name);
        sentence += named.variants.isEmpty() ? QStringLiteral(".") : QStringLiteral(" (%1).").arg(named.variants);
        sentences << sentence;
    }
    return {pressName(press, *engines.first()).name, sentences.join(u' ')};
}

} // namespace binds
