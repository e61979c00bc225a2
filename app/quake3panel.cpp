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

Quake3Panel::Quake3Panel(const Quake3Layout &layout, decorate::RandomSource &jazzRandom, const host::Host &host,
                         QWidget *window)
    : GamePanel(binds::quake3Game(), layout.panel, jazzRandom, host, window)
{
    m_baseq3Option = option(this, layout.baseq3Option.name, QStringLiteral("Baseq3"), layout.baseq3Option.rect);
    m_ospOption = option(this, layout.ospOption.name, QStringLiteral("OSP"), layout.ospOption.rect);
    m_customModOption =
        option(this, layout.customModOption.name, QStringLiteral("Option5"), layout.customModOption.rect);
    m_customModEdit =
        singleLineEdit(this, layout.customModEdit.name, QStringLiteral("other"), layout.customModEdit.rect);
    m_tesselButton = button(this, layout.tesselButton.name, QStringLiteral("Tessel Scheme"), layout.tesselButton.rect);

    // Two groups in one frame: a mod folder and a chat scope are chosen independently.
    m_modGroup = optionGroup(this, {m_baseq3Option, m_ospOption, m_customModOption});
    m_ospOption->setChecked(true);
    nameForPlayers({
        {m_baseq3Option, QStringLiteral("mod folder baseq3")},
        {m_ospOption, QStringLiteral("mod folder osp")},
        {m_customModOption, QStringLiteral("mod folder: the custom mod folder")},
        {m_tesselButton, QStringLiteral("Tessel Scheme")},
    });
    m_customModEdit->setAccessibleName(QStringLiteral("custom mod folder"));

    connect(m_tesselButton, &QPushButton::clicked, this, [this] { decorateSay(decorate::tesselScheme(sayText())); });
    m_customModEdit->installEventFilter(this);
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
    binds::Quake3Fields fields {rootFolder(), m_customModEdit->text(), sayText(), keyText()};
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
        emit bindWritten(binds::quake3StatusNote(sayText()));
}

void Quake3Panel::updatePreview()
{
    const binds::Quake3Fields now = fields();
    setSayPreview(chatPreviewHtml(now.say, now.scope));
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
