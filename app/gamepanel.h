#pragma once

#include "panellayout.h"

#include "binds/add/addplan.h"
#include "binds/add/chat.h"
#include "binds/engine/games.h"
#include "binds/engine/keypress.h"
#include "binds/files/bindrequest.h"
#include "binds/files/changejournal.h"
#include "binds/files/startrun.h"
#include "binds/folders/whatruns.h"
#include "host/folderstring.h"

#include <QGroupBox>
#include <QList>

#include <array>
#include <functional>

class QButtonGroup;
class QComboBox;
class QFileSystemWatcher;
class QLabel;
class QLineEdit;
class QRadioButton;
class WrapButton;
namespace decorate {
class RandomSource;
}

// One game's panel: its frame and the controls in it. It turns what the player typed
// and chose into one bind line through the libraries, and tells the main window what
// came of it through its signals.
class GamePanel : public QGroupBox
{
    Q_OBJECT

public:
    const binds::Game &game() const { return m_game; }
    QString rootFolder() const;
    void setRootFolder(const QString &folder);

    // Appends the bind the panel's fields ask for to the game's autoexec.cfg.
    virtual void addBind() = 0;
    // Fills the fields with a bind of the file, to be changed: the next Add replaces it.
    virtual void takeBind(const QString &key, const QString &command);
    // Puts a key chosen elsewhere (the picture of the keys) into the key box.
    void chooseKey(const QString &key);

    // The engine the player chose for this panel's game, by its id; empty: found from the root.
    QString chosenEngine() const;
    void setChosenEngine(const QString &id);
    // The engines the player may run: the one chosen, else those the root suggests.
    QList<const binds::Engine *> engines() const;
    // The one whose key names the panel's views use: the first of those.
    const binds::Engine &namingEngine() const;

    // Works out again which files the engines run at start, reads them, and says what
    // the key does now.
    void updateKeyNow();
    // What the player's engine runs at start, as last read (the first of the engines
    // where they run different files).
    const binds::StartRun &startRun() const;
    // The autoexec.cfg that engine runs, or that "Add" would make, on this machine;
    // nullopt without a whole root.
    std::optional<QString> autoexecFile() const;

    // Asks the player one of the questions before an Add.
    using Asker = std::function<binds::Answer(const binds::PlannedQuestion &question)>;
    void setAsker(Asker asker) { m_asker = std::move(asker); }

signals:
    // A refusal, a failure or a notice for the player.
    void problem(const QString &message);
    // What the status box gains after a bind was written.
    void bindWritten(const QString &statusNote);
    // What it gains when the player's answer left the file as it was.
    void nothingWritten(const QString &statusNote);
    void pickFolderRequested();
    // A button changed the text to say: the preview shows under the box.
    void decorated(QLineEdit *box);
    void bindsWindowRequested();
    void keyboardWindowRequested();
    // What the game runs at start was read again: views of it follow.
    void startRunChanged();
    // The player changed the root folder or the engine: worth remembering.
    void rootOrEngineChanged();
    // What the player's engines name a key the player pressed, for the status box.
    void keyNamed(const QString &statusNote);
    // A file of the player's was written: the way back is kept.
    void fileWritten(const binds::FileChange &change);

protected:
    // Builds the controls both panels have where the window's layout puts them, names them
    // for screen readers and wires them; the subclass adds what only its game has.
    GamePanel(const binds::Game &game, const PanelLayout &layout, decorate::RandomSource &jazzRandom,
              const host::Host &host, QWidget *window);

    // Gives each control of the subclass its name for screen readers, after the game's
    // name ("Quake 3 key").
    void nameForPlayers(const QList<std::pair<QWidget *, QString>> &names);
    // Writes the bind as the plan for it says, asking its questions first. False, with the
    // player told, when it was refused or failed, or the player said no.
    bool writeBindAskingFirst(const binds::BindRequest &request, binds::ChatScope scope, const QString &say);
    void decorateSay(const QString &decorated);
    // The text to say's tooltip: the chat as the game draws it.
    virtual void updatePreview() = 0;
    // Team Talk, Public, or neither yet.
    binds::ChatScope chosenScope() const;
    void setChosenScope(binds::ChatScope scope);
    // The mod folder the bind goes into, empty for the base folder.
    virtual QString modFolder() const { return {}; }
    QString keyText() const;
    void setKeyText(const QString &key);
    QString sayText() const;
    void setSayText(const QString &say);
    void setSayPreview(const QString &html);

    const binds::Game &m_game;
    const host::Host m_host;

private:
    // The eight colour buttons in their row, Red to Black, under the layout's names.
    void makeColourButtons(const std::array<const char *, 8> &names);
    // Wires the controls both panels have.
    void connectCommonControls(bool everyColourTakesFocus);
    // In the key box: press a key or mouse button (or Ctrl+K) to have its name put there.
    void makePressKeyAction();
    void namePressedKey(const binds::Press &press);
    // The line under the panel's half of the window that says what the key does now,
    // placed there by the panel: it moves no control of the design.
    void makeKeyNowLabel(QWidget *window, QRect geometry);
    // Beside it, the button that lists the binds of the panel's autoexec.cfg.
    void makeBindsButton(QWidget *window, QRect geometry);
    // Under them, the engine the player runs: the one found, and why, or the one chosen.
    void makeEngineBox(QWidget *window, QRect geometry);
    // Beside it, the button that shows the game's keys on a keyboard.
    void makeKeysButton(QWidget *window, QRect geometry);
    // What the typed key does, from the keys read by the last updateKeyNow().
    void showKeyNow();
    // Watches the start files, and the folders where they may appear.
    void watchStartFiles(const QStringList &files, const QStringList &folders);
    // The engine box's first entry: what the root says of the engine.
    void showGuess();
    void addColour(int digit, bool takeFocus);
    void jazzSay();

    decorate::RandomSource &m_jazzRandom;
    QLabel *m_remembersLabel = nullptr;
    QLabel *m_rootLabel = nullptr;
    QLineEdit *m_rootEdit = nullptr;
    WrapButton *m_pickButton = nullptr;
    QLabel *m_keyLabel = nullptr;
    QLineEdit *m_keyEdit = nullptr;
    QLabel *m_sayLabel = nullptr;
    QLineEdit *m_sayEdit = nullptr;
    QRadioButton *m_teamOption = nullptr;
    QRadioButton *m_publicOption = nullptr;
    QButtonGroup *m_scopeGroup = nullptr;
    WrapButton *m_formalButton = nullptr;
    WrapButton *m_jazzButton = nullptr;
    QList<WrapButton *> m_colourButtons; // Red to Black
    WrapButton *m_addButton = nullptr;
    QLabel *m_keyNowLabel = nullptr;
    QComboBox *m_engineBox = nullptr;
    binds::EngineGuess m_guess;                   // from the root, when the player chose none
    QList<binds::StartFolders> m_starts;          // which files the engines run, by group
    QList<binds::StartRun> m_runs;                // and what they run of them, by the same group
    QFileSystemWatcher *m_startWatcher = nullptr; // the start files and their folders
    WrapButton *m_bindsButton = nullptr;
    Asker m_asker;
};

// The hint over both root folder boxes.
inline const QString remembersHint = QStringLiteral("**Bindwright remembers this dir next time you open**");
