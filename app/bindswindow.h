#pragma once

#include "binds/add/addplan.h"
#include "binds/files/changejournal.h"
#include "binds/files/startrun.h"

#include <QWidget>

#include <functional>

class QLabel;
class QPushButton;
class BindListModel;
class QTreeView;

// The binds of one autoexec.cfg as the game runs them: each key, what it does, its chat
// as the game shows it, and the binds that have no effect, with why. The player removes
// selected binds (every other byte of the file stays), undoes the file's last change,
// copies rows as bind lines, and picks a bind to change in its panel.
class BindsWindow : public QWidget
{
    Q_OBJECT

public:
    // The journal keeps the way back from each change; it outlives the window.
    BindsWindow(binds::ChangeJournal &journal, QWidget *mainWindow);

    // Lists the file at hostPath as the game's start runs it, and brings the window up.
    void showFile(const binds::StartRun &run, const QString &hostPath);
    // Lists it again from a new reading, where the window stands.
    void showRun(const binds::StartRun &run, const QString &hostPath);

    // Asks the player before more than one bind goes at once.
    using Asker = std::function<binds::Answer(const binds::PlannedQuestion &question)>;
    void setAsker(Asker asker) { m_asker = std::move(asker); }

signals:
    void problem(const QString &message);
    // The file was rewritten: what a key does now may have changed.
    void fileChanged();
    // A file was rewritten by a removal: the way back is to be kept.
    void fileWritten(const binds::FileChange &change);
    // The player chose a bind to change: its key and command, for the panel's fields.
    void bindChosen(const QString &key, const QString &command);

protected:
    void keyPressEvent(QKeyEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    QList<binds::StartBind> selectedBinds() const;
    void removeSelected();
    // Offers to take the removed keys' binds out of the files the game runs before this one
    // (its own config), which would bind them again.
    void offerRemovalBefore(const QList<binds::StartBind> &removed);
    // The listed file and the files the game runs with it: the changes Undo may take back.
    QStringList undoablePaths() const;
    void undoLastChange();
    void updateUndo();
    void copySelected() const;
    void chooseCurrent();
    // Beside the main window, on its screen.
    void placeBesideMainWindow();
    // The width that shows every column whole, within the screen.
    void fitColumns();

    binds::ChangeJournal &m_journal;
    QString m_hostPath;
    binds::StartRun m_run;    // what the game runs, the listed file among it or on its own
    int m_listedFile = 0;     // its index there
    QByteArray m_listedBytes; // the file as listed
    bool m_listing = false;   // a readable file is listed
    BindListModel *m_binds;
    QLabel *m_fileLabel;
    QTreeView *m_bindList;
    QLabel *m_sizeLabel;
    QLabel *m_noteLabel;
    QPushButton *m_removeButton;
    QPushButton *m_undoButton;
    Asker m_asker;
};
