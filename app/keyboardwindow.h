#pragma once

#include "keyboardlayout.h"

#include "binds/engine/keyboardgeometry.h"
#include "binds/files/keyactions.h"
#include "binds/files/startrun.h"

#include <QAbstractButton>
#include <QList>
#include <QWidget>

#include <optional>

class QLabel;
class QListWidget;

// One key or mouse button of the picture: its outline, the legend the layout puts on it,
// and a mark for what it does at the game's next start.
class KeyCapButton : public QAbstractButton
{
    Q_OBJECT

public:
    KeyCapButton(const QString &legend, QList<QPointF> shape, QWidget *parent);

    // The engine's name for it (empty: it cannot bind it), and what it does.
    // Before any file is read (known false) nothing is said of what it does.
    void setUse(const QString &name, const binds::KeyUse &use, const QString &noneWhy, bool known);
    QString keyName() const { return m_name; }
    binds::KeyUseKind kind() const { return m_use.kind; }
    // The letter that marks the kind: A action, C chat, V voice, X another command; none when free.
    static QString markOf(binds::KeyUseKind kind);

    QRectF place; // on the keyboard, in its units
    QList<QPointF> outline;

protected:
    void paintEvent(QPaintEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;

private:
    QString m_legend;
    QString m_name;
    binds::KeyUse m_use;
};

// A window of a game's keys: a keyboard in the player's layout and a mouse, each key
// marked by what it does at the game's next start for the player's engine; the free keys
// listed beside. A click (or Enter) on a key chooses it for the panel's key box.
class KeyboardWindow : public QWidget
{
    Q_OBJECT

public:
    KeyboardWindow(const KeyboardLayout &layout, QWidget *mainWindow);

    // Shows the keys as the engine names them and the run says they are bound (the run's
    // first engine, when it ran any file), and brings the window up.
    void showRun(const binds::StartRun &run, const binds::Engine &engine, const QString &gameName);
    // Marks them again from a new reading, where the window stands.
    void updateRun(const binds::StartRun &run, const binds::Engine &engine);

    const QList<KeyCapButton *> &keys() const { return m_keys; }

signals:
    void keyChosen(const QString &name);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;

private:
    void placeKeys();
    void addMouse();

    KeyboardLayout m_layout;
    std::optional<binds::KeyboardGeometry> m_geometry;
    QWidget *m_keyboard = nullptr; // the keys and the mouse, placed by placeKeys
    QList<KeyCapButton *> m_keys;  // the keyboard's, then the mouse's
    QList<binds::Press> m_presses; // by the same index
    QListWidget *m_freeList = nullptr;
    QLabel *m_caption = nullptr;
    double m_mouseTop = 0; // where the mouse row stands, in the keyboard's units
};
