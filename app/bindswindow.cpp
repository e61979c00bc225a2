#include "bindswindow.h"

#include "bindlistmodel.h"
#include "controls.h"

#include "binds/engine/keys.h"
#include "binds/files/bindline.h"
#include "binds/files/bindremoval.h"
#include "host/folderstring.h"
#include "host/numbers.h"
#include "host/textencoding.h"

#include <QClipboard>
#include <QDateTime>
#include <QFileInfo>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QScrollBar>
#include <QSet>
#include <QShortcut>
#include <QStyle>
#include <QTreeView>
#include <QVBoxLayout>

BindsWindow::BindsWindow(binds::ChangeJournal &journal, QWidget *mainWindow)
    : QWidget(mainWindow, Qt::Window)
    , m_journal(journal)
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
    m_undoButton = new QPushButton(QStringLiteral("Undo the last change"), this);
    m_undoButton->setObjectName(QStringLiteral("undoButton"));
    m_undoButton->setEnabled(false);
    auto *layout = new QVBoxLayout(this);
    for (QWidget *w : {static_cast<QWidget *>(m_fileLabel), static_cast<QWidget *>(m_bindList),
                       static_cast<QWidget *>(m_sizeLabel), static_cast<QWidget *>(m_noteLabel)})
        layout->addWidget(w);
    auto *buttons = new QHBoxLayout;
    buttons->addWidget(m_removeButton);
    buttons->addWidget(m_undoButton);
    layout->addLayout(buttons);
    connect(m_removeButton, &QPushButton::clicked, this, &BindsWindow::removeSelected);
    connect(m_undoButton, &QPushButton::clicked, this, &BindsWindow::undoLastChange);
    connect(new QShortcut(QKeySequence::Undo, this), &QShortcut::activated, this, &BindsWindow::undoLastChange);
    connect(m_bindList, &QTreeView::doubleClicked, this, &BindsWindow::chooseCurrent);
    m_bindList->installEventFilter(this); // Delete, Enter and Copy in the list
    m_bindList->setToolTip(QStringLiteral("Double-click a bind, or press Enter on it, to change it in its panel."));
    resize(560, 380);
}

void BindsWindow::keyPressEvent(QKeyEvent *event)
{
    if (!closedByEscape(this, event))
        QWidget::keyPressEvent(event);
}

bool BindsWindow::eventFilter(QObject *watched, QEvent *event)
{
    // In the list: Delete removes the selected binds, as the button does; Enter changes the
    // current one, as a double click does; Copy takes whole rows, not one cell.
    if (watched == m_bindList && event->type() == QEvent::KeyPress) {
        const auto *key = static_cast<QKeyEvent *>(event);
        if (key->matches(QKeySequence::Delete)) {
            removeSelected();
            return true;
        }
        if (key->matches(QKeySequence::Copy)) {
            copySelected();
            return true;
        }
        if ((key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter) && key->modifiers() == Qt::NoModifier) {
            chooseCurrent();
            return true;
        }
    }
    return QWidget::eventFilter(watched, event);
}

void BindsWindow::showFile(const binds::StartRun &run, const QString &hostPath)
{
    m_noteLabel->clear();
    showRun(run, hostPath);
    fitColumns();
    if (!isVisible())
        placeBesideMainWindow();
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
    m_run = listed;
    m_listedFile = file;
    updateUndo();
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
    // The keys whole, however far down the longest stands: the first rows alone were measured.
    int keys = m_bindList->header()->sectionSize(0);
    const QFontMetrics metrics = m_bindList->fontMetrics();
    const int padding = 2 * m_bindList->style()->pixelMetric(QStyle::PM_FocusFrameHMargin) + metrics.averageCharWidth();
    QSet<QByteArray> measured;
    for (const binds::StartBind &bind : m_binds->binds()) {
        if (!measured.contains(bind.shown().key)) {
            measured << bind.shown().key;
            keys = std::max(keys, metrics.horizontalAdvance(host::fileBytesShown(bind.shown().key)) + padding);
        }
    }
    m_bindList->header()->resizeSection(0, keys);
    int columns = 0;
    for (int i = 0; i < m_binds->columnCount(); ++i)
        columns += m_bindList->header()->sectionSize(i);
    const int frame = m_bindList->frameWidth() * 2 + m_bindList->verticalScrollBar()->sizeHint().width();
    const int margins = layout()->contentsMargins().left() + layout()->contentsMargins().right();
    const QRect screen = (parentWidget() ? parentWidget()->screen() : this->screen())->availableGeometry();
    resize(std::clamp(columns + frame + margins, 560, screen.width() * 9 / 10), height());
}

QList<binds::StartBind> BindsWindow::selectedBinds() const
{
    QList<binds::StartBind> selected;
    QModelIndexList rows = m_bindList->selectionModel()->selectedRows();
    std::sort(rows.begin(), rows.end(), [](const QModelIndex &a, const QModelIndex &b) { return a.row() < b.row(); });
    for (const QModelIndex &row : std::as_const(rows))
        selected << m_binds->binds().at(row.row());
    return selected;
}

void BindsWindow::removeSelected()
{
    const QList<binds::StartBind> removed = selectedBinds();
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
    const std::optional<QByteArray> written =
        binds::removeBinds(m_hostPath, m_listedBytes, removed, m_binds->engines(), &error);
    if (!written) {
        emit problem(error);
        emit fileChanged(); // shown as it is now
        return;
    }
    const QString done =
        removed.size() == 1 ? QStringLiteral("removed 1 bind") : QStringLiteral("removed %1 binds").arg(removed.size());
    emit fileWritten({m_hostPath, true, m_listedBytes, *written, done, QDateTime::currentDateTime()});
    m_noteLabel->setText(done.at(0).toUpper() + done.mid(1) + QStringLiteral(". Ctrl+Z or Undo brings it back."));
    offerRemovalBefore(removed);
    emit fileChanged();
}

void BindsWindow::offerRemovalBefore(const QList<binds::StartBind> &removed)
{
    if (!m_asker || m_run.engines().isEmpty())
        return;
    const binds::ConsoleRules &rules = m_run.engines().first()->rules;
    QSet<int> keys;
    for (const binds::StartBind &bind : removed) {
        if (const std::optional<int> number = binds::keyNumber(bind.shown().key, rules))
            keys << *number;
    }
    for (int file = 0; file < m_listedFile; ++file) {
        const binds::StartFile &before = m_run.files().at(file);
        if (!before.read || !before.execName.isEmpty())
            continue;
        QList<binds::StartBind> binding; // the binds there that would bind a removed key again
        QStringList named;
        for (const binds::StartBind &bind : m_run.bindsIn(file)) {
            const binds::BindFate fate = bind.fateIn(0);
            const std::optional<int> number = binds::keyNumber(bind.shown().key, rules);
            if ((fate == binds::BindFate::Runs || fate == binds::BindFate::Overridden) && number
                && keys.contains(*number)) {
                binding << bind;
                named << QString::fromLatin1(bind.shown().key);
            }
        }
        if (binding.isEmpty())
            continue;
        named.removeDuplicates();
        const QString shown = host::shownPath(before.path);
        const QString question =
            QStringLiteral("The game's own \"%1\" binds %2 too, so the key will do that at the game's next start. "
                           "Remove %3 there as well?\n\nThe game writes \"%4\" again from its memory when it quits: "
                           "quit the game first, or it puts the bind back. No leaves \"%4\" as it is.")
                .arg(shown, named.join(QStringLiteral(", ")),
                     binding.size() == 1 ? QStringLiteral("that bind") : QStringLiteral("those binds"),
                     QFileInfo(before.path).fileName());
        if (m_asker({binds::Question::RemoveFromConfig, question, false}) != binds::Answer::Yes)
            continue;
        QString error;
        const std::optional<QByteArray> written =
            binds::removeBinds(before.path, before.bytes, binding, m_run.engines(), &error);
        if (!written) {
            emit problem(error);
            continue;
        }
        const QString done = QStringLiteral("removed the bind of %1").arg(named.join(QStringLiteral(", ")));
        emit fileWritten({before.path, true, before.bytes, *written, done, QDateTime::currentDateTime()});
        m_noteLabel->setText(m_noteLabel->text()
                             + QStringLiteral(" Also removed from \"%1\".").arg(QFileInfo(before.path).fileName()));
    }
}

QStringList BindsWindow::undoablePaths() const
{
    QStringList paths {m_hostPath};
    for (const binds::StartFile &file : m_run.files())
        paths << file.path;
    return paths;
}

void BindsWindow::updateUndo()
{
    const std::optional<binds::FileChange> last = m_journal.newest(undoablePaths());
    m_undoButton->setEnabled(last.has_value());
    m_undoButton->setToolTip(
        last ? QStringLiteral("Undo: %1 in \"%2\" (Ctrl+Z)").arg(last->what, host::shownPath(last->path))
             : QStringLiteral("Bindwright has changed nothing here that it can undo."));
}

void BindsWindow::undoLastChange()
{
    const std::optional<binds::FileChange> last = m_journal.newest(undoablePaths());
    if (!last) {
        m_noteLabel->setText(QStringLiteral("Nothing to undo: Bindwright has not changed this file."));
        return;
    }
    QString error;
    if (!m_journal.undo(*last, &error)) {
        emit problem(error);
        return;
    }
    m_noteLabel->setText(QStringLiteral("Undone: %1 in \"%2\".").arg(last->what, host::shownPath(last->path)));
    emit fileChanged();
    updateUndo();
}

void BindsWindow::copySelected() const
{
    // Each bind as the file holds it, one to a line: ready to paste into another file.
    QStringList lines;
    for (const binds::StartBind &bind : selectedBinds()) {
        const QByteArray command = m_listedBytes.mid(bind.shown().begin, bind.shown().end - bind.shown().begin);
        lines << host::fromFileEncoding(command.trimmed()).value_or(host::fileBytesShown(command.trimmed()));
    }
    if (!lines.isEmpty())
        QGuiApplication::clipboard()->setText(lines.join(u'\n') + u'\n');
}

void BindsWindow::chooseCurrent()
{
    const QModelIndex current = m_bindList->currentIndex();
    if (!current.isValid())
        return;
    const binds::ConfigBind &bind = m_binds->binds().at(current.row()).shown();
    const QString key = host::fromFileEncoding(bind.key).value_or(host::fileBytesShown(bind.key));
    emit bindChosen(key, host::fromFileEncoding(bind.command).value_or(host::fileBytesShown(bind.command)));
    m_noteLabel->setText(QStringLiteral("The bind of %1 is in its panel now: change it there, and Add replaces it "
                                        "where it stands.")
                             .arg(key));
}

void BindsWindow::placeBesideMainWindow()
{
    QWidget *main = parentWidget();
    if (!main)
        return;
    const QRect screen = main->screen()->availableGeometry();
    const QRect beside = main->frameGeometry();
    const int frame = frameGeometry().width() - width(); // the window manager's borders
    QPoint at(beside.right() + 1, beside.top());
    if (at.x() + width() + frame > screen.right())
        at.setX(beside.left() - width() - frame); // no room to the right: to the left
    at.setX(std::clamp(at.x(), screen.left(), std::max(screen.left(), screen.right() - width() - frame)));
    at.setY(std::clamp(at.y(), screen.top(), std::max(screen.top(), screen.bottom() - height())));
    move(at);
}
