#include "form2.h"

#include "appearance.h"
#include "layout.h"

#include "host/drives.h"
#include "host/gamefolders.h"

#include <QComboBox>
#include <QDir>
#include <QFileSystemModel>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
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

Form2::Form2(QLineEdit *quake3Dir, QLineEdit *rtcwDir, const host::Host &host, QWidget *mainWindow)
    : QWidget(mainWindow, Qt::Window)
    , m_quake3Dir(quake3Dir)
    , m_rtcwDir(rtcwDir)
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

    Dir1 = place(new QTreeView(this), "Dir1", twipsRect(0, 0, 4215, 4365));
    Dir1->setModel(m_chain);
    Dir1->setHeaderHidden(true);
    for (int column = 1; column < m_folders->columnCount(); ++column)
        Dir1->hideColumn(column);
    Dir1->setExpandsOnDoubleClick(false); // a double click opens, it does not fold
    Dir1->setItemsExpandable(false);
    Dir1->installEventFilter(this);

    Drive1 = place(new QComboBox(this), "Drive1", twipsRect(0, 4440, 4215, 315));
    Command1 = place(new QPushButton(QStringLiteral("Done"), this), "Command1", twipsRect(0, 4800, 4215, 375));
    Command1->setAutoDefault(false);

    // A word about a drive or folder that cannot be opened, over the foot of the list.
    problem = place(new QLabel(this), "problem", twipsRect(0, 3705, 4215, 660));
    problem->setWordWrap(true);
    problem->setAutoFillBackground(true);
    problem->setBackgroundRole(QPalette::ToolTipBase);
    problem->setForegroundRole(QPalette::ToolTipText);
    problem->hide();

    Dir1->setAccessibleName(QStringLiteral("folders"));
    Drive1->setAccessibleName(QStringLiteral("drives and game folders"));
    Command1->setAccessibleName(QStringLiteral("Done: use the open folder"));

    QWidget::setTabOrder(Dir1, Drive1);
    QWidget::setTabOrder(Drive1, Command1);

    connect(Drive1, &QComboBox::activated, this, &Form2::Drive1_Change);
    connect(Command1, &QPushButton::clicked, this, &Form2::Command1_Click);
    connect(Dir1, &QTreeView::doubleClicked, this, &Form2::Dir1_Open);
    // Folders arrive as the model reads them; keep the open chain unfolded.
    connect(m_chain, &QAbstractItemModel::rowsInserted, this, &Form2::expandToPath);
    connect(m_folders, &QFileSystemModel::directoryLoaded, this, &Form2::expandToPath);

    fillDrives();
    Form_Load();
}

Form2::~Form2() = default;

void Form2::fillDrives()
{
    // The drives, then the game folders found on this machine; either moves the list there.
    m_drives = host::drives(m_host);
    for (const host::Drive &drive : std::as_const(m_drives))
        Drive1->addItem(drive.name, drive.rootPath);
    for (const host::Drive &game : host::gameFolders(m_host))
        Drive1->addItem(game.name, game.rootPath);
    Drive1->setCurrentIndex(int(host::driveHolding(m_drives, QDir::currentPath())));
}

void Form2::Form_Load()
{
    // The list starts at drive c:; without one, at the player's home folder.
    const host::HostPath start = host::toHostPath(QStringLiteral("c:\\"), m_host);
    if (!start.ok() || !setPath(start.path))
        setPath(QDir::homePath());
    Dir1->setFocus();
}

void Form2::GetDir(qint16 game)
{
    m_game = game;
    show();
    raise();
    activateWindow();
}

bool Form2::setPath(const QString &hostPath)
{
    const QFileInfo folder(hostPath);
    if (!folder.isDir() || !folder.isReadable() || !QDir(hostPath).isReadable())
        return false;
    problem->hide();
    m_path = QDir::cleanPath(folder.absoluteFilePath());
    m_highlightOpenFolder = true;
    m_chain->setOpenFolder(m_path);
    m_folders->setRootPath(m_path);
    expandToPath();
    return true;
}

QString Form2::driveRootOf(const QString &path) const
{
    const qsizetype drive = host::driveHolding(m_drives, path);
    return drive < 0 ? QStringLiteral("/") : QDir::cleanPath(m_drives.at(drive).rootPath);
}

void Form2::expandToPath()
{
    // The list starts at the drive's root, whatever lies above it on the host.
    const QModelIndex driveRoot = m_folders->index(driveRootOf(m_path));
    Dir1->setRootIndex(m_chain->mapFromSource(driveRoot.parent()));
    const QModelIndex open = m_chain->mapFromSource(m_folders->index(m_path));
    if (!open.isValid())
        return;
    // Once, when the folder opens: later, as folders load, the highlight is the player's.
    if (m_highlightOpenFolder) {
        Dir1->setCurrentIndex(open);
        m_highlightOpenFolder = false;
    }
    for (QModelIndex i = open; i.isValid(); i = i.parent())
        Dir1->expand(i);
}

void Form2::showCannotOpen(const QString &what)
{
    showProblem(QStringLiteral("%1 cannot be opened: it is not there or not ready. "
                               "The list stays where it was.")
                    .arg(what));
}

void Form2::showProblem(const QString &text)
{
    problem->setText(text);
    problem->show();
    problem->raise();
}

void Form2::Dir1_Open(const QModelIndex &index)
{
    if (!index.isValid())
        return;
    const QString folder = m_folders->filePath(m_chain->mapToSource(index));
    if (!setPath(folder))
        showCannotOpen(QStringLiteral("\"%1\"").arg(folder));
}

bool Form2::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == Dir1 && event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent *>(event)->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter) {
            Dir1_Open(Dir1->currentIndex());
            return true;
        }
    }
    return QWidget::eventFilter(watched, event);
}

void Form2::Drive1_Change()
{
    if (!setPath(Drive1->currentData().toString()))
        showCannotOpen(QStringLiteral("Drive %1").arg(Drive1->currentText()));
}

void Form2::Command1_Click()
{
    QString error;
    const std::optional<QString> picked = host::folderStringFor(m_path, m_host, &error);
    if (!picked) {
        showProblem(error);
        return;
    }
    const QString folder = host::withFinalSeparator(*picked, m_host.style);
    QLineEdit *box = m_game == -1 ? m_quake3Dir.data() : m_game == 0 ? m_rtcwDir.data() : nullptr;
    if (box)
        box->setText(folder);
    close();
}
