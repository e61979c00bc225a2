#include "gamepanel.h"

#include "controls.h"
#include "keycatcher.h"
#include "layout.h"
#include "wrapbutton.h"

#include "binds/add/quake3.h"
#include "binds/files/bindline.h"
#include "binds/files/bindremoval.h"
#include "binds/files/keyactions.h"
#include "binds/files/startrun.h"
#include "decorate/chatrender.h"
#include "decorate/decorations.h"
#include "decorate/jazz.h"

#include <QAction>
#include <QButtonGroup>
#include <QComboBox>
#include <QDateTime>
#include <QFileInfo>
#include <QFileSystemWatcher>
#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPixmap>
#include <QRadioButton>
#include <QSet>

GamePanel::GamePanel(const binds::Game &game, const PanelLayout &layout, decorate::RandomSource &jazzRandom,
                     const host::Host &host, QWidget *window)
    : QGroupBox(game.caption, window)
    , m_game(game)
    , m_host(host)
    , m_jazzRandom(jazzRandom)
{
    place(this, layout.frame.name, layout.frame.rect);
    m_remembersLabel = label(this, layout.remembers.name, remembersHint, layout.remembers.rect);
    m_rootLabel = label(this, layout.rootLabel.name, game.rootLabel, layout.rootLabel.rect);
    m_rootEdit = singleLineEdit(this, layout.rootEdit.name, QString(), layout.rootEdit.rect);
    m_pickButton = button(this, layout.pickButton.name, QStringLiteral("..."), layout.pickButton.rect);
    m_keyLabel = label(this, layout.keyLabel.name, layout.keyCaption, layout.keyLabel.rect);
    m_keyEdit = singleLineEdit(this, layout.keyEdit.name, QString(), layout.keyEdit.rect);
    m_sayLabel = label(this, layout.sayLabel.name, layout.sayCaption, layout.sayLabel.rect);
    QWidget *scope = this;
    if (layout.scopeFrame) {
        // Borderless: it only keeps the chat scope apart from the rest of the panel.
        auto *frame = place(new QFrame(this), layout.scopeFrame->name, layout.scopeFrame->rect);
        frame->setFrameShape(QFrame::NoFrame);
        scope = frame;
    }
    m_sayEdit = lineEdit(scope, layout.sayEdit.name, QString(), layout.sayEdit.rect);
    m_teamOption = option(scope, layout.teamOption.name, QStringLiteral("Team Talk"), layout.teamOption.rect);
    m_publicOption = option(scope, layout.publicOption.name, QStringLiteral("Public"), layout.publicOption.rect);
    m_formalButton =
        button(this, layout.formalButton.name, QStringLiteral("Formal Decoration"), layout.formalButton.rect);
    m_jazzButton = button(this, layout.jazzButton.name, layout.jazzCaption, layout.jazzButton.rect);
    makeColourButtons(layout.colourNames);
    // Made after the frame, an Add placed in the window is drawn above it.
    m_addButton =
        button(layout.addInWindow ? window : this, layout.addButton.name, QStringLiteral("Add"), layout.addButton.rect);

    // A screen reader names each control by its label or caption and its panel: the two
    // panels hold the same captions ("Add", "Red", "...").
    nameForPlayers({
        {m_rootEdit, QStringLiteral("root folder")},
        {m_pickButton, QStringLiteral("pick the root folder")},
        {m_keyEdit, QStringLiteral("key")},
        {m_sayEdit, QStringLiteral("text to say")},
        {m_teamOption, QStringLiteral("Team Talk")},
        {m_publicOption, QStringLiteral("Public")},
        {m_formalButton, QStringLiteral("Formal Decoration")},
        {m_jazzButton, layout.jazzCaption},
        {m_addButton, QStringLiteral("Add")},
    });
    connectCommonControls(layout.everyColourTakesFocus);
    makePressKeyAction();
    makeBindsButton(window, layout.bindsButton);
    makeKeyNowLabel(window, layout.keyNow);
    makeEngineBox(window, layout.engineBox);
    makeKeysButton(window, layout.keysButton);
}

QString GamePanel::rootFolder() const
{
    return m_rootEdit->text();
}

void GamePanel::setRootFolder(const QString &folder)
{
    m_rootEdit->setText(folder);
}

QString GamePanel::keyText() const
{
    return m_keyEdit->text();
}

void GamePanel::setKeyText(const QString &key)
{
    m_keyEdit->setText(key);
}

QString GamePanel::sayText() const
{
    return m_sayEdit->text();
}

void GamePanel::setSayText(const QString &say)
{
    m_sayEdit->setText(say);
}

void GamePanel::setSayPreview(const QString &html)
{
    m_sayEdit->setToolTip(html);
}

void GamePanel::makeColourButtons(const std::array<const char *, 8> &names)
{
    // The same row in both panels; the wider captions get the wider buttons.
    for (std::size_t i = 0; i < names.size(); ++i) {
        const QString caption = decorate::colourOfDigit(decorate::buttonDigits[i]).name.toString();
        const auto [left, width] = colourLeftAndWidth[i];
        m_colourButtons << button(this, names[i], caption, twipsRect(left, colourRowTop, width, colourRowHeight));
        m_colourButtons.last()->setAccessibleName(m_game.name + u' ' + caption);
    }
}

void GamePanel::nameForPlayers(const QList<std::pair<QWidget *, QString>> &names)
{
    for (const auto &[control, name] : names)
        control->setAccessibleName(m_game.name + u' ' + name);
}

void GamePanel::connectCommonControls(bool everyColourTakesFocus)
{
    connect(m_pickButton, &QPushButton::clicked, this, &GamePanel::pickFolderRequested);
    for (qsizetype i = 0; i < m_colourButtons.size(); ++i) {
        const int digit = decorate::buttonDigits[i];
        // Quake 3's Red alone takes the focus to the text; in RTCW every colour does.
        const bool takeFocus = everyColourTakesFocus || i == 0;
        connect(m_colourButtons.at(i), &QPushButton::clicked, this,
                [this, digit, takeFocus] { addColour(digit, takeFocus); });
    }
    connect(m_formalButton, &QPushButton::clicked, this,
            [this] { decorateSay(decorate::formalDecoration(m_sayEdit->text())); });
    connect(m_jazzButton, &QPushButton::clicked, this, &GamePanel::jazzSay);
    connect(m_addButton, &QPushButton::clicked, this, &GamePanel::addBind);
    connect(m_sayEdit, &QLineEdit::textChanged, this, &GamePanel::updatePreview);
    m_scopeGroup = optionGroup(this, {m_teamOption, m_publicOption});
    connect(m_scopeGroup, &QButtonGroup::idClicked, this, &GamePanel::updatePreview);
}

// A small keyboard: a frame with a row of keys and a space bar.
static QIcon keyboardIcon(const QPalette &palette)
{
    QPixmap pixmap(16, 16);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setPen(QPen(palette.color(QPalette::Text), 1));
    painter.drawRoundedRect(QRectF(0.5, 3.5, 15, 9), 1.5, 1.5);
    for (int x = 3; x <= 12; x += 3)
        painter.drawPoint(x, 6);
    painter.drawLine(5, 9, 10, 9);
    return QIcon(pixmap);
}

void GamePanel::makePressKeyAction()
{
    auto *catcher = new KeyCatcher(m_keyEdit);
    auto *action = new QAction(keyboardIcon(palette()), QStringLiteral("Press a key to name it"), m_keyEdit);
    action->setObjectName(m_keyEdit->objectName() + QStringLiteral("Press"));
    action->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_K));
    action->setShortcutContext(Qt::WidgetShortcut);
    action->setToolTip(QStringLiteral("Press a key or mouse button to name it as your engine does (Ctrl+K)"));
    m_keyEdit->addAction(action, QLineEdit::TrailingPosition);
    connect(action, &QAction::triggered, catcher, &KeyCatcher::start);
    connect(catcher, &KeyCatcher::caught, this, &GamePanel::namePressedKey);
}

void GamePanel::namePressedKey(const binds::Press &press)
{
    // The player's engines first, whose name goes into the box; the game's others as well,
    // which the note names where they differ.
    QList<const binds::Engine *> named = engines();
    for (const binds::Engine *engine : binds::enginesOf(m_game)) {
        if (!named.contains(engine))
            named << engine;
    }
    const binds::PressAnswer answer = binds::answerPress(press, named);
    if (!answer.name.isEmpty())
        setKeyText(answer.name);
    emit keyNamed(QLatin1Char(' ') + answer.note);
}

void GamePanel::makeKeyNowLabel(QWidget *window, QRect geometry)
{
    m_keyNowLabel = new QLabel(window);
    m_keyNowLabel->setObjectName(m_game.name.toLower().remove(u' ') + QStringLiteral("KeyNow"));
    m_keyNowLabel->setGeometry(geometry);
    m_keyNowLabel->setAccessibleName(m_game.name + QStringLiteral(" what the key does now"));
    connect(m_keyEdit, &QLineEdit::textChanged, this, &GamePanel::showKeyNow); // a lookup, no reading
    connect(m_rootEdit, &QLineEdit::textChanged, this, &GamePanel::updateKeyNow);
    connect(m_rootEdit, &QLineEdit::textChanged, this, &GamePanel::rootOrEngineChanged);
}

void GamePanel::makeBindsButton(QWidget *window, QRect geometry)
{
    m_bindsButton = button(window, qPrintable(m_game.name.toLower().remove(u' ') + QStringLiteral("Binds")),
                           QStringLiteral("Binds..."), geometry);
    m_bindsButton->setAccessibleName(m_game.name + QStringLiteral(" binds in autoexec.cfg"));
    connect(m_bindsButton, &QPushButton::clicked, this, &GamePanel::bindsWindowRequested);
}

void GamePanel::makeKeysButton(QWidget *window, QRect geometry)
{
    auto *keys = button(window, qPrintable(m_game.name.toLower().remove(u' ') + QStringLiteral("Keys")),
                        QStringLiteral("Keys..."), geometry);
    keys->setAccessibleName(m_game.name + QStringLiteral(" keys on a keyboard"));
    keys->setToolTip(QStringLiteral("Which keys do what at the game's next start, and which are free"));
    connect(keys, &QPushButton::clicked, this, &GamePanel::keyboardWindowRequested);
}

const binds::Engine &GamePanel::namingEngine() const
{
    const QList<const binds::Engine *> mine = engines();
    return mine.isEmpty() ? *binds::enginesOf(m_game).constFirst() : *mine.first();
}

void GamePanel::chooseKey(const QString &key)
{
    setKeyText(key);
    m_keyEdit->setFocus(Qt::OtherFocusReason);
}

void GamePanel::makeEngineBox(QWidget *window, QRect geometry)
{
    m_engineBox = place(new QComboBox(window),
                        qPrintable(m_game.name.toLower().remove(u' ') + QStringLiteral("Engine")), geometry);
    m_engineBox->setAccessibleName(m_game.name + QStringLiteral(" engine"));
    m_engineBox->addItem(QString()); // what the root says, filled in by showGuess
    for (const binds::Engine *engine : binds::enginesOf(m_game))
        m_engineBox->addItem(QString::fromUtf8(engine->name), QString::fromLatin1(engine->id));
    connect(m_engineBox, &QComboBox::currentIndexChanged, this, &GamePanel::updateKeyNow);
    connect(m_engineBox, &QComboBox::currentIndexChanged, this, &GamePanel::rootOrEngineChanged);
}

QString GamePanel::chosenEngine() const
{
    return m_engineBox ? m_engineBox->currentData().toString() : QString();
}

void GamePanel::setChosenEngine(const QString &id)
{
    const int index = m_engineBox->findData(id);
    m_engineBox->setCurrentIndex(id.isEmpty() || index < 0 ? 0 : index);
}

QList<const binds::Engine *> GamePanel::engines() const
{
    if (const binds::Engine *chosen = binds::engineById(chosenEngine()))
        return {chosen};
    return m_guess.engines.isEmpty() ? binds::enginesOf(m_game) : m_guess.engines;
}

void GamePanel::showGuess()
{
    if (!m_engineBox)
        return;
    QString found;
    if (m_guess.why.isEmpty())
        found = QStringLiteral("Engine: found from the root folder");
    else if (m_guess.engines.size() == 1)
        found = QStringLiteral("%1: %2").arg(QString::fromUtf8(m_guess.engines.first()->name), m_guess.why);
    else
        found = QStringLiteral("%1, or another: %2").arg(binds::engineNames(m_guess.engines), m_guess.why);
    m_engineBox->setItemText(0, found);
    m_engineBox->setItemData(0, found, Qt::ToolTipRole);
    m_engineBox->setToolTip(m_engineBox->currentIndex() == 0
                                ? found
                                : QStringLiteral("Chosen: %1. Choose the first entry to find it from the root folder.")
                                      .arg(m_engineBox->currentText()));
}

const binds::StartRun &GamePanel::startRun() const
{
    static const binds::StartRun none;
    return m_runs.isEmpty() ? none : m_runs.first();
}

std::optional<QString> GamePanel::autoexecFile() const
{
    if (m_starts.isEmpty())
        return std::nullopt;
    const binds::StartFolders &start = m_starts.first();
    if (!start.autoexec.isEmpty())
        return start.autoexec;
    return binds::autoexecPath(start.writeFolder, m_host);
}

void GamePanel::updateKeyNow()
{
    const bool whole = binds::isUsableRoot(m_rootEdit->text(), m_game, m_host.style);
    m_guess = whole ? binds::guessEngine(m_rootEdit->text(), m_game, m_host) : binds::EngineGuess {};
    showGuess();
    m_starts = whole ? binds::startFolders(engines(), m_rootEdit->text(), modFolder(), m_game, m_host)
                     : QList<binds::StartFolders>();
    m_runs.clear();
    QStringList files;
    QStringList folders;
    for (const binds::StartFolders &start : std::as_const(m_starts)) {
        QStringList run;
        for (const QString &file : {start.config, start.autoexec}) {
            if (!file.isEmpty())
                run << file;
        }
        m_runs << binds::StartRun::read(run, start.engines, start.searched);
        files << run;
        folders << start.searched;
    }
    watchStartFiles(files, folders);
    showKeyNow();
    emit startRunChanged();
}

void GamePanel::watchStartFiles(const QStringList &files, const QStringList &folders)
{
    if (!m_startWatcher) {
        m_startWatcher = new QFileSystemWatcher(this);
        connect(m_startWatcher, &QFileSystemWatcher::fileChanged, this, &GamePanel::updateKeyNow);
        connect(m_startWatcher, &QFileSystemWatcher::directoryChanged, this, &GamePanel::updateKeyNow);
    }
    // The game folders, where a file appears or is replaced whole, and the files themselves.
    QStringList paths = folders;
    for (const QString &file : files) {
        if (QFileInfo(file).isFile())
            paths << file;
    }
    paths.removeDuplicates();
    const QStringList watched = m_startWatcher->files() + m_startWatcher->directories();
    if (QSet<QString>(watched.cbegin(), watched.cend()) == QSet<QString>(paths.cbegin(), paths.cend()))
        return;
    if (!watched.isEmpty())
        m_startWatcher->removePaths(watched);
    QStringList existing;
    for (const QString &path : std::as_const(paths)) {
        if (QFileInfo::exists(path))
            existing << path;
    }
    if (!existing.isEmpty())
        m_startWatcher->addPaths(existing);
}

void GamePanel::showKeyNow()
{
    const QString shown = binds::whatKeyDoes(m_keyEdit->text(), m_runs);
    m_keyNowLabel->setText(m_keyNowLabel->fontMetrics().elidedText(shown, Qt::ElideRight, m_keyNowLabel->width()));
    m_keyNowLabel->setToolTip(shown);
}

binds::ChatScope GamePanel::chosenScope() const
{
    if (m_teamOption->isChecked())
        return binds::ChatScope::Team;
    if (m_publicOption->isChecked())
        return binds::ChatScope::Public;
    return binds::ChatScope::None;
}

void GamePanel::setChosenScope(binds::ChatScope scope)
{
    // Neither: the group lets both go only while it is not exclusive.
    m_scopeGroup->setExclusive(false);
    m_teamOption->setChecked(scope == binds::ChatScope::Team);
    m_publicOption->setChecked(scope == binds::ChatScope::Public);
    m_scopeGroup->setExclusive(true);
    updatePreview();
}

void GamePanel::takeBind(const QString &key, const QString &command)
{
    m_keyEdit->setText(key);
    const binds::ChatSaid chat = binds::chatOfCommand(command);
    setChosenScope(chat.scope);
    m_sayEdit->setText(chat.say);
    m_sayEdit->setFocus(Qt::OtherFocusReason);
}

bool GamePanel::writeBindAskingFirst(const binds::BindRequest &request, binds::ChatScope scope, const QString &say)
{
    const binds::AddRequest add {request, scope, say, m_rootEdit->text(), modFolder(), engines()};
    binds::Answers answers;
    std::optional<binds::TargetRead> asked; // the target when the first question after reading it was asked
    for (;;) {
        const binds::AddPlan plan = binds::planAdd(add, m_game, answers, m_host);
        if (asked && plan.read && plan.read->path == asked->path && *plan.read != *asked) {
            emit problem(binds::changedSinceRead(QStringLiteral("Did not add the bind"), asked->path));
            updateKeyNow();
            return false;
        }
        if (!plan.refusal.isEmpty()) {
            emit problem(plan.refusal);
            return false;
        }
        if (plan.question) {
            if (!m_asker)
                return false;
            if (!asked)
                asked = plan.read;
            answers.insert(plan.question->kind, m_asker(*plan.question));
            continue;
        }
        if (!plan.write) {
            emit nothingWritten(QStringLiteral(" Not added: nothing written."));
            return false; // the player said no
        }
        QString error;
        const bool written = binds::carryOut(*plan.write, &error);
        if (written) {
            emit fileWritten({plan.write->path, plan.write->existed, plan.write->read, plan.write->bytes,
                              plan.write->appendOnly ? QStringLiteral("added the bind of %1").arg(request.key)
                                                     : QStringLiteral("wrote the bind of %1").arg(request.key),
                              QDateTime::currentDateTime()});
        } else {
            emit problem(error);
        }
        updateKeyNow(); // the key now does what was just bound
        return written;
    }
}

void GamePanel::decorateSay(const QString &decorated)
{
    m_sayEdit->setText(decorated);
    emit this->decorated(m_sayEdit);
}

void GamePanel::addColour(int digit, bool takeFocus)
{
    if (takeFocus)
        m_sayEdit->setFocus(Qt::OtherFocusReason);
    decorateSay(decorate::withColour(m_sayEdit->text(), digit));
}

void GamePanel::jazzSay()
{
    QString error;
    if (const std::optional<QString> jazzed = decorate::jazz(m_sayEdit->text(), m_jazzRandom, &error))
        decorateSay(*jazzed);
    else
        emit problem(error);
}
