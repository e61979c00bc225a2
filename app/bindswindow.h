#pragma once

#include "binds/add/addplan.h"
#include "binds/files/startrun.h"

#include <QWidget>

#include <functional>

class QLabel;
class QPushButton;
class BindListModel;
class QTreeView;

// The binds of one autoexec.cfg as the game runs them: each key, what it does, its chat
// as the game shows it, and the binds that have no effect, with why. The player removes
// selected binds; every other byte of the file stays.
class BindsWindow : public QWidget
{
    Q_OBJECT

public:
    explicit BindsWindow(QWidget *mainWindow);

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

protected:
    void keyPressEvent(QKeyEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void removeSelected();
    // The width that shows every column whole, within the screen.
    void fitColumns();

    QString m_hostPath;
    QByteArray m_listedBytes; // the file as listed
    bool m_listing = false;   // a readable file is listed
    BindListModel *m_binds;
    QLabel *m_fileLabel;
    QTreeView *m_bindList;
    QLabel *m_sizeLabel;
    QLabel *m_noteLabel;
    QPushButton *m_removeButton;
    Asker m_asker;
};
