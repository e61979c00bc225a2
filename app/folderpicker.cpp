#include "folderpicker.h"

#include "appearance.h"
#include "controls.h"
#include "layout.h"

#include "binds/folders/gamefolders.h"
#include "host/drives.h"

#include <QComboBox>
#include <QDir>
#include <QFileSystemModel>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QSortFilterProxyModel>
#include <QTreeView>

namespace {

QString parentOf(const QString &path)
{
    return QFileInfo(path).path();
}

} // namespace

// Keeps what the folder list shows: the folders from the drive's root down to the open
// folder, and the open folder's subfolders.
class FolderChainFilter : public QSortFilterProxyModel
{
public:
    using QSortFilterProxyModel::QSortFilterProxyModel;

    void setOpenFolder(const QString &path)
    {
        m_open = QDir::cleanPath(path);
        invalidateFilter();
    }

    // Only the open chain unfolds: a subfolder opens with a double click, not an arrow.
    bool hasChildren(const QModelIndex &parent) const override
    {
        if (parent.isValid() && !host::isAncestorOrSelf(pathOf(mapToSource(parent)), m_open))
            return false;
        return QSortFilterProxyModel::hasChildren(parent);
    }

protected:
    bool filterAcceptsRow(int row, const QModelIndex &parent) const override
    {
        const QString path = pathOf(sourceModel()->index(row, 0, parent));
        return host::isAncestorOrSelf(path, m_open) || QDir::cleanPath(parentOf(path)) == m_open;
    }

private:
    QString pathOf(const QModelIndex &sourceIndex) const
    {
        return QDir::cleanPath(static_cast<const QFileSystemModel *>(sourceModel())->filePath(sourceIndex));
    }

    QString m_open;
};

FolderPicker::FolderPicker(const host::Host &host, QWidget *mainWindow)
    : QWidget(mainWindow, Qt::Window)
    , m_host(host)
{
    setObjectName(QStringLiteral("Form2"));
    setWindowTitle(QStringLiteral("Find Game Folder"));
    setAttribute(Qt::WA_DeleteOnClose); // closing unloads it; the next "..." starts afresh
    setFixedSize(fromTwips(4215), fromTwips(5175));
    setFont(layoutFont()); // the fixed layout holds only in its own font

    m_folders = new QFileSystemModel(this);
    // Hidden too: ioquake3, iortcw and OpenArena keep their files in ~/.q3a and its kin.
    m_folders->setFilter(QDir::AllDirs | QDir::NoDotAndDotDot | QDir::Drives | QDir::Hidden);
    m_folders->setReadOnly(true);
    m_chain = new FolderChainFilter(this);
    m_chain->setSourceModel(m_folders);

    m_folderList = place(new QTreeView(this), "Dir1", twipsRect(0, 0, 4215, 4365));
    m_folderList->setModel(m_chain);
    m_folderList->setHeaderHidden(true);
    for (int column = 1; column < m_folders->columnCount(); ++column)
        m_folderList->hideColumn(column);
    m_folderList->setExpandsOnDoubleClick(false); // a double click opens, it does not fold
    m_folderList->setItemsExpandable(false);
    m_folderList->installEventFilter(this);

    m_driveBox = place(new QComboBox(this), "Drive1", twipsRect(0, 4440, 4215, 315));
    m_doneButton = place(new QPushButton(QStringLiteral("Done"), this), "Command1", twipsRect(0, 4800, 4215, 375));
    m_doneButton->setAutoDefault(false);

    // A word about a drive or folder that cannot be opened, over the foot of the list.
    m_problemLabel = place(new QLabel(this), "problem", twipsRect(0, 3705, 4215, 660));
    m_problemLabel->setWordWrap(true);
    m_problemLabel->setAutoFillBackground(true);
    m_problemLabel->setBackgroundRole(QPalette::ToolTipBase);
    m_problemLabel->setForegroundRole(QPalette::ToolTipText);
    m_problemLabel->hide();

    m_folderList->setAccessibleName(QStringLiteral("folders"));
    m_driveBox->setAccessibleName(QStringLiteral("drives and game folders"));
    m_doneButton->setAccessibleName(QStringLiteral("Done: use the open folder"));

    QWidget::setTabOrder(m_folderList, m_driveBox);
    QWidget::setTabOrder(m_driveBox, m_doneButton);

    connect(m_driveBox, &QComboBox::activated, this, &FolderPicker::openChosenDrive);
    connect(m_doneButton, &QPushButton::clicked, this, &FolderPicker::choose);
    connect(m_folderList, &QTreeView::doubleClicked, this, &FolderPicker::openFolderAt);
    // Folders arrive as the model reads them; keep the open chain unfolded.
    connect(m_chain, &QAbstractItemModel::rowsInserted, this, &FolderPicker::expandToPath);
    connect(m_folders, &QFileSystemModel::directoryLoaded, this, &FolderPicker::expandToPath);

    fillDrives();
    openStartFolder();
}

FolderPicker::~FolderPicker() = default;

void FolderPicker::fillDrives()
{
    // The drives, then the game folders found on this machine; either moves the list there.
    m_drives = host::drives(m_host);
    for (const host::Drive &drive : std::as_const(m_drives))
        m_driveBox->addItem(drive.name, drive.rootPath);
    m_driveBox->setCurrentIndex(int(host::driveHolding(m_drives, QDir::currentPath()).value_or(-1)));
}

void FolderPicker::offerGameFolders()
{
    const int shown = m_driveBox->currentIndex();
    while (m_driveBox->count() > m_drives.size())
        m_driveBox->removeItem(m_driveBox->count() - 1);
    const binds::Game &game = *m_game == binds::quake3Game().pickerFlag ? binds::quake3Game() : binds::rtcwGame();
    // A long entry is cut in the middle, whole in its tooltip and for screen readers.
    const int room = m_driveBox->width() - m_driveBox->iconSize().width() - 8;
    for (const host::Drive &found : binds::gameFolders(m_host, &game)) {
        m_driveBox->addItem(m_driveBox->fontMetrics().elidedText(found.name, Qt::ElideMiddle, room), found.rootPath);
        m_driveBox->setItemData(m_driveBox->count() - 1, found.name, Qt::ToolTipRole);
        m_driveBox->setItemData(m_driveBox->count() - 1, found.name, Qt::AccessibleTextRole);
    }
    m_driveBox->setCurrentIndex(shown < m_drives.size() ? shown : -1);
}

void FolderPicker::openStartFolder()
{
    // The list starts at drive c:; without one, at the player's home folder.
    QString noDriveC;
    const std::optional<QString> start = host::toHostPath(QStringLiteral("c:\\"), m_host, &noDriveC);
    if (!start || !setPath(*start))
        setPath(QDir::homePath());
    // The drive box names the drive the list starts on.
    if (const std::optional<qsizetype> drive = host::driveHolding(m_drives, m_path))
        m_driveBox->setCurrentIndex(int(*drive));
    m_folderList->setFocus();
}

void FolderPicker::pickFor(qint16 game)
{
    if (m_game != game) {
        m_game = game;
        offerGameFolders();
    }
    show();
    raise();
    activateWindow();
}

bool FolderPicker::setPath(const QString &hostPath, QString *error)
{
    const QFileInfo folder(hostPath);
    QString why;
    if (!folder.exists())
        why = QStringLiteral("it is not there, or its drive is not ready");
    else if (!folder.isDir())
        why = QStringLiteral("it is a file, not a folder");
    else if (!folder.isReadable() || !QDir(hostPath).isReadable())
        why = QStringLiteral("you may not open that folder");
    if (!why.isEmpty()) {
        if (error)
            *error = why;
        return false;
    }
    m_problemLabel->hide();
    m_path = QDir::cleanPath(folder.absoluteFilePath());
    m_highlightOpenFolder = true;
    m_chain->setOpenFolder(m_path);
    m_folders->setRootPath(m_path);
    expandToPath();
    return true;
}

QString FolderPicker::driveRootOf(const QString &path) const
{
    const std::optional<qsizetype> drive = host::driveHolding(m_drives, path);
    return drive ? QDir::cleanPath(m_drives.at(*drive).rootPath) : QStringLiteral("/");
}

void FolderPicker::expandToPath()
{
    // The list starts at the drive's root, whatever lies above it on the host.
    const QModelIndex driveRoot = m_folders->index(driveRootOf(m_path));
    m_folderList->setRootIndex(m_chain->mapFromSource(driveRoot.parent()));
    const QModelIndex open = m_chain->mapFromSource(m_folders->index(m_path));
    if (!open.isValid())
        return;
    // Once, when the folder opens: later, as folders load, the highlight is the player's.
    if (m_highlightOpenFolder) {
        m_folderList->setCurrentIndex(open);
        m_highlightOpenFolder = false;
    }
    for (QModelIndex i = open; i.isValid(); i = i.parent())
        m_folderList->expand(i);
}

void FolderPicker::showCannotOpen(const QString &what, const QString &why)
{
    // A long path is cut in its middle to keep the cause in sight; the whole is the tooltip.
    const QString whole = QStringLiteral("%1 cannot be opened: %2. The list stays where it was.").arg(what, why);
    const QString shortWhat = m_problemLabel->fontMetrics().elidedText(what, Qt::ElideMiddle, m_problemLabel->width());
    showProblem(QStringLiteral("%1 cannot be opened: %2. The list stays where it was.").arg(shortWhat, why));
    m_problemLabel->setToolTip(whole);
}

void FolderPicker::showProblem(const QString &text)
{
    m_problemLabel->setText(text);
    m_problemLabel->setToolTip(text);
    m_problemLabel->show();
    m_problemLabel->raise();
}

void FolderPicker::openFolderAt(const QModelIndex &index)
{
    if (!index.isValid())
        return;
    const QString folder = m_folders->filePath(m_chain->mapToSource(index));
    if (QString why; !setPath(folder, &why))
        showCannotOpen(QStringLiteral("\"%1\"").arg(host::shownPath(folder)), why);
}

void FolderPicker::keyPressEvent(QKeyEvent *event)
{
    if (!closedByEscape(this, event))
        QWidget::keyPressEvent(event);
}

bool FolderPicker::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == m_folderList && event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent *>(event)->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter) {
            openFolderAt(m_folderList->currentIndex());
            return true;
        }
    }
    return QWidget::eventFilter(watched, event);
}

void FolderPicker::openChosenDrive()
{
    if (QString why; !setPath(m_driveBox->currentData().toString(), &why))
        showCannotOpen(QStringLiteral("Drive %1").arg(m_driveBox->currentText()), why);
}

void FolderPicker::choose()
{
    QString error;
    const std::optional<QString> picked = host::folderStringFor(m_path, m_host, &error);
    if (!picked) {
        showProblem(error);
        return;
    }
    emit folderChosen(m_game.value_or(0), host::withFinalSeparator(*picked, m_host.style));
    close();
}
