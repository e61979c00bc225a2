#include "bindswindow.h"

#include "bindlistmodel.h"
#include "controls.h"

#include "binds/files/bindline.h"
#include "binds/files/bindremoval.h"
#include "host/folderstring.h"
#include "host/numbers.h"

#include <QFileInfo>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QScrollBar>
#include <QScreen>
#include <QKeyEvent>
#include <QTreeView>
#include <QVBoxLayout>

BindsWindow::BindsWindow(QWidget *mainWindow)
    : QWidget(mainWindow, Qt::Window)
{
    setObjectName(QStringLiteral("bindsWindow"));
    setAttribute(Qt::WA_DeleteOnClose);
    m_fileLabel = new QLabel(this);
    m_fileLabel->setObjectName(QStringLiteral("fileLabel"));
    m_binds = new BindListModel(this);
    m_bindList = new QTreeView(this);
    m_bindList->setObjectName(QStringLiteral("bindList"));
    m_bindList->setAccessibleName(QStringLiteral("binds"));
    m_bindList->setModel(m_binds);
    m_bindList->setRootIsDecorated(false);
    // A list of thousands opens at once: rows of one height, columns fitted to the first rows.
    m_bindList->setUniformRowHeights(true);
    m_bindList->header()->setResizeContentsPrecision(50);
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
    for (QWidget *w :
         {static_cast<QWidget *>(m_fileLabel), static_cast<QWidget *>(m_bindList), static_cast<QWidget *>(m_sizeLabel),
          static_cast<QWidget *>(m_noteLabel), static_cast<QWidget *>(m_removeButton)})
        layout->addWidget(w);
    connect(m_removeButton, &QPushButton::clicked, this, &BindsWindow::removeSelected);
    m_bindList->installEventFilter(this); // Delete in the list
    resize(560, 380);
}

void BindsWindow::keyPressEvent(QKeyEvent *event)
{
    if (!closedByEscape(this, event))
        QWidget::keyPressEvent(event);
}

bool BindsWindow::eventFilter(QObject *watched, QEvent *event)
{
    // Delete in the list removes the selected binds, as the button does.
    if (watched == m_bindList && event->type() == QEvent::KeyPress
        && static_cast<QKeyEvent *>(event)->matches(QKeySequence::Delete)) {
        removeSelected();
        return true;
    }
    return QWidget::eventFilter(watched, event);
}

void BindsWindow::showFile(const binds::StartRun &run, const QString &hostPath)
{
    m_noteLabel->clear();
    showRun(run, hostPath);
    fitColumns();
    show();
    raise();
    activateWindow();
}

void BindsWindow::showRun(const binds::StartRun &run, const QString &hostPath)
{
    const QFileInfo info(hostPath);
    const std::optional<int> index = run.fileIndex(hostPath);
    // A file the game does not run at start is listed on its own.
    const binds::StartRun own =
        index || !info.isFile() ? binds::StartRun() : binds::StartRun::read({hostPath}, run.engines());
    const binds::StartRun &listed = index ? run : own;
    const int file = index.value_or(0);
    const bool readable = info.isFile() && !listed.files().isEmpty() && listed.files().at(file).read;
    // Read again as it was (a change elsewhere in the folder): the list and its selection stay.
    if (readable && m_listing && hostPath == m_hostPath && listed.files().at(file).bytes == m_listedBytes)
        return;

    m_hostPath = hostPath;
    const QString shown = host::shownPath(hostPath);
    setWindowTitle(QStringLiteral("Binds in %1").arg(shown));
    // A long path is cut in the middle, whole in the tooltip: the window stays on the screen.
    m_fileLabel->setText(m_fileLabel->fontMetrics().elidedText(shown, Qt::ElideMiddle, 520));
    m_fileLabel->setToolTip(shown);
    m_binds->setBinds({}, listed.engines());
    m_listedBytes.clear();
    m_listing = false;
    m_removeButton->setEnabled(false);

    if (info.isDir()) {
        m_sizeLabel->setText(QStringLiteral("A folder named autoexec.cfg stands where the file should be, so the game "
                                            "runs no autoexec.cfg here. Rename or move that folder."));
        return;
    }
    if (!info.exists()) {
        m_sizeLabel->setText(QStringLiteral("There is no autoexec.cfg here yet."));
        return;
    }
    const binds::StartFile &read = listed.files().at(file);
    if (!read.read) {
        m_sizeLabel->setText(read.error);
        return;
    }
    m_listing = true;
    m_listedBytes = read.bytes;
    m_binds->setBinds(listed.bindsIn(file), listed.engines());
    if (m_listedBytes.isEmpty()) {
        m_sizeLabel->setText(QStringLiteral("autoexec.cfg is empty: it binds no key yet."));
        return;
    }
    QString size = QStringLiteral("%1 bytes. %2.")
                       .arg(host::englishNumber(m_listedBytes.size()), binds::fileLimitsOf(listed.engines()));
    if (const qsizetype nul = m_listedBytes.indexOf('\0'); nul >= 0) {
        size += QStringLiteral(" The games read nothing after the invisible null character on line %1.")
                    .arg(host::englishNumber(binds::lineNumberAt(m_listedBytes, nul)));
    }
    m_sizeLabel->setText(size);
    m_removeButton->setEnabled(m_binds->rowCount() > 0);
}

void BindsWindow::fitColumns()
{
    m_bindList->header()->resizeSections(QHeaderView::ResizeToContents);
    int columns = 0;
    for (int i = 0; i < m_binds->columnCount(); ++i)
        columns += m_bindList->header()->sectionSize(i);
    const int frame = m_bindList->frameWidth() * 2 + m_bindList->verticalScrollBar()->sizeHint().width();
    const int margins = layout()->contentsMargins().left() + layout()->contentsMargins().right();
    const QRect screen = (parentWidget() ? parentWidget()->screen() : this->screen())->availableGeometry();
    resize(std::clamp(columns + frame + margins, 560, screen.width() * 9 / 10), height());
}

void BindsWindow::removeSelected()
{
    QList<binds::StartBind> removed;
    for (const QModelIndex &row : m_bindList->selectionModel()->selectedRows())
        removed << m_binds->binds().at(row.row());
    if (removed.isEmpty())
        return;
    // A whole selection goes only when the player says so (Ctrl+A, Delete takes every bind).
    if (removed.size() > 1) {
        const QString question = QStringLiteral("Remove these %1 binds from \"%2\"? Every other line of the file "
                                                "stays. No keeps the file as it is.")
                                     .arg(removed.size())
                                     .arg(host::shownPath(m_hostPath));
        if (!m_asker || m_asker({binds::Question::RemoveSeveral, question, false}) != binds::Answer::Yes)
            return;
    }
    QString error;
    if (!binds::removeBinds(m_hostPath, m_listedBytes, removed, m_binds->engines(), &error)) {
        emit problem(error);
        emit fileChanged(); // shown as it is now
        return;
    }
    m_noteLabel->setText(removed.size() == 1 ? QStringLiteral("Removed 1 bind.")
                                             : QStringLiteral("Removed %1 binds.").arg(removed.size()));
    emit fileChanged();
}
