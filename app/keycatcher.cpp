#include "keycatcher.h"

#include <QGuiApplication>
#include <QInputMethod>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMouseEvent>
#include <QWheelEvent>

#ifdef BINDWRIGHT_HAVE_XKBCOMMON
#include <xcb/xcb.h>
#endif

KeyCatcher::KeyCatcher(QLineEdit *box)
    : QObject(box)
    , m_box(box)
{ }

void KeyCatcher::start()
{
    if (m_catching)
        return;
    m_catching = true;
    m_placeholder = m_box->placeholderText();
    m_box->setPlaceholderText(QStringLiteral("Press the key or mouse button (Esc: cancel)"));
    // A dead key goes to the input method of a box that takes text, which swallows it: read-only
    // for the while, the box takes none, and the dead key comes as a press.
    m_wasReadOnly = m_box->isReadOnly();
    m_box->setReadOnly(true);
    m_box->setFocus(Qt::OtherFocusReason);
    QGuiApplication::inputMethod()->update(Qt::ImEnabled);
    // Every key and button, Tab and clicks outside the box included, comes here until one is caught.
    m_box->installEventFilter(this);
    if (QGuiApplication::platformName() == u"xcb") {
        m_layout = KeyboardLayout::current();
        QCoreApplication::instance()->installNativeEventFilter(this);
    }
    m_box->grabKeyboard();
    m_box->grabMouse();
}

void KeyCatcher::finish()
{
    m_catching = false;
    m_box->releaseMouse();
    m_box->releaseKeyboard();
    QCoreApplication::instance()->removeNativeEventFilter(this);
    if (!m_buttonHeld)
        m_box->removeEventFilter(this);
    m_box->setPlaceholderText(m_placeholder);
    m_box->setReadOnly(m_wasReadOnly);
    QGuiApplication::inputMethod()->update(Qt::ImEnabled);
}

binds::Press KeyCatcher::pressOf(const QKeyEvent &event)
{
    binds::Press press;
    const int scanCode = int(event.nativeScanCode());
    // X and Wayland give xkb's key codes, the Linux input codes plus 8; Windows its scan
    // codes with 0x100 for the E0 prefix.
    const QString platform = QGuiApplication::platformName();
    if (platform == u"windows")
        press.key = binds::keyPositionByWindowsScanCode(scanCode);
    else if (scanCode > 8)
        press.key = binds::keyPositionByLinuxCode(scanCode - 8);
    const int key = event.key();
    press.deadKey = key >= Qt::Key_Dead_Grave && key <= Qt::Key_Dead_Longsolidusoverlay;
    const QString text = event.text();
    if (!press.deadKey && text.size() == 1 && text.at(0).isPrint())
        press.character = text;
    return press;
}

bool KeyCatcher::eventFilter(QObject *watched, QEvent *event)
{
    if (watched != m_box)
        return false;
    if (!m_catching) {
        // The rest of a caught click is no click on the box: no menu, no paste.
        switch (event->type()) {
        case QEvent::MouseButtonRelease:
            m_buttonHeld = false;
            m_box->removeEventFilter(this);
            return true;
        case QEvent::ContextMenu:
        case QEvent::MouseButtonDblClick:
        case QEvent::MouseMove:
            return true;
        case QEvent::MouseButtonPress:
        case QEvent::KeyPress: // the release was lost (another window took it): this is new
            m_buttonHeld = false;
            m_box->removeEventFilter(this);
            return false;
        default:
            return false;
        }
    }
    binds::Press press;
    switch (event->type()) {
    case QEvent::KeyPress: {
        const auto *keyEvent = static_cast<QKeyEvent *>(event);
        if (keyEvent->key() == Qt::Key_Escape) {
            finish();
            emit cancelled();
            return true;
        }
        press = pressOf(*keyEvent);
        break;
    }
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonDblClick: {
        static const QList<Qt::MouseButton> buttons = {Qt::LeftButton, Qt::RightButton, Qt::MiddleButton,
                                                       Qt::BackButton, Qt::ForwardButton};
        press.kind = binds::Press::Kind::MouseButton;
        press.mouseButton = int(buttons.indexOf(static_cast<QMouseEvent *>(event)->button())) + 1;
        m_buttonHeld = true;
        break;
    }
    case QEvent::Wheel: {
        const int delta = static_cast<QWheelEvent *>(event)->angleDelta().y();
        if (delta == 0)
            return true;
        press.kind = delta > 0 ? binds::Press::Kind::WheelUp : binds::Press::Kind::WheelDown;
        break;
    }
    case QEvent::FocusOut:
        finish();
        emit cancelled();
        return false;
    case QEvent::ShortcutOverride: // the key comes as a press, not as a shortcut
        event->accept();
        return true;
    case QEvent::KeyRelease:
    case QEvent::MouseButtonRelease:
    case QEvent::ContextMenu:
        return true;
    default:
        return false;
    }
    finish();
    emit caught(press);
    return true;
}

bool KeyCatcher::nativeEventFilter(const QByteArray &eventType, void *message, qintptr *)
{
#ifdef BINDWRIGHT_HAVE_XKBCOMMON
    if (!m_catching || eventType != "xcb_generic_event_t")
        return false;
    const auto *event = static_cast<const xcb_generic_event_t *>(message);
    if ((event->response_type & 0x7f) != XCB_KEY_PRESS)
        return false;
    const auto *keyPress = static_cast<const xcb_key_press_event_t *>(message);
    const binds::KeyPosition *key = binds::keyPositionByLinuxCode(int(keyPress->detail) - 8);
    if (!key || !m_layout.pressOf(*key).deadKey)
        return false;
    const binds::Press press = m_layout.pressOf(*key);
    finish();
    emit caught(press);
    return true;
#else
    Q_UNUSED(eventType)
    Q_UNUSED(message)
    return false;
#endif
}
