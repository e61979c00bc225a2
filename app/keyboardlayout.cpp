#include "keyboardlayout.h"

#include <QGuiApplication>

#ifdef Q_OS_WIN
#include <windows.h>
#elif defined(BINDWRIGHT_HAVE_XKBCOMMON)
#include <memory>
#include <xkbcommon/xkbcommon-x11.h>
#include <xkbcommon/xkbcommon.h>
#endif

namespace {

QString printable(const QString &text)
{
    return text.size() == 1 && text.at(0).isPrint() && !text.at(0).isSpace() ? text : QString();
}

#if !defined(Q_OS_WIN) && defined(BINDWRIGHT_HAVE_XKBCOMMON)
struct XkbFree {
    void operator()(xkb_context *context) const { xkb_context_unref(context); }
    void operator()(xkb_keymap *keymap) const { xkb_keymap_unref(keymap); }
    void operator()(xkb_state *state) const { xkb_state_unref(state); }
};

// The X server's keymap, when the program runs on one.
xkb_keymap *serverKeymap(xkb_context *context)
{
    auto *x11 = qGuiApp ? qGuiApp->nativeInterface<QNativeInterface::QX11Application>() : nullptr;
    if (!x11 || !x11->connection())
        return nullptr;
    xcb_connection_t *connection = x11->connection();
    if (!xkb_x11_setup_xkb_extension(connection, XKB_X11_MIN_MAJOR_XKB_VERSION, XKB_X11_MIN_MINOR_XKB_VERSION,
                                     XKB_X11_SETUP_XKB_EXTENSION_NO_FLAGS, nullptr, nullptr, nullptr, nullptr))
        return nullptr;
    const int32_t device = xkb_x11_get_core_keyboard_device_id(connection);
    return device < 0 ? nullptr
                      : xkb_x11_keymap_new_from_device(context, connection, device, XKB_KEYMAP_COMPILE_NO_FLAGS);
}
#endif

} // namespace

#if !defined(Q_OS_WIN) && defined(BINDWRIGHT_HAVE_XKBCOMMON)
static QHash<int, KeyboardLayout::Typed> typedByKeymap(xkb_keymap *keymap)
{
    QHash<int, KeyboardLayout::Typed> typed;
    std::unique_ptr<xkb_state, XkbFree> state(xkb_state_new(keymap));
    if (!state)
        return typed;
    for (const binds::KeyPosition &key : binds::keyPositions()) {
        const xkb_keysym_t sym = xkb_state_key_get_one_sym(state.get(), xkb_keycode_t(key.linuxCode + 8));
        const bool dead = sym >= XKB_KEY_dead_grave && sym <= XKB_KEY_dead_greek;
        const uint32_t utf32 = xkb_keysym_to_utf32(sym);
        const char32_t character = utf32;
        typed.insert(key.linuxCode, {utf32 ? printable(QString::fromUcs4(&character, 1)) : QString(), dead});
    }
    return typed;
}
#endif

KeyboardLayout KeyboardLayout::current()
{
    KeyboardLayout layout;
#ifdef Q_OS_WIN
    const HKL hkl = GetKeyboardLayout(0);
    BYTE state[256] = {};
    for (const binds::KeyPosition &key : binds::keyPositions()) {
        const UINT scan = UINT(key.windowsScanCode & 0xff) | (key.windowsScanCode & 0x100 ? 0xe000u : 0u);
        const UINT virtualKey = MapVirtualKeyExW(scan, MAPVK_VSC_TO_VK_EX, hkl);
        wchar_t buffer[8] = {};
        const int written = virtualKey ? ToUnicodeEx(virtualKey, scan, state, buffer, 8, 0, hkl) : 0;
        Typed typed;
        if (written < 0) {
            typed.dead = true;
            // A dead key waits for its letter: a second call lets it go.
            ToUnicodeEx(virtualKey, scan, state, buffer, 8, 0, hkl);
        } else if (written == 1) {
            typed.character = printable(QString::fromWCharArray(buffer, 1));
        }
        layout.m_typed.insert(key.linuxCode, typed);
    }
#elif defined(BINDWRIGHT_HAVE_XKBCOMMON)
    std::unique_ptr<xkb_context, XkbFree> context(xkb_context_new(XKB_CONTEXT_NO_FLAGS));
    if (context) {
        if (std::unique_ptr<xkb_keymap, XkbFree> keymap(serverKeymap(context.get())); keymap) {
            layout.m_typed = typedByKeymap(keymap.get());
            return layout;
        }
    }
    return xkbNamed(QString());
#endif
    return layout;
}

KeyboardLayout KeyboardLayout::xkbNamed(const QString &name)
{
    KeyboardLayout layout;
#if !defined(Q_OS_WIN) && defined(BINDWRIGHT_HAVE_XKBCOMMON)
    std::unique_ptr<xkb_context, XkbFree> context(xkb_context_new(XKB_CONTEXT_NO_FLAGS));
    if (!context)
        return layout;
    const QByteArray layoutName = name.toLatin1();
    xkb_rule_names names = {};
    names.model = "pc105";
    names.layout = layoutName.isEmpty() ? nullptr : layoutName.constData();
    std::unique_ptr<xkb_keymap, XkbFree> keymap(
        xkb_keymap_new_from_names(context.get(), &names, XKB_KEYMAP_COMPILE_NO_FLAGS));
    if (keymap)
        layout.m_typed = typedByKeymap(keymap.get());
#else
    Q_UNUSED(name)
#endif
    return layout;
}

binds::Press KeyboardLayout::pressOf(const binds::KeyPosition &key) const
{
    binds::Press press;
    press.key = &key;
    if (const auto typed = m_typed.constFind(key.linuxCode); typed != m_typed.cend()) {
        press.character = typed->character;
        press.deadKey = typed->dead;
    } else if (key.sdlKeyName == nullptr && key.usName[0] != '\0') {
        press.character = QString::fromLatin1(key.usName); // no layout known: the US one
    }
    return press;
}

QString KeyboardLayout::legendOf(const binds::KeyPosition &key) const
{
    return pressOf(key).character.toUpper();
}

bool KeyboardLayout::isIso() const
{
    const binds::KeyPosition *iso = binds::keyPositionByXkbName(u"LSGT");
    return iso && !pressOf(*iso).character.isEmpty();
}
