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

RtcwPanel::RtcwPanel(decorate::RandomSource &jazzRandom, const host::Host &host, QWidget *window)
    : GamePanel(binds::rtcwGame(), jazzRandom, host, window)
{
    place(this, "Frame1", twipsRect(5640, 0, 5535, 4215));
    m_remembersLabel = label(this, "Label10", remembersHint, twipsRect(1560, 240, 3615, 255));
    m_rootLabel = label(this, "Label6", m_game.rootLabel, twipsRect(120, 480, 1215, 255));
    m_rootEdit = singleLineEdit(this, "txtwolfdir", QString(), twipsRect(1320, 480, 3855, 285));
    m_pickButton = button(this, "Command17", QStringLiteral("..."), twipsRect(5160, 480, 255, 255));
    m_exampleLabel = label(this, "Label7", QStringLiteral("For example, ") + binds::rtcwGame().windowsRoot,
                           twipsRect(120, 840, 5295, 255));
    // The design's "kp_up" is no key the games know: they call it kp_uparrow.
    m_keyLabel = label(this, "Label8", QStringLiteral("Key to be bound to (eg space, kp_uparrow etc)"),
                       twipsRect(120, 1200, 3255, 375));
    m_keyEdit = singleLineEdit(this, "txtwolfkey", QString(), twipsRect(3480, 1200, 1935, 285));
    m_voiceOption = option(this, "OptVoice", QString(), twipsRect(240, 1560, 255, 255));
    m_voiceBox = place(new QComboBox(this), "CboVoice", twipsRect(720, 1560, 4695, 315));
    m_voiceBox->setEditable(true);
    m_voiceBox->setInsertPolicy(QComboBox::NoInsert); // typed text is bound, never added to the list
    // No completion: it would turn a typed "vsay G" into "vsay GoodGame" and change case.
    m_voiceBox->setCompleter(nullptr);
    takeAnyLength(m_voiceBox->lineEdit());
    m_sayOption = option(this, "OptSay", QStringLiteral("Option6"), twipsRect(240, 2040, 255, 255));
    m_sayLabel = label(this, "Label9", QStringLiteral("To Say"), twipsRect(720, 2040, 1215, 255));

    // Borderless: it only keeps the chat scope apart from the message kind.
    m_scopeFrame = place(new QFrame(this), "Frame3", twipsRect(1320, 1800, 4095, 855));
    m_scopeFrame->setFrameShape(QFrame::NoFrame);
    m_sayEdit = lineEdit(m_scopeFrame, "txtwolfsay", QString(), twipsRect(600, 240, 3495, 285));
    m_teamOption = option(m_scopeFrame, "Option6", QStringLiteral("Team Talk"), twipsRect(360, 600, 1335, 255));
    m_publicOption = option(m_scopeFrame, "Option7", QStringLiteral("Public"), twipsRect(1440, 600, 1455, 255));

    m_formalButton = button(this, "Command14", QStringLiteral("Formal Decoration"), twipsRect(3600, 2520, 975, 495));
    m_jazzButton = button(this, "Command15", QStringLiteral("Make it Jazzeehh!"), twipsRect(4560, 2520, 855, 495));
    makeColourButtons(
        this, {"Command25", "Command24", "Command23", "Command22", "Command21", "Command20", "Command19", "Command18"});
    m_addButton = button(this, "Command13", QStringLiteral("Add"), twipsRect(120, 3360, 5295, 735));

    m_kindGroup = optionGroup(this, {m_voiceOption, m_sayOption});

    const QList<std::pair<QWidget *, QString>> names = {
        {m_rootEdit, QStringLiteral("root folder")},
        {m_pickButton, QStringLiteral("pick the root folder")},
        {m_keyEdit, QStringLiteral("key")},
        {m_voiceOption, QStringLiteral("bind a voice command")},
        {m_sayOption, QStringLiteral("bind a text to say")},
        {m_sayEdit, QStringLiteral("text to say")},
        {m_teamOption, QStringLiteral("Team Talk")},
        {m_publicOption, QStringLiteral("Public")},
        {m_formalButton, QStringLiteral("Formal Decoration")},
        {m_jazzButton, QStringLiteral("Make it Jazzeehh!")},
        {m_addButton, QStringLiteral("Add")},
    };
    nameForPlayers(names);
    m_voiceBox->setAccessibleName(QStringLiteral("voice command"));
    // On Linux a combo box is announced by its text; the box typed into carries the name.
    m_voiceBox->lineEdit()->setAccessibleName(m_voiceBox->accessibleName());

    connectCommonControls(true);
    connect(m_voiceBox, &QComboBox::editTextChanged, this, &RtcwPanel::updatePreview);
    // Bottom right, under this panel's half of the window.
    makeKeyNowLabel(window, twipsRect(8535, 4680, 1650, 255));
    makeBindsButton(window, twipsRect(10245, 4680, 840, 285));
    makeEngineBox(window, twipsRect(5760, 5040, 5295, 315));
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
    binds::RtcwFields fields {m_rootEdit->text(), m_keyEdit->text(), m_voiceBox->currentText(), m_sayEdit->text()};
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
    m_rootEdit->setText(binds::rtcwRootShown(now.root, m_host.style));
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
    m_keyEdit->setText(key);
    m_voiceOption->setChecked(true);
    m_voiceBox->setCurrentIndex(m_voiceBox->findText(command)); // -1 when it is not listed
    m_voiceBox->setEditText(command);
    m_voiceBox->setFocus(Qt::OtherFocusReason);
}

void RtcwPanel::updatePreview()
{
    const binds::RtcwFields now = fields();
    m_sayEdit->setToolTip(chatPreviewHtml(now.say, now.scope));
    m_voiceBox->setToolTip(chatPreviewHtml(now.voice, binds::ChatScope::None));
}
