#pragma once

#include "host/drives.h"
#include "host/folderstring.h"

#include <QWidget>

#include <optional>

class QComboBox;
class QFileSystemModel;
class QLabel;
class QModelIndex;
class QPushButton;
class QTreeView;
class FolderChainFilter;

// "Find Game Folder" (Form2): picks a game's root folder by pointing, and says which
// folder was chosen, with a final separator, for which game.
class FolderPicker : public QWidget
{
    Q_OBJECT

public:
    FolderPicker(const host::Host &host, QWidget *mainWindow);
    ~FolderPicker() override;

    // Which game the folder is for (the game table's picker flag); shows the picker
    // without waiting.
    void pickFor(qint16 game);

    // The folder list's open folder, on the host.
    QString path() const { return m_path; }
    // Opens a folder in the list; false, leaving the list where it was, when it cannot be
    // opened, with why in error when given.
    bool setPath(const QString &hostPath, QString *error = nullptr);

signals:
    void folderChosen(qint16 game, const QString &folder);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;

private:
    void openChosenDrive();
    void choose();
    void openFolderAt(const QModelIndex &index);
    void openStartFolder();
    void fillDrives();
    // The game's folders found on this machine, after the drives in the drive box.
    void offerGameFolders();
    void expandToPath();
    QString driveRootOf(const QString &path) const;
    void showCannotOpen(const QString &what, const QString &why);
    void showProblem(const QString &text);

    const host::Host m_host;
    std::optional<qint16> m_game; // the game it picks for, whose folders the drive box offers
    QString m_path;
    QList<host::Drive> m_drives; // the drives only, not the game folders after them in Drive1
    bool m_highlightOpenFolder = false;

    QFileSystemModel *m_folders;
    FolderChainFilter *m_chain;
    QTreeView *m_folderList;
    QComboBox *m_driveBox;
    QPushButton *m_doneButton;
    QLabel *m_problemLabel;
};
