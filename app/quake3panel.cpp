#include "quake3panel.h"

#include "chatpreview.h"
#include "controls.h"
#include "layout.h"
#include "wrapbutton.h"

#include "binds/add/status.h"
#include "decorate/decorations.h"

#include <QButtonGroup>
#include <QFocusEvent>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>

Quake3Panel::Quake3Panel(decorate::RandomSource &jazzRandom, const host::Host &host, QWidget *window)
    : GamePanel(binds::quake3Game(), jazzRandom, host, window)
{
    place(this, "Frame2", twipsRect(0, 0, 5535, 4215));
    m_remembersLabel = label(this, "Label5", remembersHint, twipsRect(1800, 240, 3615, 255));
    m_rootLabel = label(this, "Label1", m_game.rootLabel, twipsRect(240, 480, 1575, 375));
    m_rootEdit = singleLineEdit(this, "Text1", QString(), twipsRect(1800, 480, 3375, 285));
    m_pickButton = button(this, "Command16", QStringLiteral("..."), twipsRect(5160, 480, 255, 255));
    m_baseq3Option = option(this, "Option1", QStringLiteral("Baseq3"), twipsRect(240, 840, 1215, 255));
    m_ospOption = option(this, "Option2", QStringLiteral("OSP"), twipsRect(1560, 840, 855, 255));
    m_customModOption = option(this, "Option5", QStringLiteral("Option5"), twipsRect(2520, 840, 255, 255));
    m_customModEdit = singleLineEdit(this, "txtmod", QStringLiteral("other"), twipsRect(2880, 840, 1215, 285));
    m_keyLabel = label(this, "Label3", QStringLiteral("Key to be bound to (eg f f1 mouse3 space)"),
                       twipsRect(120, 1800, 3255, 255));
    m_keyEdit = singleLineEdit(this, "txtkey", QString(), twipsRect(3360, 1800, 2055, 285));
    m_sayLabel = label(this, "Label4", QStringLiteral("To say"), twipsRect(120, 2160, 975, 255));
    m_sayEdit = lineEdit(this, "txtsay", QString(), twipsRect(1200, 2160, 4215, 285));
    m_teamOption = option(this, "Option3", QStringLiteral("Team Talk"), twipsRect(840, 2520, 1335, 255));
    m_publicOption = option(this, "Option4", QStringLiteral("Public"), twipsRect(1920, 2520, 975, 255));
    m_formalButton = button(this, "Command10", QStringLiteral("Formal Decoration"), twipsRect(2880, 2520, 975, 495));
    m_jazzButton = button(this, "Command11", QStringLiteral("Uber-Jazz"), twipsRect(3840, 2520, 855, 495));
    m_tesselButton = button(this, "Command12", QStringLiteral("Tessel Scheme"), twipsRect(4680, 2520, 735, 495));
    makeColourButtons(this,
                      {"Command2", "Command3", "Command4", "Command5", "Command6", "Command7", "Command8", "Command9"});
    // The design puts Quake 3's "Add" in the window, over the frame's foot; made after
    // the frame, it is drawn above it.
    m_addButton = button(window, "Command1", QStringLiteral("Add"), twipsRect(120, 3360, 5295, 735));

    // Two groups in one frame: a mod folder and a chat scope are chosen independently.
    m_modGroup = optionGroup(this, {m_baseq3Option, m_ospOption, m_customModOption});
    m_ospOption->setChecked(true);

    // A screen reader names each control by its label or caption and its panel: the two
    // panels hold the same captions ("Add", "Red", "...").
    const QList<std::pair<QWidget *, QString>> names = {
        {m_rootEdit, QStringLiteral("root folder")},
        {m_pickButton, QStringLiteral("pick the root folder")},
        {m_baseq3Option, QStringLiteral("mod folder baseq3")},
        {m_ospOption, QStringLiteral("mod folder osp")},
        {m_customModOption, QStringLiteral("mod folder: the custom mod folder")},
        {m_keyEdit, QStringLiteral("key")},
        {m_sayEdit, QStringLiteral("text to say")},
        {m_teamOption, QStringLiteral("Team Talk")},
        {m_publicOption, QStringLiteral("Public")},
        {m_formalButton, QStringLiteral("Formal Decoration")},
        {m_jazzButton, QStringLiteral("Uber-Jazz")},
        {m_tesselButton, QStringLiteral("Tessel Scheme")},
        {m_addButton, QStringLiteral("Add")},
    };
    nameForPlayers(names);
    m_customModEdit->setAccessibleName(QStringLiteral("custom mod folder"));

    connectCommonControls(false);
    connect(m_tesselButton, &QPushButton::clicked, this,
            [this] { decorateSay(decorate::tesselScheme(m_sayEdit->text())); });
    m_customModEdit->installEventFilter(this);
    // Bottom left, under this panel's half of the window.
    makeBindsButton(window, twipsRect(120, 4680, 900, 285));
    makeKeyNowLabel(window, twipsRect(1080, 4680, 1680, 255));
    makeEngineBox(window, twipsRect(120, 5040, 5295, 315));
    connect(m_modGroup, &QButtonGroup::idClicked, this, &Quake3Panel::updateKeyNow);
    connect(m_customModEdit, &QLineEdit::textChanged, this, &Quake3Panel::updateKeyNow);
    updatePreview();
}

QString Quake3Panel::modFolder() const
{
    if (m_ospOption->isChecked())
        return binds::ospFolder;
    if (m_customModOption->isChecked())
        return m_customModEdit->text();
    return {};
}

binds::Quake3Fields Quake3Panel::fields() const
{
    binds::Quake3Fields fields {m_rootEdit->text(), m_customModEdit->text(), m_sayEdit->text(), m_keyEdit->text()};
    if (m_baseq3Option->isChecked())
        fields.mod = binds::Quake3Mod::Baseq3;
    else if (m_ospOption->isChecked())
        fields.mod = binds::Quake3Mod::Osp;
    else if (m_customModOption->isChecked())
        fields.mod = binds::Quake3Mod::Custom;
    fields.scope = chosenScope();
    return fields;
}

void Quake3Panel::addBind()
{
    const binds::Quake3Fields now = fields();
    QString error;
    const std::optional<binds::BindRequest> request = binds::quake3Request(now, m_host, &error);
    if (!request) {
        emit problem(error);
        return;
    }
    if (writeBindAskingFirst(*request, now.scope, now.say))
        emit bindWritten(binds::quake3StatusNote(m_sayEdit->text()));
}

void Quake3Panel::updatePreview()
{
    const binds::Quake3Fields now = fields();
    m_sayEdit->setToolTip(chatPreviewHtml(now.say, now.scope));
}

bool Quake3Panel::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == m_customModEdit && event->type() == QEvent::FocusOut) {
        // Window switches and context menus take the focus too; only moving on counts.
        const Qt::FocusReason reason = static_cast<QFocusEvent *>(event)->reason();
        if (reason != Qt::ActiveWindowFocusReason && reason != Qt::PopupFocusReason)
            normaliseCustomMod();
    }
    return GamePanel::eventFilter(watched, event);
}

void Quake3Panel::normaliseCustomMod()
{
    const QString normalised = binds::normalisedCustomMod(m_customModEdit->text(), m_host.style);
    if (normalised != m_customModEdit->text())
        m_customModEdit->setText(normalised);
}
