#pragma once

#include "binds/engine/keypress.h"

#include <QObject>

class QKeyEvent;
class QLineEdit;

// Takes the next key or mouse button the player presses over a key box, and says which
// it was by where the key stands and what the layout types with it. Escape, or the box
// losing the keyboard, gives up.
class KeyCatcher : public QObject
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

private:
    void finish();

    QLineEdit *m_box;
    QString m_placeholder; // the box's own, given back when done
    bool m_wasReadOnly = false;
    bool m_buttonHeld = false; // a caught button, until its release
    bool m_catching = false;
};
