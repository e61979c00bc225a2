#pragma once

#include "binds/configfile.h"

#include <QWidget>

class QLabel;
class QPushButton;
class QTreeWidget;

// The binds of one autoexec.cfg: each key, what it does, its chat as the game shows it,
// and the binds a later line overrides, which have no effect. The player removes
// selected binds; every other byte of the file stays.
class BindsWindow : public QWidget
{
    Q_OBJECT

public:
    explicit BindsWindow(QWidget *mainWindow);

    // Lists the file at hostPath, as shownPath names it to the player.
    void showFile(const QString &hostPath, const QString &shownPath);

signals:
    void problem(const QString &message);
    // The file was rewritten: what a key does now may have changed.
    void fileChanged();

private:
    void reload();
    void removeSelected();

    QString m_hostPath;
    binds::ConfigFile m_read;
    QLabel *m_fileLabel;
    QTreeWidget *m_bindList;
    QLabel *m_sizeLabel;
    QLabel *m_noteLabel;
    QPushButton *m_removeButton;
};
