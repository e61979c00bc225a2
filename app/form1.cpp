#include "form1.h"

#include "form2.h"
#include "appearance.h"
#include "chatpreview.h"
#include "layout.h"
#include "singlelineedit.h"
#include "wrapbutton.h"

#include "binds/bindline.h"
#include "binds/status.h"
#include "decorate/decorations.h"
#include "decorate/jazz.h"
#include "settings/settingsfile.h"

#include <QButtonGroup>
#include <QCloseEvent>
#include <QComboBox>
#include <QFocusEvent>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QRadioButton>

namespace {

constexpr qint16 quake3Game = -1;
constexpr qint16 rtcwGame = 0;

WrapButton *button(QWidget *parent, const char *name, const QString &caption, QRect geometry)
{
    auto *b = place(new WrapButton(caption, parent), name, geometry);
    b->setAutoDefault(false); // Enter and Esc press nothing
    b->setDefault(false);
    return b;
}

QLabel *label(QWidget *parent, const char *name, const QString &caption, QRect geometry)
{
    auto *l = place(new QLabel(caption, parent), name, geometry);
    l->setWordWrap(true);
    return l;
}

QLineEdit *lineEdit(QWidget *parent, const char *name, const QString &text, QRect geometry)
{
    auto *box = place(new QLineEdit(text, parent), name, geometry);
    takeAnyLength(box);
    return box;
}

// Folders, the mod folder and keys: one line each, whatever reaches them.
QLineEdit *singleLineEdit(QWidget *parent, const char *name, const QString &text, QRect geometry)
{
    return place(new SingleLineEdit(text, parent), name, geometry);
}

QRadioButton *option(QWidget *parent, const char *name, const QString &caption, QRect geometry)
{
    return place(new QRadioButton(caption, parent), name, geometry);
}

QButtonGroup *optionGroup(QWidget *owner, std::initializer_list<QRadioButton *> members)
{
    auto *group = new QButtonGroup(owner);
    group->setExclusive(true);
    for (QRadioButton *member : members)
        group->addButton(member);
    return group;
}

const QString remembersHint = QStringLiteral("**Bindwright remembers this dir next time you open**");

} // namespace

Form1::Form1(const QString &settingsPath, QWidget *parent)
    : QWidget(parent)
    , m_settingsPath(settingsPath)
    , m_reporter([this](const QString &message) {
        QMessageBox::warning(this, windowTitle(), message);
    })
{
    setObjectName(QStringLiteral("Form1"));
    setWindowTitle(QStringLiteral("Quillfen Q3/RTCW Bindwright 1.1"));
    setFixedSize(fromTwips(11205), fromTwips(5025));
    setFont(layoutFont()); // the fixed layout holds only in its own font
    m_chatPreview = new ChatPreviewPopup(this);

    createQuake3Panel();
    createRtcwPanel();
    createSharedControls();
    setTabOrder();
    setAccessibleNames();
    connectHandlers();
    Form_Load();
}

Form1::~Form1() = default;

void Form1::createQuake3Panel()
{
    Frame2 = place(new QGroupBox(QStringLiteral("Quake3"), this), "Frame2", twipsRect(0, 0, 5535, 4215));
    Label5 = label(Frame2, "Label5", remembersHint, twipsRect(1800, 240, 3615, 255));
    Label1 = label(Frame2, "Label1", QStringLiteral("Root Quake3 Dir"), twipsRect(240, 480, 1575, 375));
    Text1 = singleLineEdit(Frame2, "Text1", QString(), twipsRect(1800, 480, 3375, 285));
    Command16 = button(Frame2, "Command16", QStringLiteral("..."), twipsRect(5160, 480, 255, 255));
    Option1 = option(Frame2, "Option1", QStringLiteral("Baseq3"), twipsRect(240, 840, 1215, 255));
    Option2 = option(Frame2, "Option2", QStringLiteral("OSP"), twipsRect(1560, 840, 855, 255));
    Option5 = option(Frame2, "Option5", QStringLiteral("Option5"), twipsRect(2520, 840, 255, 255));
    txtmod = singleLineEdit(Frame2, "txtmod", QStringLiteral("other"), twipsRect(2880, 840, 1215, 285));
    Label3 = label(Frame2, "Label3", QStringLiteral("Key to be bound to (eg f f1 mouse3 space)"),
                   twipsRect(120, 1800, 3255, 255));
    txtkey = singleLineEdit(Frame2, "txtkey", QString(), twipsRect(3360, 1800, 2055, 285));
    Label4 = label(Frame2, "Label4", QStringLiteral("To say"), twipsRect(120, 2160, 975, 255));
    txtsay = lineEdit(Frame2, "txtsay", QString(), twipsRect(1200, 2160, 4215, 285));
    Option3 = option(Frame2, "Option3", QStringLiteral("Team Talk"), twipsRect(840, 2520, 1335, 255));
    Option4 = option(Frame2, "Option4", QStringLiteral("Public"), twipsRect(1920, 2520, 975, 255));
    Command10 = button(Frame2, "Command10", QStringLiteral("Formal Decoration"), twipsRect(2880, 2520, 975, 495));
    Command11 = button(Frame2, "Command11", QStringLiteral("Uber-Jazz"), twipsRect(3840, 2520, 855, 495));
    Command12 = button(Frame2, "Command12", QStringLiteral("Tessel Scheme"), twipsRect(4680, 2520, 735, 495));
    Command2 = button(Frame2, "Command2", QStringLiteral("Red"), twipsRect(120, 3000, 615, 375));
    Command3 = button(Frame2, "Command3", QStringLiteral("Green"), twipsRect(720, 3000, 615, 375));
    Command4 = button(Frame2, "Command4", QStringLiteral("Yellow"), twipsRect(1320, 3000, 615, 375));
    Command5 = button(Frame2, "Command5", QStringLiteral("Blue"), twipsRect(1920, 3000, 615, 375));
    Command6 = button(Frame2, "Command6", QStringLiteral("Turquoise"), twipsRect(2520, 3000, 855, 375));
    Command7 = button(Frame2, "Command7", QStringLiteral("Pink"), twipsRect(3360, 3000, 615, 375));
    Command8 = button(Frame2, "Command8", QStringLiteral("White"), twipsRect(3960, 3000, 735, 375));
    Command9 = button(Frame2, "Command9", QStringLiteral("Black"), twipsRect(4680, 3000, 735, 375));

    // Two groups in one frame: a mod folder and a chat scope are chosen independently.
    quake3ModGroup = optionGroup(this, {Option1, Option2, Option5});
    quake3ScopeGroup = optionGroup(this, {Option3, Option4});
    Option2->setChecked(true);
}

void Form1::createRtcwPanel()
{
    Frame1 = place(new QGroupBox(QStringLiteral("Return to Castle Wolfenstein Multiplayer"), this), "Frame1",
                   twipsRect(5640, 0, 5535, 4215));
    Label10 = label(Frame1, "Label10", remembersHint, twipsRect(1560, 240, 3615, 255));
    Label6 = label(Frame1, "Label6", QStringLiteral("RTCW Root Dir"), twipsRect(120, 480, 1215, 255));
    txtwolfdir = singleLineEdit(Frame1, "txtwolfdir", QString(), twipsRect(1320, 480, 3855, 285));
    Command17 = button(Frame1, "Command17", QStringLiteral("..."), twipsRect(5160, 480, 255, 255));
    Label7 = label(Frame1, "Label7", QStringLiteral("For example, C:\\Program Files\\Return to Castle Wolfenstein\\"),
                   twipsRect(120, 840, 5295, 255));
    Label8 = label(Frame1, "Label8", QStringLiteral("Key to be bound to (eg space, kp_uparrow etc)"),
                   twipsRect(120, 1200, 3255, 375));
    txtwolfkey = singleLineEdit(Frame1, "txtwolfkey", QString(), twipsRect(3480, 1200, 1935, 285));
    OptVoice = option(Frame1, "OptVoice", QString(), twipsRect(240, 1560, 255, 255));
    CboVoice = place(new QComboBox(Frame1), "CboVoice", twipsRect(720, 1560, 4695, 315));
    CboVoice->setEditable(true);
    CboVoice->setInsertPolicy(QComboBox::NoInsert); // typed text is bound, never added to the list
    // No completion: it would turn a typed "vsay G" into "vsay GoodGame" and change case.
    CboVoice->setCompleter(nullptr);
    takeAnyLength(CboVoice->lineEdit());
    CboVoice->setEditText(binds::voicePlaceholder.toString());
    OptSay = option(Frame1, "OptSay", QStringLiteral("Option6"), twipsRect(240, 2040, 255, 255));
    Label9 = label(Frame1, "Label9", QStringLiteral("To Say"), twipsRect(720, 2040, 1215, 255));

    // Borderless: it only keeps the chat scope apart from the message kind.
    Frame3 = place(new QFrame(Frame1), "Frame3", twipsRect(1320, 1800, 4095, 855));
    Frame3->setFrameShape(QFrame::NoFrame);
    txtwolfsay = lineEdit(Frame3, "txtwolfsay", QString(), twipsRect(600, 240, 3495, 285));
    Option6 = option(Frame3, "Option6", QStringLiteral("Team Talk"), twipsRect(360, 600, 1335, 255));
    Option7 = option(Frame3, "Option7", QStringLiteral("Public"), twipsRect(1440, 600, 1455, 255));

    Command14 = button(Frame1, "Command14", QStringLiteral("Formal Decoration"), twipsRect(3600, 2520, 975, 495));
    Command15 = button(Frame1, "Command15", QStringLiteral("Make it Jazzeehh!"), twipsRect(4560, 2520, 855, 495));
    Command25 = button(Frame1, "Command25", QStringLiteral("Red"), twipsRect(120, 3000, 615, 375));
    Command24 = button(Frame1, "Command24", QStringLiteral("Green"), twipsRect(720, 3000, 615, 375));
    Command23 = button(Frame1, "Command23", QStringLiteral("Yellow"), twipsRect(1320, 3000, 615, 375));
    Command22 = button(Frame1, "Command22", QStringLiteral("Blue"), twipsRect(1920, 3000, 615, 375));
    Command21 = button(Frame1, "Command21", QStringLiteral("Turquoise"), twipsRect(2520, 3000, 855, 375));
    Command20 = button(Frame1, "Command20", QStringLiteral("Pink"), twipsRect(3360, 3000, 615, 375));
    Command19 = button(Frame1, "Command19", QStringLiteral("White"), twipsRect(3960, 3000, 735, 375));
    Command18 = button(Frame1, "Command18", QStringLiteral("Black"), twipsRect(4680, 3000, 735, 375));
    Command13 = button(Frame1, "Command13", QStringLiteral("Add"), twipsRect(120, 3360, 5295, 735));

    rtcwKindGroup = optionGroup(this, {OptVoice, OptSay});
    rtcwScopeGroup = optionGroup(this, {Option6, Option7});
}

void Form1::createSharedControls()
{
    Text2 = lineEdit(this, "Text2", QStringLiteral("Status:"), twipsRect(0, 4320, 11175, 285));
    Text2->setReadOnly(true);
    // Made after the Quake 3 frame, so it is drawn above it.
    Command1 = button(this, "Command1", QStringLiteral("Add"), twipsRect(120, 3360, 5295, 735));
    Label2 = label(this, "Label2", QStringLiteral("Made by the Bindwright team, 2026"), twipsRect(2880, 4680, 5535, 255));
}

void Form1::setTabOrder()
{
    const QList<QWidget *> order = {
        txtkey,    txtsay,    Command1,  Command2,   Command3,   Command4,  Command5,  Command6,
        Command7,  Command8,  Command9,  Text2,      Option3,    Option4,   Command10, Command11,
        Command12, txtmod,    Option5,   Option2,    Option1,    Text1,     txtwolfdir, txtwolfkey,
        OptVoice,  OptSay,    CboVoice,  Command13,  Option7,    Option6,   txtwolfsay, Command14,
        Command15, Command16, Command17, Command18,  Command19,  Command20, Command21, Command22,
        Command23, Command24, Command25,
    };
    for (qsizetype i = 1; i < order.size(); ++i)
        QWidget::setTabOrder(order.at(i - 1), order.at(i));
}

void Form1::setAccessibleNames()
{
    // A screen reader names each control by its label or caption and its panel: the two
    // panels hold the same captions ("Add", "Red", "...").
    const QList<std::pair<QWidget *, QString>> names = {
        {Text1, QStringLiteral("Quake 3 root folder")},
        {Command16, QStringLiteral("Quake 3 pick the root folder")},
        {Option1, QStringLiteral("Quake 3 mod folder baseq3")},
        {Option2, QStringLiteral("Quake 3 mod folder osp")},
        {Option5, QStringLiteral("Quake 3 mod folder: the custom mod folder")},
        {txtmod, QStringLiteral("custom mod folder")},
        {txtkey, QStringLiteral("Quake 3 key")},
        {txtsay, QStringLiteral("Quake 3 text to say")},
        {Option3, QStringLiteral("Quake 3 Team Talk")},
        {Option4, QStringLiteral("Quake 3 Public")},
        {Command10, QStringLiteral("Quake 3 Formal Decoration")},
        {Command11, QStringLiteral("Quake 3 Uber-Jazz")},
        {Command12, QStringLiteral("Quake 3 Tessel Scheme")},
        {Command1, QStringLiteral("Quake 3 Add")},
        {txtwolfdir, QStringLiteral("RTCW root folder")},
        {Command17, QStringLiteral("RTCW pick the root folder")},
        {txtwolfkey, QStringLiteral("RTCW key")},
        {OptVoice, QStringLiteral("RTCW bind a voice command")},
        {CboVoice, QStringLiteral("voice command")},
        {OptSay, QStringLiteral("RTCW bind a text to say")},
        {txtwolfsay, QStringLiteral("RTCW text to say")},
        {Option6, QStringLiteral("RTCW Team Talk")},
        {Option7, QStringLiteral("RTCW Public")},
        {Command14, QStringLiteral("RTCW Formal Decoration")},
        {Command15, QStringLiteral("RTCW Make it Jazzeehh!")},
        {Command13, QStringLiteral("RTCW Add")},
        {Text2, QStringLiteral("Status")},
    };
    for (const auto &[control, name] : names)
        control->setAccessibleName(name);
    // On Linux a combo box is announced by its text; the box typed into carries the name.
    CboVoice->lineEdit()->setAccessibleName(CboVoice->accessibleName());
    const QList<WrapButton *> quake3Colours = {Command2, Command3, Command4, Command5,
                                               Command6, Command7, Command8, Command9};
    const QList<WrapButton *> rtcwColours = {Command25, Command24, Command23, Command22,
                                             Command21, Command20, Command19, Command18};
    for (qsizetype i = 0; i < quake3Colours.size(); ++i) {
        quake3Colours.at(i)->setAccessibleName(QStringLiteral("Quake 3 ") + quake3Colours.at(i)->text());
        rtcwColours.at(i)->setAccessibleName(QStringLiteral("RTCW ") + rtcwColours.at(i)->text());
    }
}

void Form1::connectHandlers()
{
    connect(Command1, &QPushButton::clicked, this, &Form1::Command1_Click);
    connect(Command13, &QPushButton::clicked, this, &Form1::Command13_Click);
    connect(Command2, &QPushButton::clicked, this, &Form1::Command2_Click);
    connect(Command3, &QPushButton::clicked, this, &Form1::Command3_Click);
    connect(Command4, &QPushButton::clicked, this, &Form1::Command4_Click);
    connect(Command5, &QPushButton::clicked, this, &Form1::Command5_Click);
    connect(Command6, &QPushButton::clicked, this, &Form1::Command6_Click);
    connect(Command7, &QPushButton::clicked, this, &Form1::Command7_Click);
    connect(Command8, &QPushButton::clicked, this, &Form1::Command8_Click);
    connect(Command9, &QPushButton::clicked, this, &Form1::Command9_Click);
    connect(Command10, &QPushButton::clicked, this, &Form1::Command10_Click);
    connect(Command11, &QPushButton::clicked, this, &Form1::Command11_Click);
    connect(Command12, &QPushButton::clicked, this, &Form1::Command12_Click);
    connect(Command14, &QPushButton::clicked, this, &Form1::Command14_Click);
    connect(Command15, &QPushButton::clicked, this, &Form1::Command15_Click);
    connect(Command18, &QPushButton::clicked, this, &Form1::Command18_Click);
    connect(Command19, &QPushButton::clicked, this, &Form1::Command19_Click);
    connect(Command20, &QPushButton::clicked, this, &Form1::Command20_Click);
    connect(Command21, &QPushButton::clicked, this, &Form1::Command21_Click);
    connect(Command22, &QPushButton::clicked, this, &Form1::Command22_Click);
    connect(Command23, &QPushButton::clicked, this, &Form1::Command23_Click);
    connect(Command24, &QPushButton::clicked, this, &Form1::Command24_Click);
    connect(Command25, &QPushButton::clicked, this, &Form1::Command25_Click);
    connect(Command16, &QPushButton::clicked, this, &Form1::Command16_Click);
    connect(Command17, &QPushButton::clicked, this, &Form1::Command17_Click);
    txtmod->installEventFilter(this);

    // Each panel's previews follow its own texts and chat scope.
    connect(txtsay, &QLineEdit::textChanged, this, &Form1::updateQuake3Preview);
    connect(quake3ScopeGroup, &QButtonGroup::idClicked, this, &Form1::updateQuake3Preview);
    connect(txtwolfsay, &QLineEdit::textChanged, this, &Form1::updateRtcwPreviews);
    connect(CboVoice, &QComboBox::editTextChanged, this, &Form1::updateRtcwPreviews);
    connect(rtcwScopeGroup, &QButtonGroup::idClicked, this, &Form1::updateRtcwPreviews);
    updateQuake3Preview();
    updateRtcwPreviews();
}

void Form1::updateQuake3Preview()
{
    const binds::Quake3Panel quake3 = quake3Panel();
    txtsay->setToolTip(chatPreviewHtml(quake3.say, decorate::ColourRules::Original, quake3.scope));
}

void Form1::updateRtcwPreviews()
{
    const binds::RtcwPanel rtcw = rtcwPanel();
    txtwolfsay->setToolTip(chatPreviewHtml(rtcw.say, decorate::ColourRules::Original, rtcw.scope));
    CboVoice->setToolTip(chatPreviewHtml(rtcw.voice, decorate::ColourRules::Original, binds::ChatScope::None));
}

void Form1::showChatPreview(QLineEdit *box)
{
    // For a moment, by the box: the player sees what the click did.
    m_chatPreview->showUnder(box, box->toolTip());
}

void Form1::setReporter(Reporter reporter)
{
    m_reporter = std::move(reporter);
}

void Form1::report(const QString &message)
{
    m_reporter(message);
}

// ---- start and stop

void Form1::Form_Load()
{
    CboVoice->addItems(binds::voiceCommands());
    // Filling the list picks its first entry; the box keeps showing its start text.
    CboVoice->setCurrentIndex(-1);
    CboVoice->setEditText(binds::voicePlaceholder.toString());

    // A missing or unreadable settings file leaves both boxes as they are. One that
    // could not be read may still hold folders: it is only replaced once the player
    // changes a root folder.
    QString unreadable;
    if (const std::optional<settings::Folders> folders = settings::load(m_settingsPath, &unreadable)) {
        Text1->setText(folders->quake3);
        txtwolfdir->setText(folders->rtcw);
    } else if (!unreadable.isEmpty()) {
        m_unreadSettingsFolders = rootFolders();
    }
    txtkey->setFocus();
}

void Form1::Form_Unload()
{
    if (m_picker)
        m_picker->close(); // it writes into this window, so it goes with it
    if (m_unreadSettingsFolders == rootFolders())
        return;
    QString error;
    if (!settings::save(m_settingsPath, rootFolders(), &error))
        report(error);
}

void Form1::closeEvent(QCloseEvent *event)
{
    Form_Unload();
    event->accept();
}

// ---- the bind line writer and the two "Add" buttons

bool Form1::WriteLine(const QString &key, const QString &text, const QString &dirloc)
{
    QString error;
    QString notice;
    if (!binds::writeLine({key, text, dirloc}, m_host, &error, &notice)) {
        report(error);
        return false;
    }
    if (!notice.isEmpty())
        report(notice);
    return true;
}

settings::Folders Form1::rootFolders() const
{
    return {Text1->text(), txtwolfdir->text()};
}

binds::Quake3Panel Form1::quake3Panel() const
{
    binds::Quake3Panel panel{Text1->text(), txtmod->text(), txtsay->text(), txtkey->text()};
    if (Option1->isChecked())
        panel.mod = binds::Quake3Mod::Baseq3;
    else if (Option2->isChecked())
        panel.mod = binds::Quake3Mod::Osp;
    else if (Option5->isChecked())
        panel.mod = binds::Quake3Mod::Custom;
    if (Option3->isChecked())
        panel.scope = binds::ChatScope::Team;
    else if (Option4->isChecked())
        panel.scope = binds::ChatScope::Public;
    return panel;
}

binds::RtcwPanel Form1::rtcwPanel() const
{
    binds::RtcwPanel panel{txtwolfdir->text(), txtwolfkey->text(), CboVoice->currentText(), txtwolfsay->text()};
    if (OptVoice->isChecked())
        panel.kind = binds::RtcwKind::Voice;
    else if (OptSay->isChecked())
        panel.kind = binds::RtcwKind::Say;
    if (Option6->isChecked())
        panel.scope = binds::ChatScope::Team;
    else if (Option7->isChecked())
        panel.scope = binds::ChatScope::Public;
    return panel;
}

void Form1::Command1_Click()
{
    QString error;
    const std::optional<binds::BindRequest> request = binds::quake3Request(quake3Panel(), m_host, &error);
    if (!request) {
        report(error);
        return;
    }
    if (WriteLine(request->key, request->text, request->dirloc))
        Text2->setText(binds::quake3Status(Text2->text(), txtsay->text()));
}

void Form1::Command13_Click()
{
    const binds::RtcwAssembly assembly = binds::rtcwRequest(rtcwPanel(), m_host);
    txtwolfdir->setText(assembly.root);
    if (!assembly.request) {
        report(assembly.error);
        return;
    }
    const binds::BindRequest &request = *assembly.request;
    if (WriteLine(request.key, request.text, request.dirloc))
        Text2->setText(binds::rtcwStatus(Text2->text()));
}

bool Form1::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == txtmod && event->type() == QEvent::FocusOut) {
        // Window switches and context menus take the focus too; only moving on counts.
        const Qt::FocusReason reason = static_cast<QFocusEvent *>(event)->reason();
        if (reason != Qt::ActiveWindowFocusReason && reason != Qt::PopupFocusReason)
            txtmod_LostFocus();
    }
    return QWidget::eventFilter(watched, event);
}

void Form1::txtmod_LostFocus()
{
    const QString normalised = binds::normalisedCustomMod(txtmod->text(), m_host.style);
    if (normalised != txtmod->text())
        txtmod->setText(normalised);
}

// ---- decoration

void Form1::decorateBox(QLineEdit *box, const QString &decorated)
{
    box->setText(decorated);
    showChatPreview(box);
}

void Form1::addColour(QLineEdit *box, int digit, bool takeFocus)
{
    if (takeFocus)
        box->setFocus(Qt::OtherFocusReason);
    decorateBox(box, decorate::withColour(box->text(), digit));
}

void Form1::jazzBox(QLineEdit *box)
{
    QString error;
    if (const std::optional<QString> jazzed = decorate::jazz(box->text(), m_jazzRandom, &error))
        decorateBox(box, *jazzed);
    else
        report(error);
}

void Form1::Command2_Click() { addColour(txtsay, 1, true); }
void Form1::Command3_Click() { addColour(txtsay, 2, false); }
void Form1::Command4_Click() { addColour(txtsay, 3, false); }
void Form1::Command5_Click() { addColour(txtsay, 4, false); }
void Form1::Command6_Click() { addColour(txtsay, 5, false); }
void Form1::Command7_Click() { addColour(txtsay, 6, false); }
void Form1::Command8_Click() { addColour(txtsay, 7, false); }
void Form1::Command9_Click() { addColour(txtsay, 8, false); }
void Form1::Command10_Click() { decorateBox(txtsay, decorate::formalDecoration(txtsay->text())); }
void Form1::Command11_Click() { jazzBox(txtsay); }
void Form1::Command12_Click() { decorateBox(txtsay, decorate::tesselScheme(txtsay->text())); }
void Form1::Command14_Click() { decorateBox(txtwolfsay, decorate::formalDecoration(txtwolfsay->text())); }
void Form1::Command15_Click() { jazzBox(txtwolfsay); }
void Form1::Command25_Click() { addColour(txtwolfsay, 1, true); }
void Form1::Command24_Click() { addColour(txtwolfsay, 2, true); }
void Form1::Command23_Click() { addColour(txtwolfsay, 3, true); }
void Form1::Command22_Click() { addColour(txtwolfsay, 4, true); }
void Form1::Command21_Click() { addColour(txtwolfsay, 5, true); }
void Form1::Command20_Click() { addColour(txtwolfsay, 6, true); }
void Form1::Command19_Click() { addColour(txtwolfsay, 7, true); }
void Form1::Command18_Click() { addColour(txtwolfsay, 8, true); }

// ---- the folder picker

void Form1::openFolderPicker(qint16 game)
{
    if (!m_picker)
        m_picker = new Form2(Text1, txtwolfdir, m_host, this);
    m_picker->GetDir(game);
}

void Form1::Command16_Click() { openFolderPicker(quake3Game); }
void Form1::Command17_Click() { openFolderPicker(rtcwGame); }
