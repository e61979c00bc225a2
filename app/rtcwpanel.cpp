#include "rtcwpanel.h"

#include "chatpreview.h"
#include "controls.h"
#include "layout.h"
#include "singlelineedit.h"
#include "wrapbutton.h"

#include "binds/add/rtcw.h"
#include "binds/add/status.h"

#include <QButtonGroup>
#include <QComboBox>
#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>

RtcwPanel::RtcwPanel(const RtcwLayout &layout, decorate::RandomSource &jazzRandom, const host::Host &host,
                     QWidget *window)
    : GamePanel(binds::rtcwGame(), layout.panel, jazzRandom, host, window)
{
    m_exampleLabel = label(this, layout.exampleLabel.name, QStringLiteral("For example, ") + m_game.windowsRoot,
                           layout.exampleLabel.rect);
    m_voiceOption = option(this, layout.voiceOption.name, QString(), layout.voiceOption.rect);
    m_voiceBox = place(new QComboBox(this), layout.voiceBox.name, layout.voiceBox.rect);
    // Under the chat scope's frame, which reaches over its foot, as in the design.
    if (auto *scope = findChild<QFrame *>(QLatin1String(layout.panel.scopeFrame->name)))
        m_voiceBox->stackUnder(scope);
    m_voiceBox->setEditable(true);
    m_voiceBox->setInsertPolicy(QComboBox::NoInsert); // typed text is bound, never added to the list
    // No completion: it would turn a typed "vsay G" into "vsay GoodGame" and change case.
    m_voiceBox->setCompleter(nullptr);
    takeAnyLength(m_voiceBox->lineEdit());
    m_sayOption = option(this, layout.sayOption.name, QStringLiteral("Option6"), layout.sayOption.rect);
    m_kindGroup = optionGroup(this, {m_voiceOption, m_sayOption});

    nameForPlayers({
        {m_voiceOption, QStringLiteral("bind a voice command")},
        {m_sayOption, QStringLiteral("bind a text to say")},
    });
    m_voiceBox->setAccessibleName(QStringLiteral("voice command"));
    // On Linux a combo box is announced by its text; the box typed into carries the name.
    m_voiceBox->lineEdit()->setAccessibleName(m_voiceBox->accessibleName());

    connect(m_voiceBox, &QComboBox::editTextChanged, this, &RtcwPanel::updatePreview);
    updatePreview();
}

void RtcwPanel::fillVoiceList()
{
    m_voiceBox->addItems(binds::voiceCommands());
    // Filling the list picks its first entry; the box keeps showing its start text.
    m_voiceBox->setCurrentIndex(-1);
    m_voiceBox->setEditText(binds::voicePlaceholder.toString());
}

binds::RtcwFields RtcwPanel::fields() const
{
    binds::RtcwFields fields {rootFolder(), keyText(), m_voiceBox->currentText(), sayText()};
    if (m_voiceOption->isChecked())
        fields.kind = binds::RtcwKind::Voice;
    else if (m_sayOption->isChecked())
        fields.kind = binds::RtcwKind::Say;
    fields.scope = chosenScope();
    return fields;
}

void RtcwPanel::addBind()
{
    const binds::RtcwFields now = fields();
    setRootFolder(binds::rtcwRootShown(now.root, m_host.style));
    QString error;
    const std::optional<binds::BindRequest> request = binds::rtcwRequest(now, m_host, &error);
    if (!request) {
        emit problem(error);
        return;
    }
    const bool chat = now.kind == binds::RtcwKind::Say;
    if (writeBindAskingFirst(*request, chat ? now.scope : binds::ChatScope::None, now.say))
        emit bindWritten(binds::rtcwStatusNote());
}

void RtcwPanel::takeBind(const QString &key, const QString &command)
{
    if (!binds::isVoiceCommand(command)) {
        m_sayOption->setChecked(true);
        GamePanel::takeBind(key, command);
        return;
    }
    setKeyText(key);
    m_voiceOption->setChecked(true);
    m_voiceBox->setCurrentIndex(m_voiceBox->findText(command)); // -1 when it is not listed
    m_voiceBox->setEditText(command);
    m_voiceBox->setFocus(Qt::OtherFocusReason);
}

void RtcwPanel::updatePreview()
{
    const binds::RtcwFields now = fields();
    setSayPreview(chatPreviewHtml(now.say, now.scope));
    m_voiceBox->setToolTip(chatPreviewHtml(now.voice, binds::ChatScope::None));
}
