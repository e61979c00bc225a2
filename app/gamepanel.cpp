#include "gamepanel.h"

#include "controls.h"
#include "layout.h"
#include "wrapbutton.h"

#include "binds/bindline.h"
#include "binds/homes.h"
#include "binds/keynow.h"
#include "binds/replace.h"
#include "binds/startrun.h"
#include "binds/quake3.h"
#include "decorate/chatrender.h"
#include "decorate/decorations.h"
#include "decorate/jazz.h"

#include <QButtonGroup>
#include <QFileInfo>
#include <QFileSystemWatcher>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QSet>

GamePanel::GamePanel(const binds::Game &game, decorate::RandomSource &jazzRandom, const host::Host &host,
                     QWidget *window)
    : QGroupBox(game.caption, window)
    , m_game(game)
    , m_host(host)
    , m_jazzRandom(jazzRandom)
{ }

QString GamePanel::rootFolder() const
{
    return m_rootEdit->text();
}

void GamePanel::setRootFolder(const QString &folder)
{
    m_rootEdit->setText(folder);
}

void GamePanel::makeColourButtons(QWidget *parent, const std::array<const char *, 8> &names)
{
    // The same row in both panels; the wider captions get the wider buttons.
    static constexpr std::array<std::pair<int, int>, 8> leftAndWidth = {
        {{120, 615}, {720, 615}, {1320, 615}, {1920, 615}, {2520, 855}, {3360, 615}, {3960, 735}, {4680, 735}}};
    for (std::size_t i = 0; i < names.size(); ++i) {
        const QString caption = decorate::colourOfDigit(decorate::buttonDigits[i]).name.toString();
        const auto [left, width] = leftAndWidth[i];
        m_colourButtons << button(parent, names[i], caption, twipsRect(left, 3000, width, 375));
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

void GamePanel::makeKeyNowLabel(QWidget *window, QRect geometry)
{
    m_keyNowLabel = new QLabel(window);
    m_keyNowLabel->setObjectName(m_game.name.toLower().remove(u' ') + QStringLiteral("KeyNow"));
    m_keyNowLabel->setGeometry(geometry);
    m_keyNowLabel->setAccessibleName(m_game.name + QStringLiteral(" what the key does now"));
    connect(m_keyEdit, &QLineEdit::textChanged, this, &GamePanel::showKeyNow); // a lookup, no reading
    connect(m_rootEdit, &QLineEdit::textChanged, this, &GamePanel::updateKeyNow);
}

void GamePanel::makeBindsButton(QWidget *window, QRect geometry)
{
    m_bindsButton = button(window, qPrintable(m_game.name.toLower().remove(u' ') + QStringLiteral("Binds")),
                           QStringLiteral("Binds..."), geometry);
    m_bindsButton->setAccessibleName(m_game.name + QStringLiteral(" binds in autoexec.cfg"));
    connect(m_bindsButton, &QPushButton::clicked, this, &GamePanel::bindsWindowRequested);
}

std::optional<QString> GamePanel::autoexecFile() const
{
    QString notWhole;
    if (!binds::isUsableRoot(m_rootEdit->text(), m_game, m_host.style, &notWhole))
        return std::nullopt;
    // The file the game runs: under the root it reads, which may not be the one typed.
    const std::optional<binds::ReadInstead> instead = binds::readInsteadOf(m_rootEdit->text(), m_game, m_host);
    const QString root = instead ? instead->root : host::withFinalSeparator(m_rootEdit->text(), m_host.style);
    const QString mod = modFolder();
    const QString folder = host::gameFolder(root, mod.isEmpty() ? m_game.baseFolder : mod, m_host);
    return binds::autoexecPath(folder, m_host, &notWhole);
}

QStringList GamePanel::startFiles() const
{
    QString notWhole;
    if (!binds::isUsableRoot(m_rootEdit->text(), m_game, m_host.style, &notWhole))
        return {};
    // What the game runs: from the root it reads, which may not be the one typed.
    const std::optional<binds::ReadInstead> instead = binds::readInsteadOf(m_rootEdit->text(), m_game, m_host);
    return binds::startFiles(instead ? instead->root : m_rootEdit->text(), m_game, modFolder(), m_host);
}

void GamePanel::updateKeyNow()
{
    const QStringList files = startFiles();
    m_startRun = binds::StartRun::read(files);
    watchStartFiles(files);
    showKeyNow();
    emit startRunChanged();
}

void GamePanel::watchStartFiles(const QStringList &files)
{
    if (!m_startWatcher) {
        m_startWatcher = new QFileSystemWatcher(this);
        connect(m_startWatcher, &QFileSystemWatcher::fileChanged, this, &GamePanel::updateKeyNow);
        connect(m_startWatcher, &QFileSystemWatcher::directoryChanged, this, &GamePanel::updateKeyNow);
    }
    QStringList paths;
    for (const QString &file : files) {
        paths << QFileInfo(file).absolutePath(); // a file that appears, or is replaced whole
        if (QFileInfo(file).isFile())
            paths << file;
    }
    // The mod's files appear in its own folder, which the list names only once they are there.
    if (const QString mod = modFolder(); !mod.isEmpty() && !files.isEmpty()) {
        if (const std::optional<QString> target = autoexecFile())
            paths << QFileInfo(*target).absolutePath();
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
    const QString shown = binds::whatKeyDoes(m_keyEdit->text(), m_startRun, m_game);
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

bool GamePanel::writeBindAskingFirst(const binds::BindRequest &request, binds::ChatScope scope, const QString &say)
{
    const binds::AddRequest add {request, scope, say, m_rootEdit->text(), modFolder()};
    binds::Answers answers;
    std::optional<std::pair<bool, QByteArray>> asked; // the target when the first question was asked
    for (;;) {
        const binds::AddPlan plan = binds::planAdd(add, m_game, answers, m_host);
        if (asked && plan.read != *asked) {
            QString unreachable;
            const QString target = binds::autoexecPath(request.dirloc, m_host, &unreachable).value_or(request.dirloc);
            emit problem(binds::changedSinceRead(QStringLiteral("Did not add the bind"), target));
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
            asked = asked.value_or(plan.read);
            answers.insert(plan.question->kind, m_asker(*plan.question));
            continue;
        }
        if (!plan.write)
            return false; // the player said no
        QString error;
        QString notice;
        const bool written = binds::carryOut(*plan.write, &error, &notice);
        if (!written)
            emit problem(error);
        else if (!notice.isEmpty())
            emit problem(notice);
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
