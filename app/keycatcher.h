#pragma once

#include "keyboardlayout.h"

#include "binds/engine/keypress.h"

#include <QAbstractNativeEventFilter>
#include <QObject>

class QKeyEvent;
class QLineEdit;

// Takes the next key or mouse button the player presses over a key box, and says which
// it was by where the key stands and what the layout types with it. Escape, or the box
// losing the keyboard, gives up.
class KeyCatcher : public QObject, public QAbstractNativeEventFilter
{
    Q_OBJECT

public:
    explicit KeyCatcher(QLineEdit *box);

    void start();
    // Until a press is caught, and a caught button is let go.
    bool isCatching() const { return m_catching || m_buttonHeld; }

    // The press a key event is: its place from the platform's scan code, and its character.
    static binds::Press pressOf(const QKeyEvent &event);

signals:
    void caught(const binds::Press &press);
    void cancelled();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
    // On X, a dead key never reaches the box (Qt's compose takes it first): it is caught
    // here, from the X event, by its place and the layout.
    bool nativeEventFilter(const QByteArray &eventType, void *message, qintptr *result) override;

private:
    void finish();

    QLineEdit *m_box;
    QString m_placeholder; // the box's own, given back when done
    bool m_wasReadOnly = false;
    KeyboardLayout m_layout;   // the player's, as the catch started
    bool m_buttonHeld = false; // a caught button, until its release
    bool m_catching = false;
};
