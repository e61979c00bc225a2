#include "bindswindow.h"

#include "binds/bindline.h"
#include "binds/keynow.h"
#include "binds/replace.h"
#include "decorate/chatrender.h"

#include <QFileInfo>
#include <QHeaderView>
#include <QLabel>
#include <QLocale>
#include <QPushButton>
#include <QSet>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace {

// A chat text as the players see it: the colour codes taken out.
QString chatShown(const QByteArray &command)
{
    const QList<QByteArray> args = binds::consoleArguments(command);
    const QByteArray first = args.value(0).toLower();
    if (first != "say" && first != "say_team")
        return {};
    QString shown;
    for (const decorate::ColouredRun &run : decorate::colouredRuns(QString::fromLocal8Bit(args.mid(1).join(' ')), 0))
        shown += run.text;
    return shown;
}

QString number(qint64 n)
{
    return QLocale(QLocale::English).toString(n);
}

} // namespace

BindsWindow::BindsWindow(QWidget *mainWindow)
    : QWidget(mainWindow, Qt::Window)
{
    setObjectName(QStringLiteral("bindsWindow"));
    setAttribute(Qt::WA_DeleteOnClose);
    resize(560, 380);
    m_fileLabel = new QLabel(this);
    m_bindList = new QTreeWidget(this);
    m_bindList->setObjectName(QStringLiteral("bindList"));
    m_bindList->setAccessibleName(QStringLiteral("binds"));
    m_bindList->setHeaderLabels({QStringLiteral("Key"), QStringLiteral("Does"), QStringLiteral("Chat as the game shows it")});
    m_bindList->setRootIsDecorated(false);
    m_bindList->setSelectionMode(QAbstractItemView::ExtendedSelection);
    m_sizeLabel = new QLabel(this);
    m_sizeLabel->setObjectName(QStringLiteral("sizeLabel"));
    m_sizeLabel->setWordWrap(true);
    m_noteLabel = new QLabel(this);
    m_noteLabel->setObjectName(QStringLiteral("noteLabel"));
    m_noteLabel->setWordWrap(true);
    m_removeButton = new QPushButton(QStringLiteral("Remove the selected binds"), this);
    m_removeButton->setObjectName(QStringLiteral("removeButton"));
    auto *layout = new QVBoxLayout(this);
    for (QWidget *w : {static_cast<QWidget *>(m_fileLabel), static_cast<QWidget *>(m_bindList),
                       static_cast<QWidget *>(m_sizeLabel), static_cast<QWidget *>(m_noteLabel),
                       static_cast<QWidget *>(m_removeButton)})
        layout->addWidget(w);
    connect(m_removeButton, &QPushButton::clicked, this, &BindsWindow::removeSelected);
}

void BindsWindow::showFile(const QString &hostPath, const QString &shownPath)
{
    m_hostPath = hostPath;
    setWindowTitle(QStringLiteral("Binds in %1").arg(shownPath));
    m_fileLabel->setText(shownPath);
    m_noteLabel->clear();
    reload();
    show();
    raise();
    activateWindow();
}

void BindsWindow::reload()
{
    m_bindList->clear();
    m_read = {};
    QString error;
    if (!QFileInfo(m_hostPath).isFile()) {
        m_sizeLabel->setText(QStringLiteral("There is no autoexec.cfg here yet."));
        m_removeButton->setEnabled(false);
        return;
    }
    const std::optional<binds::ConfigFile> read = binds::readConfigFile(m_hostPath, &error);
    if (!read) {
        m_sizeLabel->setText(error);
        m_removeButton->setEnabled(false);
        return;
    }
    m_read = *read;
    // A bind another one of the same key follows does nothing: the game keeps the last.
    QSet<QByteArray> boundLater;
    QList<QTreeWidgetItem *> items;
    for (auto it = m_read.binds.crbegin(); it != m_read.binds.crend(); ++it) {
        const QByteArray key = it->key.toLower();
        auto *item = new QTreeWidgetItem({QString::fromLocal8Bit(it->key), binds::keyActionWords(it->command),
                                          chatShown(it->command)});
        if (boundLater.contains(key)) {
            item->setText(1, item->text(1) + QStringLiteral(" (no effect: a later line binds the key again)"));
            item->setForeground(0, palette().brush(QPalette::Disabled, QPalette::Text));
            item->setForeground(1, palette().brush(QPalette::Disabled, QPalette::Text));
        }
        boundLater.insert(key);
        items.prepend(item);
    }
    m_bindList->addTopLevelItems(items);
    m_bindList->header()->resizeSections(QHeaderView::ResizeToContents);
    m_sizeLabel->setText(QStringLiteral("%1 bytes. Quake III Arena 1.32 and the original RTCW read a file of up to %2 "
                                        "bytes, ioquake3 and iortcw up to %3.")
                             .arg(number(m_read.bytes.size()), number(binds::originalGamesFileLimit),
                                  number(binds::fileLimit)));
    m_removeButton->setEnabled(!m_read.binds.isEmpty());
}

void BindsWindow::removeSelected()
{
    QList<binds::ConfigBind> removed;
    for (QTreeWidgetItem *item : m_bindList->selectedItems())
        removed << m_read.binds.at(m_bindList->indexOfTopLevelItem(item));
    if (removed.isEmpty())
        return;
    QString error;
    const QByteArray listed = m_read.bytes;
    if (!binds::removeBinds(m_hostPath, m_read, removed, &error)) {
        reload();
        // A file that changed on disk is shown as it is now, and nothing was overwritten.
        if (m_read.bytes != listed)
            m_noteLabel->setText(QStringLiteral("The file changed since it was listed, so nothing was removed. "
                                                "The list shows it as it is now."));
        else
            emit problem(error);
        return;
    }
    m_noteLabel->setText(removed.size() == 1 ? QStringLiteral("Removed 1 bind.")
                                             : QStringLiteral("Removed %1 binds.").arg(removed.size()));
    reload();
    emit fileChanged();
}
