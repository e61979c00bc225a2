#pragma once

#include "gamepanel.h"

#include "decorate/randomsource.h"
#include "host/folderstring.h"
#include "settings/settingsfile.h"

#include <QHash>
#include <QPointer>
#include <QWidget>

#include <functional>

class BindsWindow;
class ChatPreviewPopup;
class FolderPicker;
class KeyboardWindow;
class QLabel;
class QTimer;
class QLineEdit;
class Quake3Panel;
class RtcwPanel;
class WrapButton;

// The main window (Form1): the two game panels side by side, the status box under them
// and the credits line. It passes what the panels report on to the player, and keeps
// what both share: the folder picker, the chat preview, the jazz colours' random numbers
// and the settings file.
class MainWindow : public QWidget
{
    Q_OBJECT

public:
    // Shows a failure or refusal to the player; tests put their own in.
    using Reporter = std::function<void(const QString &message)>;

    // The window for the machine it runs on (its drives, its home, a Wine prefix); the
    // journal of changes to the player's files lives in journalFolder, the program's own.
    MainWindow(const host::Host &host, const settings::Places &settingsPlaces, const QString &journalFolder,
               QWidget *parent = nullptr);
    ~MainWindow() override;

    void setReporter(Reporter reporter);
    // Asks the questions before an Add; tests put their own in.
    void setAsker(const GamePanel::Asker &asker);

protected:
    void closeEvent(QCloseEvent *event) override;
    void changeEvent(QEvent *event) override;

private:
    void connectPanel(GamePanel *panel);
    void setTabOrder();
    void loadSettings();
    void saveSettings();
    settings::Folders rootFolders() const;
    void report(const QString &message);
    // The same, over the window it concerns.
    void reportOver(QWidget *window, const QString &message);
    void appendStatus(const QString &note);
    void openFolderPicker(GamePanel *panel);
    void putChosenFolder(qint16 game, const QString &folder);
    void openBindsWindow(GamePanel *panel);
    // The picture of the panel's game's keys, one window per panel.
    void openKeyboardWindow(GamePanel *panel);
    // Keeps the way back from a change; says so when it cannot.
    void keepChange(const binds::FileChange &change);
    // Ctrl+Z: the last change of a file either panel's game runs or writes.
    void undoLastChange();

    const host::Host m_host;
    settings::RunSettings m_settings;
    binds::ChangeJournal m_journal;
    decorate::SplitMix64 m_jazzRandom; // one for both panels
    Reporter m_reporter;               // none: a message box
    QPointer<FolderPicker> m_picker;
    QPointer<BindsWindow> m_bindsWindow;
    QHash<GamePanel *, KeyboardWindow *> m_keyboardWindows; // children of this window
    QMetaObject::Connection m_bindsFollows;                 // the binds window to the panel it lists
    QPointer<GamePanel> m_listedPanel;                      // that panel
    ChatPreviewPopup *m_chatPreview;

    Quake3Panel *m_quake3Panel;
    RtcwPanel *m_rtcwPanel;
    QLineEdit *m_statusEdit;
    QLabel *m_creditsLabel;
    QTimer *m_saveSoon = nullptr; // restarted by each change of a root or an engine
    QString m_lastSaveFailure;    // as last said, so that it is said once
    GamePanel::Asker m_asker;     // the questions, for the panels and the Binds window
};
