#include "mainwindow.h"

#include "appearance.h"
#include "bindswindow.h"
#include "chatpreview.h"
#include "controls.h"
#include "folderpicker.h"
#include "keyboardwindow.h"
#include "layout.h"
#include "messagetext.h"
#include "quake3panel.h"
#include "rtcwpanel.h"
#include "version.h"

#include <QCloseEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QShortcut>
#include <QTimer>

MainWindow::MainWindow(const host::Host &host, const settings::Places &settingsPlaces, const QString &journalFolder,
                       QWidget *parent)
    : QWidget(parent)
    , m_host(host)
    , m_settings(settingsPlaces)
    , m_journal(journalFolder)
{
    setObjectName(QStringLiteral("Form1"));
    setWindowTitle(QLatin1String(bindwrightCaption));
    setFixedSize(fromTwips(11205), fromTwips(5445)); // the design's 5025, and a row for the engines
    // A fixed layout offers no Maximize: minimize and close only.
    setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint
                   | Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint);
    setFont(layoutFont()); // the fixed layout holds only in its own font
    m_chatPreview = new ChatPreviewPopup(this);

    m_quake3Panel = new Quake3Panel(quake3Layout(), m_jazzRandom, m_host, this);
    m_rtcwPanel = new RtcwPanel(rtcwLayout(), m_jazzRandom, m_host, this);
    m_statusEdit = lineEdit(this, "Text2", QStringLiteral("Status:"), twipsRect(0, 4320, 11175, 285));
    m_statusEdit->setReadOnly(true);
    m_statusEdit->setAccessibleName(QStringLiteral("Status"));
    m_creditsLabel =
        label(this, "Label2", QStringLiteral("Made by the Bindwright team, 2026"), twipsRect(2880, 4680, 5535, 255));
    connectPanel(m_quake3Panel);
    connectPanel(m_rtcwPanel);
    setAsker([this](const binds::PlannedQuestion &question) {
        // The platform's own buttons: Yes goes ahead, No or Escape writes nothing; the
        // mod's first file has No for the bind alone, and Escape cancels.
        const QMessageBox::StandardButtons buttons = question.hasCancel
            ? QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel
            : QMessageBox::Yes | QMessageBox::No;
        const QMessageBox::StandardButton answer =
            QMessageBox::question(this, windowTitle(), breakingPathsAtSeparators(question.text), buttons,
                                  question.hasCancel ? QMessageBox::Yes : QMessageBox::No);
        return answer == QMessageBox::Yes ? binds::Answer::Yes
            : answer == QMessageBox::No   ? binds::Answer::No
                                          : binds::Answer::Cancel;
    });
    setTabOrder();

    m_rtcwPanel->fillVoiceList();
    loadSettings();
    // A changed root is saved soon after, not only at a clean exit: a logout ends the program
    // with a signal.
    m_saveSoon = new QTimer(this);
    m_saveSoon->setSingleShot(true);
    m_saveSoon->setInterval(1000);
    connect(m_saveSoon, &QTimer::timeout, this, &MainWindow::saveSettings);
    for (GamePanel *panel : {static_cast<GamePanel *>(m_quake3Panel), static_cast<GamePanel *>(m_rtcwPanel)})
        connect(panel, &GamePanel::rootOrEngineChanged, m_saveSoon, qOverload<>(&QTimer::start));
    // In a text box Ctrl+Z undoes the typing, as everywhere; elsewhere the last file change.
    connect(new QShortcut(QKeySequence::Undo, this), &QShortcut::activated, this, &MainWindow::undoLastChange);
    findChild<QWidget *>(QStringLiteral("txtkey"))->setFocus();
}

MainWindow::~MainWindow() = default;

void MainWindow::connectPanel(GamePanel *panel)
{
    connect(panel, &GamePanel::problem, this, &MainWindow::report);
    connect(panel, &GamePanel::bindWritten, this, &MainWindow::appendStatus);
    connect(panel, &GamePanel::nothingWritten, this, &MainWindow::appendStatus);
    connect(panel, &GamePanel::keyNamed, this, &MainWindow::appendStatus);
    connect(panel, &GamePanel::fileWritten, this, &MainWindow::keepChange);
    connect(panel, &GamePanel::pickFolderRequested, this, [this, panel] { openFolderPicker(panel); });
    connect(panel, &GamePanel::bindsWindowRequested, this, [this, panel] { openBindsWindow(panel); });
    connect(panel, &GamePanel::keyboardWindowRequested, this, [this, panel] { openKeyboardWindow(panel); });
    // For a moment, under the box: the player sees what the click did.
    connect(panel, &GamePanel::decorated, this,
            [this](QLineEdit *box) { m_chatPreview->showUnder(box, box->toolTip()); });
}

void MainWindow::setTabOrder()
{
    // Across both panels and the status box, as the design numbers them.
    static const char *const order[] = {
        "txtkey",
        "txtsay",
        "Command1",
        "Command2",
        "Command3",
        "Command4",
        "Command5",
        "Command6",
        "Command7",
        "Command8",
        "Command9",
        "Text2",
        "Option3",
        "Option4",
        "Command10",
        "Command11",
        "Command12",
        "txtmod",
        "Option5",
        "Option2",
        "Option1",
        "Text1",
        "txtwolfdir",
        "txtwolfkey",
        "OptVoice",
        "OptSay",
        "CboVoice",
        "Command13",
        "Option7",
        "Option6",
        "txtwolfsay",
        "Command14",
        "Command15",
        "Command16",
        "Command17",
        "Command18",
        "Command19",
        "Command20",
        "Command21",
        "Command22",
        "Command23",
        "Command24",
        "Command25",
        // Beyond the design, last: the lists of binds.
        "quake3Binds",
        "rtcwBinds",
        "quake3Engine",
        "quake3Keys",
        "rtcwEngine",
        "rtcwKeys",
    };
    QWidget *previous = nullptr;
    for (const char *name : order) {
        QWidget *control = findChild<QWidget *>(QLatin1String(name));
        Q_ASSERT(control);
        if (previous)
            QWidget::setTabOrder(previous, control);
        previous = control;
    }
}

void MainWindow::setAsker(const GamePanel::Asker &asker)
{
    m_asker = asker;
    if (m_bindsWindow)
        m_bindsWindow->setAsker(asker);
    m_quake3Panel->setAsker(asker);
    m_rtcwPanel->setAsker(asker);
}

void MainWindow::setReporter(Reporter reporter)
{
    m_reporter = std::move(reporter);
}

void MainWindow::report(const QString &message)
{
    reportOver(this, message);
}

void MainWindow::reportOver(QWidget *window, const QString &message)
{
    if (m_reporter)
        m_reporter(message);
    else
        QMessageBox::warning(window, windowTitle(), breakingPathsAtSeparators(message));
}

void MainWindow::appendStatus(const QString &note)
{
    m_statusEdit->setText(m_statusEdit->text() + note);
}

settings::Folders MainWindow::rootFolders() const
{
    return {m_quake3Panel->rootFolder(), m_rtcwPanel->rootFolder(), m_quake3Panel->chosenEngine(),
            m_rtcwPanel->chosenEngine()};
}

void MainWindow::loadSettings()
{
    if (const std::optional<settings::Folders> folders = m_settings.load(rootFolders())) {
        m_quake3Panel->setRootFolder(folders->quake3);
        m_rtcwPanel->setRootFolder(folders->rtcw);
        m_quake3Panel->setChosenEngine(folders->quake3Engine);
        m_rtcwPanel->setChosenEngine(folders->rtcwEngine);
    }
}

void MainWindow::saveSettings()
{
    m_saveSoon->stop();
    QString error;
    // Said once: a save that fails the same way at every change is not said again.
    if (!m_settings.save(rootFolders(), &error) && error != m_lastSaveFailure)
        report(error);
    m_lastSaveFailure = error;
}

void MainWindow::changeEvent(QEvent *event)
{
    // A window manager that maximizes all the same (a double click on the title) gets the
    // window back at its size: the layout does not grow.
    if (event->type() == QEvent::WindowStateChange && (windowState() & Qt::WindowMaximized))
        setWindowState(windowState() & ~Qt::WindowMaximized);
    QWidget::changeEvent(event);
}

void MainWindow::closeEvent(QCloseEvent *event)
{
    if (m_picker)
        m_picker->close(); // it writes into this window, so it goes with it
    if (m_bindsWindow)
        m_bindsWindow->close();
    saveSettings();
    event->accept();
}

void MainWindow::openFolderPicker(GamePanel *panel)
{
    if (!m_picker) {
        m_picker = new FolderPicker(m_host, this);
        connect(m_picker, &FolderPicker::folderChosen, this, &MainWindow::putChosenFolder);
    }
    m_picker->pickFor(panel->game().pickerFlag);
}

void MainWindow::openBindsWindow(GamePanel *panel)
{
    panel->updateKeyNow();
    const std::optional<QString> file = panel->autoexecFile();
    if (!file) {
        report(QStringLiteral("Type or pick the %1 folder first (%2): its binds are in autoexec.cfg there.")
                   .arg(panel->game().name, panel->game().rootLabel));
        return;
    }
    if (!m_bindsWindow) {
        m_bindsWindow = new BindsWindow(m_journal, this);
        m_bindsWindow->setAsker(m_asker);
        connect(m_bindsWindow, &BindsWindow::fileWritten, this, &MainWindow::keepChange);
        connect(m_bindsWindow, &BindsWindow::bindChosen, this, [this](const QString &key, const QString &command) {
            if (m_listedPanel)
                m_listedPanel->takeBind(key, command);
        });
        connect(m_bindsWindow, &BindsWindow::problem, this,
                [this](const QString &message) { reportOver(m_bindsWindow, message); });
        connect(m_bindsWindow, &BindsWindow::fileChanged, m_quake3Panel, &GamePanel::updateKeyNow);
        connect(m_bindsWindow, &BindsWindow::fileChanged, m_rtcwPanel, &GamePanel::updateKeyNow);
    }
    // The list follows what the panel's game runs, its own Adds and changes on the disk alike.
    disconnect(m_bindsFollows);
    m_listedPanel = panel;
    m_bindsFollows = connect(panel, &GamePanel::startRunChanged, m_bindsWindow, [this, panel] {
        if (const std::optional<QString> listed = panel->autoexecFile())
            m_bindsWindow->showRun(panel->startRun(), *listed);
    });
    m_bindsWindow->showFile(panel->startRun(), *file);
}

void MainWindow::openKeyboardWindow(GamePanel *panel)
{
    panel->updateKeyNow();
    KeyboardWindow *&window = m_keyboardWindows[panel];
    if (!window) {
        window = new KeyboardWindow(KeyboardLayout::current(), this);
        connect(window, &KeyboardWindow::keyChosen, panel, &GamePanel::chooseKey);
        // It follows what the panel's game runs, as the line under the panel does.
        connect(panel, &GamePanel::startRunChanged, window,
                [window, panel] { window->updateRun(panel->startRun(), panel->namingEngine()); });
    }
    window->showRun(panel->startRun(), panel->namingEngine(), panel->game().name);
}

void MainWindow::putChosenFolder(qint16 game, const QString &folder)
{
    for (GamePanel *panel : {static_cast<GamePanel *>(m_quake3Panel), static_cast<GamePanel *>(m_rtcwPanel)}) {
        if (panel->game().pickerFlag == game)
            panel->setRootFolder(folder);
    }
}

void MainWindow::keepChange(const binds::FileChange &change)
{
    QString error;
    if (!m_journal.record(change, &error))
        report(error);
}

void MainWindow::undoLastChange()
{
    QStringList files;
    for (const GamePanel *panel : {static_cast<GamePanel *>(m_quake3Panel), static_cast<GamePanel *>(m_rtcwPanel)}) {
        if (const std::optional<QString> autoexec = panel->autoexecFile())
            files << *autoexec;
        for (const binds::StartFile &file : panel->startRun().files())
            files << file.path;
    }
    const std::optional<binds::FileChange> last = m_journal.newest(files);
    if (!last) {
        report(QStringLiteral("Nothing to undo: Bindwright has changed no file that these game folders run."));
        return;
    }
    QString error;
    if (!m_journal.undo(*last, &error)) {
        report(error);
        return;
    }
    appendStatus(QStringLiteral(" Undone: %1.").arg(last->what));
    m_quake3Panel->updateKeyNow();
    m_rtcwPanel->updateKeyNow();
}
