#pragma once

#include "host/drives.h"
#include "host/folderstring.h"

#include <QPointer>
#include <QWidget>

class QComboBox;
class QFileSystemModel;
class QLabel;
class QLineEdit;
class QModelIndex;
class QPushButton;
class QTreeView;
class FolderChainFilter;

// "Find Game Folder": picks a game's root folder by pointing, and writes it with a final
// separator into the main window's box for that game.
class Form2 : public QWidget
{
    Q_OBJECT

public:
    // The two root folder boxes of the main window, which "Done" writes into.
    Form2(QLineEdit *quake3Dir, QLineEdit *rtcwDir, const host::Host &host, QWidget *mainWindow);
    ~Form2() override;

    // Which game the folder is for (-1 Quake 3, 0 RTCW); shows the picker without waiting.
    void GetDir(qint16 game);

    // The folder list's open folder, on the host.
    QString path() const { return m_path; }
    // Opens a folder in the list; false, leaving the list where it was, when it cannot be opened.
    bool setPath(const QString &hostPath);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private slots:
    void Drive1_Change();
    void Command1_Click();
    void Dir1_Open(const QModelIndex &index);

private:
    void Form_Load();
    void fillDrives();
    void expandToPath();
    QString driveRootOf(const QString &path) const;
    void showCannotOpen(const QString &what);
    void showProblem(const QString &text);

    QPointer<QLineEdit> m_quake3Dir;
    QPointer<QLineEdit> m_rtcwDir;
    const host::Host m_host;
    qint16 m_game = 0;
    QString m_path;
    QList<host::Drive> m_drives; // the drives only, not the game folders after them in Drive1
    bool m_highlightOpenFolder = false;

    QFileSystemModel *m_folders;
    FolderChainFilter *m_chain;
    QTreeView *Dir1;
    QComboBox *Drive1;
    QPushButton *Command1;
    QLabel *problem;
};
