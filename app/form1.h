#pragma once

#include "binds/quake3.h"
#include "binds/rtcw.h"
#include "decorate/randomsource.h"
#include "host/folderstring.h"
#include "settings/settingsfile.h"

#include <QPointer>
#include <QWidget>
#include <functional>

class QButtonGroup;
class QComboBox;
class QFrame;
class QGroupBox;
class QLabel;
class QLineEdit;
class QRadioButton;
class WrapButton;
class Form2;
class ChatPreviewPopup;

// The main window: both game panels, the status box, and every handler of the program.
// The controls are the only state; each handler reads them, calls the libraries and
// writes the result back.
class Form1 : public QWidget
{
    Q_OBJECT

public:
    // Shows a failure or refusal to the player; tests put their own in.
    using Reporter = std::function<void(const QString &message)>;

    explicit Form1(const QString &settingsPath, QWidget *parent = nullptr);
    ~Form1() override;

    // Appends one bind line to autoexec.cfg in dirloc; tells the player when it cannot,
    // and when the file grows past what the original games read.
    bool WriteLine(const QString &key, const QString &text, const QString &dirloc);

    void setReporter(Reporter reporter);

protected:
    void closeEvent(QCloseEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private slots:
    void Command1_Click();
    void Command13_Click();
    void Command2_Click();
    void Command3_Click();
    void Command4_Click();
    void Command5_Click();
    void Command6_Click();
    void Command7_Click();
    void Command8_Click();
    void Command9_Click();
    void Command10_Click();
    void Command11_Click();
    void Command12_Click();
    void Command14_Click();
    void Command15_Click();
    void Command18_Click();
    void Command19_Click();
    void Command20_Click();
    void Command21_Click();
    void Command22_Click();
    void Command23_Click();
    void Command24_Click();
    void Command25_Click();
    void Command16_Click();
    void Command17_Click();
    void updateQuake3Preview();
    void updateRtcwPreviews();

private:
    void Form_Load();
    void Form_Unload();
    void txtmod_LostFocus();

    void createQuake3Panel();
    void createRtcwPanel();
    void createSharedControls();
    void setTabOrder();
    void setAccessibleNames();
    void connectHandlers();

    void report(const QString &message);
    settings::Folders rootFolders() const;
    binds::Quake3Panel quake3Panel() const;
    binds::RtcwPanel rtcwPanel() const;
    void decorateBox(QLineEdit *box, const QString &decorated);
    void showChatPreview(QLineEdit *box);
    void addColour(QLineEdit *box, int digit, bool takeFocus);
    void jazzBox(QLineEdit *box);
    void openFolderPicker(qint16 game);

    const QString m_settingsPath;
    const host::Host m_host = host::Host::current();
    decorate::SplitMix64 m_jazzRandom; // one for both panels
    Reporter m_reporter;
    QPointer<Form2> m_picker;
    ChatPreviewPopup *m_chatPreview;
    // The root folders at start when settings.cfg could not be read: while the boxes
    // still hold them, the file is kept as it is.
    std::optional<settings::Folders> m_unreadSettingsFolders;

    // Quake 3 panel
    QGroupBox *Frame2;
    QLabel *Label5, *Label1, *Label3, *Label4;
    QLineEdit *Text1, *txtmod, *txtkey, *txtsay;
    WrapButton *Command16;
    QRadioButton *Option1, *Option2, *Option5, *Option3, *Option4;
    WrapButton *Command10, *Command11, *Command12;
    WrapButton *Command2, *Command3, *Command4, *Command5, *Command6, *Command7, *Command8, *Command9;
    QButtonGroup *quake3ModGroup, *quake3ScopeGroup;

    // RTCW panel
    QGroupBox *Frame1;
    QFrame *Frame3;
    QLabel *Label10, *Label6, *Label7, *Label8, *Label9;
    QLineEdit *txtwolfdir, *txtwolfkey, *txtwolfsay;
    WrapButton *Command17;
    QRadioButton *OptVoice, *OptSay, *Option6, *Option7;
    QComboBox *CboVoice;
    WrapButton *Command14, *Command15, *Command13;
    WrapButton *Command25, *Command24, *Command23, *Command22, *Command21, *Command20, *Command19, *Command18;
    QButtonGroup *rtcwKindGroup, *rtcwScopeGroup;

    // Under both panels
    QLineEdit *Text2;
    WrapButton *Command1;
    QLabel *Label2;
};
