#include "appearance.h"
#include "appicon.h"
#include "keyboardwindow.h"
#include "mainwindow.h"
#include "messagetext.h"
#include "testfiles.h"
#include "testhost.h"
#include "version.h"
#include "windowtesting.h"
#include "wrapbutton.h"

#include "binds/add/chat.h"
#include "binds/add/rtcw.h"
#include "decorate/decorations.h"
#include "settings/settingsfile.h"

#include <QAccessible>
#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPointer>
#include <QRadioButton>
#include <QScopeGuard>
#include <QTemporaryDir>
#include <QTest>
#include <QTextLayout>
#include <QTreeView>
#include <QtEndian>

#include <memory>

namespace {

// What a control's text needs against the room it has, and in which font.
QString clipped(const QWidget *control, const QRect &needed, const QRect &room, const char *fault = "clips its text")
{
    return QStringLiteral("%1 %12: %2 by %3 at (%4, %5) needed in %6 by %7 at (%8, %9) (%10 %11 px)")
        .arg(control->objectName())
        .arg(needed.width())
        .arg(needed.height())
        .arg(needed.x())
        .arg(needed.y())
        .arg(room.width())
        .arg(room.height())
        .arg(room.x())
        .arg(room.y())
        .arg(QFontInfo(control->font()).family())
        .arg(QFontInfo(control->font()).pixelSize())
        .arg(QLatin1String(fault));
}

// Every caption and label holds its text in its box, as laid out.
void verifyCaptionsFit(MainWindow *window)
{
    window->show();
    QVERIFY(QTest::qWaitForWindowExposed(window));
    if (QFontInfo(window->font()).family().isEmpty())
        QSKIP("this platform has no fonts to measure captions with (Qt's offscreen platform on Windows)");
    qInfo("captions measured at %d dots per inch", qRound(96 * window->devicePixelRatio()));
    // The two option buttons whose captions the design cuts off on purpose.
    const QStringList cutOff = {QStringLiteral("Option5"), QStringLiteral("OptSay")};

    for (WrapButton *button : window->findChildren<WrapButton *>()) {
        const QRect room = button->captionRect();
        const QRect needed = button->fontMetrics().boundingRect(room, WrapButton::textFlags, button->text());
        // One line may take the button's whole height: the style's margins keep its frame.
        const QRect within(room.left(), 0, room.width(), button->height());
        QVERIFY2(within.contains(needed), qPrintable(clipped(button, needed, within)));
        const int longestWord = [&] {
            int widest = 0;
            for (const QString &word : button->text().split(u' '))
                widest = qMax(widest, button->fontMetrics().horizontalAdvance(word));
            return widest;
        }();
        QVERIFY2(longestWord <= room.width(), qPrintable(button->objectName() + QStringLiteral(" splits a word")));
    }
    for (QLabel *label : window->findChildren<QLabel *>()) {
        const QRect needed = label->fontMetrics().boundingRect(label->contentsRect(), Qt::TextWordWrap, label->text());
        QVERIFY2(label->contentsRect().contains(needed), qPrintable(clipped(label, needed, label->contentsRect())));
        QVERIFY2(needed.height() < 2 * label->fontMetrics().lineSpacing(),
                 qPrintable(clipped(label, needed, label->contentsRect(), "wraps onto a second line")));
    }
    for (QRadioButton *option : window->findChildren<QRadioButton *>()) {
        if (cutOff.contains(option->objectName()) || option->text().isEmpty())
            continue;
        QVERIFY2(option->sizeHint().width() <= option->width(),
                 qPrintable(option->objectName() + QStringLiteral(" clips its caption")));
    }
    for (QGroupBox *frame : window->findChildren<QGroupBox *>())
        QVERIFY2(frame->fontMetrics().horizontalAdvance(frame->title()) < frame->width(),
                 qPrintable(frame->objectName()));
}

} // namespace

class TestMainWindow : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup();

    void startState_captionsTextsAndSelections();
    void startState_voiceList();
    void startState_focusInKey();
    void windowsIcon_holdsEverySize_data();
    void windowsIcon_holdsEverySize();
    void layout_matchesTheDesign();
    void captions_fitTheirBoxes();
    void captions_fitWhateverFontATheme_offers();
    void accessibleNames_tellEveryControlApart();
    void tabOrder_followsTheDesign();
    void optionGroups_areIndependent();
    void enterAndEscape_pressNothing();
    void messages_breakPathsOnlyAtSeparators_data();
    void messages_breakPathsOnlyAtSeparators();

    void quake3Add_writesBindAndStatus();
    void quake3Add_rawConsoleTextStraightAfterStart();
    void rtcwAdd_normalisesRootAndWritesIntoMain_data();
    void rtcwAdd_normalisesRootAndWritesIntoMain();
    void rtcwAdd_twiceGrowsStatus();
    void rtcwAdd_bindsTheVoiceCommandAsTyped_data();
    void rtcwAdd_bindsTheVoiceCommandAsTyped();
    void add_fileGrowingPastTheOriginalGamesIsTold();
    void keyNow_showsWhatTheKeyDoesAtTheNextStart();
    void bindsWindow_listsAndRemoves();
    void keysWindow_marksWhatEachKeyDoes_data();
    void keysWindow_marksWhatEachKeyDoes();
    void undo_givesTheFileItsBytesBack_data();
    void undo_givesTheFileItsBytesBack();
    void bindsWindow_rowEditedInPlace_data();
    void bindsWindow_rowEditedInPlace();
    void bindsWindow_removalOffersTheGamesOwnConfig_data();
    void bindsWindow_removalOffersTheGamesOwnConfig();
    void modsFirstAutoexec_startsWithTheBaseLines_data();
    void modsFirstAutoexec_startsWithTheBaseLines();
    void readElsewhere_yesWritesIntoTheFileTheGameRuns_data();
    void readElsewhere_yesWritesIntoTheFileTheGameRuns();
    void add_refusalChangesNothingAndNextAddWorks();
    void add_writeFailureIsReported();

    void colourButtons_appendAndMoveFocus();
    void decorations_editTheirPanelOnly();
    void jazz_tooLongIsReportedAndKept();
    void chatPreview_showsAfterADecoration();
    void txtmod_normalisedWhenFocusMovesOn();

    void settings_loadedAtStartSavedAtClose();
    void settings_failedSaveIsReportedAndCloseCompletes();
    void settings_aCopyClosedUntouchedLeavesTheOthersFolders();
    void settings_aRootTheCodePageCannotHoldCostsOnlyThatRoot();
    void settings_twoWindowsKeepEachOnesChange_data();
    void settings_twoWindowsKeepEachOnesChange();
    void settings_unreadableFileKeptUntilAFolderChanges_data();
    void settings_unreadableFileKeptUntilAFolderChanges();
    void settings_fifoDoesNotStopTheWindow();
    void boxes_takeAnyLength();
    void singleLineBoxes_dropLineBreaks_data();
    void singleLineBoxes_dropLineBreaks();

private:
    QLineEdit *box(const char *name) { return control<QLineEdit>(m_window.get(), name); }
    QRadioButton *radio(const char *name) { return control<QRadioButton>(m_window.get(), name); }
    void click(const char *buttonName)
    {
        QTest::mouseClick(control<QPushButton>(m_window.get(), buttonName), Qt::LeftButton);
    }
    void showAndActivate();
    // The Binds window of a panel, opened by its button.
    QWidget *openBindsWindow(const char *bindsButton);

    std::unique_ptr<QTemporaryDir> m_dir;
    QTemporaryDir m_programData; // the journal of changes, apart from the game folders
    std::unique_ptr<MainWindow> m_window;
    ReportedMessages m_reported;
    AskedQuestions m_asked;
};

void TestMainWindow::initTestCase()
{
    applyAppearance();
}

void TestMainWindow::init()
{
    m_dir = std::make_unique<QTemporaryDir>();
    m_reported = {};
    m_window = std::make_unique<MainWindow>(host::Host::current(), m_dir->filePath(QStringLiteral("settings.cfg")),
                                            m_programData.path());
    m_window->setReporter(m_reported.reporter());
    m_asked = {};
    m_window->setAsker(m_asked.asker());
}

void TestMainWindow::cleanup()
{
    m_window.reset();
    m_dir.reset();
}

void TestMainWindow::showAndActivate()
{
    m_window->show();
    QApplication::setActiveWindow(m_window.get());
    QVERIFY(QTest::qWaitForWindowActive(m_window.get()));
}

void TestMainWindow::startState_captionsTextsAndSelections()
{
    QCOMPARE(m_window->windowTitle(), QLatin1String(bindwrightCaption));
    QCOMPARE(control<QGroupBox>(m_window.get(), "Frame2")->title(), QStringLiteral("Quake3"));
    QCOMPARE(control<QGroupBox>(m_window.get(), "Frame1")->title(),
             QStringLiteral("Return to Castle Wolfenstein Multiplayer"));
    QCOMPARE(box("Text2")->text(), QStringLiteral("Status:"));
    QVERIFY(box("Text2")->isReadOnly());
    QCOMPARE(box("txtmod")->text(), QStringLiteral("other"));
    for (const char *empty : {"Text1", "txtkey", "txtsay", "txtwolfdir", "txtwolfkey", "txtwolfsay"})
        QVERIFY2(box(empty)->text().isEmpty(), empty);

    const QList<std::pair<const char *, const char *>> captions = {{"Command1", "Add"},
                                                                   {"Command13", "Add"},
                                                                   {"Command2", "Red"},
                                                                   {"Command9", "Black"},
                                                                   {"Command25", "Red"},
                                                                   {"Command18", "Black"},
                                                                   {"Command10", "Formal Decoration"},
                                                                   {"Command11", "Uber-Jazz"},
                                                                   {"Command12", "Tessel Scheme"},
                                                                   {"Command14", "Formal Decoration"},
                                                                   {"Command15", "Make it Jazzeehh!"},
                                                                   {"Command16", "..."},
                                                                   {"Command17", "..."},
                                                                   {"Option1", "Baseq3"},
                                                                   {"Option2", "OSP"},
                                                                   {"Option3", "Team Talk"},
                                                                   {"Option4", "Public"},
                                                                   {"Option6", "Team Talk"},
                                                                   {"Option7", "Public"},
                                                                   {"Option5", "Option5"},
                                                                   {"OptSay", "Option6"}};
    for (const auto &[name, caption] : captions)
        QCOMPARE(control<QAbstractButton>(m_window.get(), name)->text(), QLatin1String(caption));
    QCOMPARE(control<QLabel>(m_window.get(), "Label5")->text(),
             QStringLiteral("**Bindwright remembers this dir next time you open**"));
    QVERIFY(!control<QLabel>(m_window.get(), "Label2")->text().isEmpty());

    QVERIFY(radio("Option2")->isChecked());
    for (const char *unchecked :
         {"Option1", "Option5", "Option3", "Option4", "OptVoice", "OptSay", "Option6", "Option7"})
        QVERIFY2(!radio(unchecked)->isChecked(), unchecked);
}

void TestMainWindow::startState_voiceList()
{
    auto *voice = control<QComboBox>(m_window.get(), "CboVoice");
    QVERIFY(voice->isEditable());
    QCOMPARE(voice->currentText(), QStringLiteral("Voice Commands"));
    QCOMPARE(voice->currentIndex(), -1);
    QCOMPARE(voice->count(), 35);
    for (int i = 0; i < voice->count(); ++i)
        QCOMPARE(voice->itemText(i), binds::voiceCommands().at(i));
}

void TestMainWindow::startState_focusInKey()
{
    showAndActivate();
    QCOMPARE(QApplication::focusWidget(), box("txtkey"));
}

void TestMainWindow::windowsIcon_holdsEverySize_data()
{
    QTest::addColumn<int>("entry");
    QTest::addColumn<int>("size");
    QTest::addColumn<bool>("png"); // else a bitmap with its mask
    const QList<int> sizes = {16, 24, 32, 48, 64, 256};
    for (int i = 0; i < sizes.size(); ++i)
        QTest::addRow("%d pixels", sizes.at(i)) << i << sizes.at(i) << (sizes.at(i) == 256);
}

void TestMainWindow::windowsIcon_holdsEverySize()
{
    QFETCH(int, entry);
    QFETCH(int, size);
    QFETCH(bool, png);
    const QByteArray ico = icoFile();
    auto word = [&](qsizetype at) { return qFromLittleEndian<quint16>(ico.constData() + at); };
    auto dword = [&](qsizetype at) { return qFromLittleEndian<quint32>(ico.constData() + at); };
    QCOMPARE(word(2), quint16(1)); // an icon
    QCOMPARE(word(4), quint16(6));
    const qsizetype dir = 6 + 16 * entry;
    QCOMPARE(quint8(ico.at(dir)), quint8(size == 256 ? 0 : size));
    const QByteArray image = ico.mid(dword(dir + 12), dword(dir + 8));
    QCOMPARE(image.size(), qsizetype(dword(dir + 8)));
    if (png) {
        QCOMPARE(QImage::fromData(image, "PNG").size(), QSize(size, size));
    } else {
        QCOMPARE(qFromLittleEndian<quint32>(image.constData()), quint32(40));
        QCOMPARE(qFromLittleEndian<qint32>(image.constData() + 4), qint32(size));
        QCOMPARE(qFromLittleEndian<qint32>(image.constData() + 8), qint32(2 * size));
        const qsizetype maskRow = ((size + 31) / 32) * 4;
        QCOMPARE(image.size(), 40 + 4 * size * size + maskRow * size);
    }
}

void TestMainWindow::layout_matchesTheDesign()
{
    QCOMPARE(m_window->size(), QSize(747, 363)); // the design's 335, and the engines' row under it
    QCOMPARE(control<QWidget>(m_window.get(), "quake3Engine")->geometry(), QRect(8, 336, 289, 21));
    QCOMPARE(control<QWidget>(m_window.get(), "quake3Keys")->geometry(), QRect(301, 336, 60, 21));
    QCOMPARE(control<QWidget>(m_window.get(), "rtcwEngine")->geometry(), QRect(384, 336, 289, 21));
    QCOMPARE(control<QWidget>(m_window.get(), "rtcwKeys")->geometry(), QRect(677, 336, 60, 21));
    QCOMPARE(m_window->minimumSize(), m_window->maximumSize());         // fixed, no resizing
    QVERIFY(!(m_window->windowFlags() & Qt::WindowMaximizeButtonHint)); // and no Maximize
    m_window->showMaximized();
    QTRY_VERIFY(!m_window->isMaximized());
    QCOMPARE(m_window->size(), QSize(747, 363));
    QCOMPARE(control<QWidget>(m_window.get(), "Frame3")->parentWidget()->objectName(), QStringLiteral("Frame1"));
    QCOMPARE(box("txtwolfsay")->parentWidget()->objectName(), QStringLiteral("Frame3"));
    QCOMPARE(box("txtwolfsay")->geometry(), QRect(40, 16, 233, 19));
    QCOMPARE(control<QWidget>(m_window.get(), "Command1")->parentWidget(), m_window.get());
    QCOMPARE(control<QWidget>(m_window.get(), "Command1")->geometry(), QRect(8, 224, 353, 49));
    QCOMPARE(control<QWidget>(m_window.get(), "Frame1")->geometry(), QRect(376, 0, 369, 281));
    QCOMPARE(box("Text2")->geometry(), QRect(0, 288, 745, 19));
    QCOMPARE(control<QWidget>(m_window.get(), "Command16")->geometry(), QRect(344, 32, 17, 17));
}

void TestMainWindow::captions_fitTheirBoxes()
{
    verifyCaptionsFit(m_window.get());
}

void TestMainWindow::captions_fitWhateverFontATheme_offers()
{
    // What qt6ct and its kin do: fonts of their own for the application and its classes.
    QFont big(QStringLiteral("DejaVu Sans"));
    big.setPointSize(16);
    const QFont before = QApplication::font();
    for (const char *widgetClass :
         {"QPushButton", "QAbstractButton", "QLabel", "QLineEdit", "QRadioButton", "QGroupBox", "QComboBox"})
        QApplication::setFont(big, widgetClass);
    QApplication::setFont(big);
    {
        MainWindow themed(host::Host::current(), m_dir->filePath(QStringLiteral("settings.cfg")),
                          m_dir->filePath(QStringLiteral("undo")));
        verifyCaptionsFit(&themed);
        QCOMPARE(control<QLabel>(&themed, "Label3")->font().pixelSize(), layoutFont().pixelSize());
    }
    QApplication::setFont(before);
    applyAppearance();
}

void TestMainWindow::accessibleNames_tellEveryControlApart()
{
    QStringList names;
    for (QWidget *control : m_window->findChildren<QWidget *>()) {
        if (!(control->focusPolicy() & Qt::TabFocus) || control->objectName().isEmpty())
            continue; // the controls a player reaches
        auto *combo = qobject_cast<QComboBox *>(control);
        QAccessibleInterface *accessible =
            QAccessible::queryAccessibleInterface(combo && combo->isEditable() ? combo->lineEdit() : control);
        QVERIFY2(accessible, qPrintable(control->objectName()));
        const QString name = accessible->text(QAccessible::Name);
        QVERIFY2(!name.isEmpty(), qPrintable(control->objectName() + QStringLiteral(" has no name")));
        QVERIFY2(!names.contains(name), qPrintable(QStringLiteral("two controls are called ") + name));
        names << name;
    }
    for (const char *expected : {"Quake 3 root folder", "RTCW key", "Quake 3 Add", "RTCW Add", "custom mod folder",
                                 "voice command", "Quake 3 Red", "RTCW pick the root folder"})
        QVERIFY2(names.contains(QLatin1String(expected)), expected);
}

void TestMainWindow::tabOrder_followsTheDesign()
{
    const QStringList expected = {
        "txtkey",    "txtsay",    "Command1",  "Command2",    "Command3",  "Command4",     "Command5",   "Command6",
        "Command7",  "Command8",  "Command9",  "Text2",       "Option3",   "Option4",      "Command10",  "Command11",
        "Command12", "txtmod",    "Option5",   "Option2",     "Option1",   "Text1",        "txtwolfdir", "txtwolfkey",
        "OptVoice",  "OptSay",    "CboVoice",  "Command13",   "Option7",   "Option6",      "txtwolfsay", "Command14",
        "Command15", "Command16", "Command17", "Command18",   "Command19", "Command20",    "Command21",  "Command22",
        "Command23", "Command24", "Command25", "quake3Binds", "rtcwBinds", "quake3Engine", "quake3Keys", "rtcwEngine",
        "rtcwKeys"}; // beyond the design, last

    // The focus chain, as Tab walks it, over the design's controls that take the focus
    // (Qt's own inner widgets, such as the combo box's line edit, have no design name).
    QStringList chain;
    QWidget *w = box("txtkey");
    do {
        const bool designControl = !w->objectName().isEmpty() && !w->objectName().startsWith(QLatin1String("qt_"));
        if (designControl && (w->focusPolicy() & Qt::TabFocus))
            chain << w->objectName();
        w = w->nextInFocusChain();
    } while (w != box("txtkey"));
    QCOMPARE(chain, expected);

    // And for real, from txtkey over the first stretch.
    showAndActivate();
    for (int i = 1; i < 12; ++i) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        QCOMPARE(QApplication::focusWidget()->objectName(), expected.at(i));
    }
}

void TestMainWindow::optionGroups_areIndependent()
{
    radio("Option3")->click(); // Team Talk
    QVERIFY(radio("Option2")->isChecked());
    radio("Option1")->click(); // Baseq3
    QVERIFY(!radio("Option2")->isChecked());
    QVERIFY(radio("Option3")->isChecked());
    radio("Option5")->click();
    QVERIFY(!radio("Option1")->isChecked());
    QVERIFY(radio("Option3")->isChecked());

    radio("OptVoice")->click();
    QVERIFY(!radio("Option6")->isChecked() && !radio("Option7")->isChecked());
    radio("Option7")->click();
    QVERIFY(radio("OptVoice")->isChecked() && !radio("OptSay")->isChecked());
    radio("OptSay")->click();
    QVERIFY(!radio("OptVoice")->isChecked() && radio("Option7")->isChecked());
    radio("Option7")->click(); // clicking the chosen one keeps it chosen
    QVERIFY(radio("Option7")->isChecked());
}

void TestMainWindow::enterAndEscape_pressNothing()
{
    showAndActivate();
    box("Text1")->setText(withSeparator(m_dir->path()));
    box("txtkey")->setText(QStringLiteral("f1"));
    for (QWidget *at : {static_cast<QWidget *>(box("txtkey")), static_cast<QWidget *>(box("txtsay"))}) {
        QTest::keyClick(at, Qt::Key_Return);
        QTest::keyClick(at, Qt::Key_Escape);
    }
    QCOMPARE(box("Text2")->text(), QStringLiteral("Status:"));
    QVERIFY(m_reported.messages.isEmpty());
    QVERIFY(m_window->isVisible());
}

void TestMainWindow::messages_breakPathsOnlyAtSeparators_data()
{
    QTest::addColumn<QString>("message");
    QTest::addColumn<QString>("path"); // the quoted path in it; empty: the message stays as it is
    QTest::newRow("a Windows path with blanks and hyphens")
        << "Could not add the bind to \"C:\\Program Files (x86)\\Steam\\steamapps\\common\\Return to Castle "
           "Wolfenstein\\Main\\autoexec.cfg\": the disk is full."
        << "C:\\Program Files (x86)\\Steam\\steamapps\\common\\Return to Castle Wolfenstein\\Main\\autoexec.cfg";
    QTest::newRow("a Linux path") << "Remove these 2 binds from \"/home/a-player/.q3a/my own mod/autoexec.cfg\"?"
                                  << "/home/a-player/.q3a/my own mod/autoexec.cfg";
    QTest::newRow("a quoted chat, no path") << "Other players would receive \"go - go now\": dots."
                                            << "";
    QTest::newRow("an unclosed quote") << "\"/a b/c"
                                       << "";
}

void TestMainWindow::messages_breakPathsOnlyAtSeparators()
{
    QFETCH(QString, message);
    QFETCH(QString, path);
    const QString shown = breakingPathsAtSeparators(message);
    if (path.isEmpty()) {
        QCOMPARE(shown, message);
        return;
    }
    // Laid out narrow, as a message box would: every line that ends inside the path ends
    // after a separator.
    QTextLayout layout(shown, m_window->font());
    QTextOption wrap;
    wrap.setWrapMode(QTextOption::WordWrap);
    layout.setTextOption(wrap);
    layout.beginLayout();
    QList<qsizetype> ends;
    for (QTextLine line = layout.createLine(); line.isValid(); line = layout.createLine()) {
        line.setLineWidth(120);
        ends << line.textStart() + line.textLength();
    }
    layout.endLayout();
    const qsizetype begin = shown.indexOf(u'"') + 1, end = shown.indexOf(u'"', begin);
    int insidePath = 0;
    for (const qsizetype at : std::as_const(ends)) {
        if (at > begin && at < end) {
            ++insidePath;
            QVERIFY2(shown.at(at - 1) == QChar(0x200B), qPrintable(shown.left(at) + QStringLiteral(" | ")));
        }
    }
    QVERIFY2(insidePath > 0, "the path fitted on one line: the test proves nothing");
    // The path reads as it was, the invisible marks aside.
    QString read = shown.mid(begin, end - begin);
    read.remove(QChar(0x200B)).replace(QChar(0x00A0), u' ').replace(QChar(0x2011), u'-');
    QCOMPARE(read, path);
}

void TestMainWindow::quake3Add_writesBindAndStatus()
{
    QVERIFY(QDir(m_dir->path()).mkdir(QStringLiteral("baseq3")));
    box("Text1")->setText(withSeparator(m_dir->path()));
    radio("Option1")->click();
    radio("Option3")->click();
    QTest::keyClicks(box("txtkey"), QStringLiteral("f1"));
    QTest::keyClicks(box("txtsay"), QStringLiteral("hi"));
    click("Command2"); // Red
    click("Command1");
    QVERIFY2(m_reported.messages.isEmpty(), qPrintable(m_reported.messages.join(u'\n')));
    QCOMPARE(contents(m_dir->filePath(QStringLiteral("baseq3/autoexec.cfg"))),
             QByteArray("bind f1 \"say_team hi^1\"\r\n"));
    QCOMPARE(box("Text2")->text(), QStringLiteral("Status: Added hi^1...."));

    box("txtsay")->setText(QStringLiteral("abcdefgh"));
    click("Command1");
    QCOMPARE(box("Text2")->text(), QStringLiteral("Status: Added hi^1.... Added abcde...."));
}

void TestMainWindow::quake3Add_rawConsoleTextStraightAfterStart()
{
    QVERIFY(QDir(m_dir->path()).mkdir(QStringLiteral("osp")));
    box("Text1")->setText(QDir::toNativeSeparators(m_dir->path())); // no final separator: added, not run into "osp"
    box("txtkey")->setText(QStringLiteral("space"));
    box("txtsay")->setText(QStringLiteral("vsay Hi"));
    click("Command1");
    QCOMPARE(contents(m_dir->filePath(QStringLiteral("osp/autoexec.cfg"))), QByteArray("bind space \"vsay Hi\"\r\n"));
    QCOMPARE(box("Text1")->text(), QDir::toNativeSeparators(m_dir->path())); // the box itself is left as typed
}

void TestMainWindow::rtcwAdd_normalisesRootAndWritesIntoMain_data()
{
    QTest::addColumn<QString>("main"); // as the disk spells it
    QTest::newRow("main") << "main";
    QTest::newRow("Steam's Main") << "Main";
}

void TestMainWindow::rtcwAdd_normalisesRootAndWritesIntoMain()
{
    QFETCH(QString, main);
    QVERIFY(QDir(m_dir->path()).mkdir(main));
    box("txtwolfdir")->setText(QDir::toNativeSeparators(m_dir->path()));
    box("txtwolfkey")->setText(QStringLiteral("mouse3"));
    radio("OptVoice")->click();
    auto *voice = control<QComboBox>(m_window.get(), "CboVoice");
    voice->setCurrentIndex(voice->findText(QStringLiteral("vsay_team Medic")));
    click("Command13");
    QVERIFY2(m_reported.messages.isEmpty(), qPrintable(m_reported.messages.join(u'\n')));
    QCOMPARE(box("txtwolfdir")->text(), withSeparator(m_dir->path()));
    QCOMPARE(contents(m_dir->filePath(main + QStringLiteral("/autoexec.cfg"))),
             QByteArray("bind mouse3 \"vsay_team Medic\"\r\n"));
    QCOMPARE(QDir(m_dir->path()).entryList(QDir::Dirs | QDir::NoDotAndDotDot), QStringList {main});
    QCOMPARE(box("Text2")->text(), QStringLiteral("Status:Wrote Bind..."));
}

void TestMainWindow::rtcwAdd_bindsTheVoiceCommandAsTyped_data()
{
    QTest::addColumn<QString>("typed");
    QTest::newRow("start of a listed command") << "vsay G";
    QTest::newRow("another case") << "vsay h";
    QTest::newRow("a listed command in lower case") << "vsay hi";
}

void TestMainWindow::rtcwAdd_bindsTheVoiceCommandAsTyped()
{
    QFETCH(QString, typed);
    showAndActivate();
    QVERIFY(QDir(m_dir->path()).mkdir(QStringLiteral("main")));
    box("txtwolfdir")->setText(withSeparator(m_dir->path()));
    box("txtwolfkey")->setText(QStringLiteral("f6"));
    radio("OptVoice")->click();
    auto *voice = control<QComboBox>(m_window.get(), "CboVoice");
    voice->lineEdit()->clear();
    voice->setFocus();
    QTest::keyClicks(voice, typed);
    QTest::keyClick(voice, Qt::Key_Return);
    QCOMPARE(voice->currentText(), typed);
    click("Command13");
    QCOMPARE(contents(m_dir->filePath(QStringLiteral("main/autoexec.cfg"))),
             QStringLiteral("bind f6 \"%1\"\r\n").arg(typed).toLatin1());
}

void TestMainWindow::add_fileGrowingPastTheOriginalGamesIsTold()
{
    QVERIFY(QDir(m_dir->path()).mkdir(QStringLiteral("osp")));
    writeFile(m_dir->filePath(QStringLiteral("osp/autoexec.cfg")), QByteArray(16380, '\n'));
    box("Text1")->setText(withSeparator(m_dir->path()));
    box("txtkey")->setText(QStringLiteral("f1"));
    box("txtsay")->setText(QStringLiteral("+attack"));
    click("Command1");
    click("Command1");
    QVERIFY2(m_reported.messages.isEmpty(), qPrintable(m_reported.messages.join(u'\n')));
    // Asked before writing, once, when the file passes the size; then the key is taken.
    QCOMPARE(m_asked.kinds, (QList {binds::Question::FileSize, binds::Question::TakeOver}));
    QVERIFY2(m_asked.questions.first().contains(QLatin1String("the whole file")),
             qPrintable(m_asked.questions.first()));
    QCOMPARE(box("Text2")->text(), QStringLiteral("Status: Added +atta.... Added +atta...."));
}

void TestMainWindow::rtcwAdd_twiceGrowsStatus()
{
    QVERIFY(QDir(m_dir->path()).mkdir(QStringLiteral("main")));
    box("txtwolfdir")->setText(withSeparator(m_dir->path()));
    box("txtwolfkey")->setText(QStringLiteral("f5"));
    radio("OptSay")->click();
    radio("Option6")->click();
    box("txtwolfsay")->setText(QStringLiteral("go go"));
    click("Command13");
    click("Command13"); // the key is bound there already: asked, then replaced in place
    QCOMPARE(m_asked.questions.size(), 1);
    QVERIFY2(m_asked.questions.first().contains(QLatin1String("already binds it to says to the team \"go go\"")),
             qPrintable(m_asked.questions.first()));
    QCOMPARE(box("txtwolfdir")->text(), withSeparator(m_dir->path()));
    QCOMPARE(box("Text2")->text(), QStringLiteral("Status:Wrote Bind...Wrote Bind..."));
    const QString file = m_dir->filePath(QStringLiteral("main/autoexec.cfg"));
    QCOMPARE(contents(file), QByteArray("bind f5 \"say_team go go\"\r\n"));

    m_asked.answer = binds::Answer::No; // No writes nothing
    box("txtwolfsay")->setText(QStringLiteral("other"));
    click("Command13");
    QCOMPARE(contents(file), QByteArray("bind f5 \"say_team go go\"\r\n"));
    QCOMPARE(box("Text2")->text(), QStringLiteral("Status:Wrote Bind...Wrote Bind... Not added: nothing written."));
    QVERIFY2(m_asked.questions.last().endsWith(QLatin1String(" No writes nothing.")),
             qPrintable(m_asked.questions.last()));

    // The file changes while the question is open (the game wrote it): nothing is overwritten.
    m_window->setAsker([&file](const binds::PlannedQuestion &) {
        writeFile(file, "bind f5 \"say_team go go\"\r\nbind f6 \"x\"\r\n");
        return binds::Answer::Yes;
    });
    click("Command13");
    QCOMPARE(contents(file), QByteArray("bind f5 \"say_team go go\"\r\nbind f6 \"x\"\r\n"));
    QVERIFY2(m_reported.messages.last().contains(QLatin1String("changed since")),
             qPrintable(m_reported.messages.last()));
}

void TestMainWindow::keyNow_showsWhatTheKeyDoesAtTheNextStart()
{
    QVERIFY(QDir(m_dir->path()).mkpath(QStringLiteral("baseq3")));
    writeFile(m_dir->filePath(QStringLiteral("baseq3/q3config.cfg")), "unbindall\r\nbind SPACE \"+moveup\"\r\n");
    auto *keyNow = control<QLabel>(m_window.get(), "quake3KeyNow");
    box("txtkey")->setText(QStringLiteral("space"));
    QCOMPARE(keyNow->text(), QString()); // no root yet: nothing is known
    box("Text1")->setText(withSeparator(m_dir->path()));
    QCOMPARE(keyNow->text(), QStringLiteral("space: jump (+moveup)"));
    radio("Option1")->click(); // Baseq3: the autoexec.cfg written there runs after the menus' binds
    radio("Option4")->click();
    box("txtsay")->setText(QStringLiteral("gg"));
    click("Command1");
    QCOMPARE(m_asked.questions.size(), 1); // space makes you jump: asked first
    QVERIFY2(m_asked.questions.first().contains(QLatin1String("jump (+moveup)")),
             qPrintable(m_asked.questions.first()));
    QCOMPARE(keyNow->text(), QStringLiteral("space: says \"gg\""));
    QVERIFY(control<QLabel>(m_window.get(), "rtcwKeyNow")->text().isEmpty());
    // A bind another program appends shows at once.
    QFile outside(m_dir->filePath(QStringLiteral("baseq3/autoexec.cfg")));
    QVERIFY(outside.open(QIODevice::Append) && outside.write("bind space \"+attack\"\r\n") > 0);
    outside.close();
    QTRY_COMPARE(keyNow->text(), QStringLiteral("space: fire (+attack)"));
    // The key box's press action, then the key at Q's place typing a, as on AZERTY: ioquake3's
    // name goes into the box; the engines that bind the place are said too.
    control<QComboBox>(m_window.get(), "quake3Engine")->setCurrentText(QStringLiteral("ioquake3"));
    auto *pressAction = m_window->findChild<QAction *>(QStringLiteral("txtkeyPress"));
    QVERIFY(pressAction);
    pressAction->trigger();
    QKeyEvent press(QEvent::KeyPress, Qt::Key_A, Qt::NoModifier, 24 /* Q's place, as X numbers it */, 0, 0,
                    QStringLiteral("a"));
    QApplication::sendEvent(box("txtkey"), &press);
    QCOMPARE(box("txtkey")->text(), QStringLiteral("a"));
    QCOMPARE(keyNow->text(), QStringLiteral("a: nothing yet"));
    const QString status = box("Text2")->text();
    QVERIFY2(status.contains(QLatin1String("ioquake3")) && status.contains(QLatin1String("it as a"))
                 && status.contains(QLatin1String("Quake3e")) && status.contains(QLatin1String("as q")),
             qPrintable(status));
}

void TestMainWindow::keysWindow_marksWhatEachKeyDoes_data()
{
    QTest::addColumn<QString>("corpusFile");
    for (const QString &name : QDir(QStringLiteral(":/corpus/console")).entryList(QDir::Files, QDir::Name))
        QTest::newRow(qPrintable(name)) << QStringLiteral(":/corpus/console/") + name;
}

// Over the console corpus as baseq3's autoexec.cfg: each key's mark says what the line
// under the panel says of the key, the free list holds the keys it calls unbound, and a
// click puts the key into the key box.
void TestMainWindow::keysWindow_marksWhatEachKeyDoes()
{
    QFETCH(QString, corpusFile);
    QFile corpus(corpusFile);
    QVERIFY(corpus.open(QIODevice::ReadOnly));
    QVERIFY(QDir(m_dir->path()).mkpath(QStringLiteral("baseq3")));
    writeFile(m_dir->filePath(QStringLiteral("baseq3/autoexec.cfg")), corpus.readAll());
    box("Text1")->setText(withSeparator(m_dir->path()));
    radio("Option1")->click();
    control<QComboBox>(m_window.get(), "quake3Engine")->setCurrentText(QStringLiteral("ioquake3"));
    click("quake3Keys");
    auto *window = m_window->findChild<KeyboardWindow *>(QStringLiteral("keyboardWindow"));
    QVERIFY(window && window->isVisible());
    auto *keyNow = control<QLabel>(m_window.get(), "quake3KeyNow");
    QStringList free;
    int marked = 0;
    for (KeyCapButton *key : window->keys()) {
        if (key->keyName().isEmpty()) {
            QVERIFY2(!key->isEnabled(), qPrintable(key->objectName()));
            continue;
        }
        box("txtkey")->setText(key->keyName());
        const QString does = keyNow->toolTip().section(QStringLiteral(": "), 1);
        const QString first = does.section(QStringLiteral(", then "), 0, 0); // the mark is the first command's
        const QString expectedMark = does == u"nothing yet"                 ? QString()
            : first.startsWith(u"says")                                     ? QStringLiteral("C")
            : first.startsWith(u"voice") || first.startsWith(u"team voice") ? QStringLiteral("V")
            : first.endsWith(u')')                                          ? QStringLiteral("A")
                                                                            : QStringLiteral("X");
        QVERIFY2(
            KeyCapButton::markOf(key->kind()) == expectedMark,
            qPrintable(
                QStringLiteral("%1 (%2) marked \"%3\"").arg(key->keyName(), does, KeyCapButton::markOf(key->kind()))));
        if (expectedMark.isEmpty() && !free.contains(key->keyName()))
            free << key->keyName();
        marked += expectedMark.isEmpty() ? 0 : 1;
    }
    auto *freeList = control<QListWidget>(window, "freeKeys");
    QStringList listed;
    for (int i = 0; i < freeList->count(); ++i)
        listed << freeList->item(i)->text();
    QCOMPARE(listed, free);
    if (corpusFile.endsWith(u"every-kind.cfg")) {
        QCOMPARE(marked, 8); // space, f1, f2, f3, q, kp_home, mwheelup, tab; mouse1 unbound
        // Hovering says which file and line bind it.
        const QString f1 = window->findChild<KeyCapButton *>(QStringLiteral("keyFK01"))->toolTip();
        QVERIFY2(f1.endsWith(QDir::toNativeSeparators(QStringLiteral("baseq3/autoexec.cfg, line 3"))), qPrintable(f1));
    }
    // A click chooses the key for the box.
    auto *f5 = window->findChild<KeyCapButton *>(QStringLiteral("keyFK05"));
    QVERIFY(f5);
    f5->click();
    QCOMPARE(box("txtkey")->text(), QStringLiteral("f5"));
    // By keyboard alone: the arrows go from key to key, Enter chooses.
    window->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(window));
    f5->setFocus();
    QCOMPARE(QApplication::focusWidget(), f5);
    QTest::keyClick(f5, Qt::Key_Right);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Down);
    QCOMPARE(QApplication::focusWidget()->objectName(), QStringLiteral("keyAE08")); // nearest under F6: 8
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
    QCOMPARE(box("txtkey")->text(), QStringLiteral("8"));
}

void TestMainWindow::bindsWindow_listsAndRemoves()
{
    QVERIFY(QDir(m_dir->path()).mkpath(QStringLiteral("osp")));
    const QString file = m_dir->filePath(QStringLiteral("osp/autoexec.cfg"));
    const QByteArray kept = "// mine\r\nseta cg_fov 110\r\n";
    writeFile(file, kept + "bind f1 \"say ^1gg\"\r\nbind f2 \"+attack\"\r\nbind f1 \"say ^2wp \xe9 100%\"");
    box("Text1")->setText(withSeparator(m_dir->path()));
    click("quake3Binds");
    auto *window = m_window->findChild<QWidget *>(QStringLiteral("bindsWindow"));
    QVERIFY(window && window->isVisible());
    auto *list = control<QTreeView>(window, "bindList");
    auto text = [list](int row, int column) { return list->model()->index(row, column).data().toString(); };
    auto select = [list](int row) {
        list->selectionModel()->select(list->model()->index(row, 0),
                                       QItemSelectionModel::Select | QItemSelectionModel::Rows);
    };
    QCOMPARE(list->model()->rowCount(), 3);
    QVERIFY2(text(0, 1).contains(QLatin1String("no effect")), qPrintable(text(0, 1)));
    QCOMPARE(text(1, 1), QStringLiteral("fire (+attack)"));
    QCOMPARE(text(2, 2), QStringLiteral("wp . 100.")); // as the others receive it, without its codes
    QVERIFY(control<QLabel>(window, "sizeLabel")->text().startsWith(QStringLiteral("90 bytes")));

    // Ctrl+C copies the selected rows as the file holds them, one bind to a line.
    select(1);
    select(2);
    window->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(window));
    list->setFocus();
    QTest::keyClick(list, Qt::Key_C, Qt::ControlModifier);
    QCOMPARE(QGuiApplication::clipboard()->text(),
             QStringLiteral("bind f2 \"+attack\"\nbind f1 \"say ^2wp \u00e9 100%\"\n"));
    list->selectionModel()->clearSelection();

    // Two at once only when the player says so, naming how many.
    select(0);
    select(1);
    m_asked.answer = binds::Answer::No;
    QTest::mouseClick(control<QPushButton>(window, "removeButton"), Qt::LeftButton);
    QCOMPARE(m_asked.kinds, QList {binds::Question::RemoveSeveral});
    QVERIFY2(m_asked.questions.first().contains(QLatin1String("these 2 binds")), qPrintable(m_asked.questions.first()));
    QCOMPARE(list->model()->rowCount(), 3);
    m_asked.answer = binds::Answer::Yes;
    list->selectionModel()->clearSelection();

    // Removing the dead line keeps every other byte, the missing final line end included.
    select(0);
    QTest::mouseClick(control<QPushButton>(window, "removeButton"), Qt::LeftButton);
    QCOMPARE(contents(file), kept + "bind f2 \"+attack\"\r\nbind f1 \"say ^2wp \xe9 100%\"");
    QCOMPARE(list->model()->rowCount(), 2);

    // A file that changed since it was listed is not overwritten: the list shows it anew.
    writeFile(file, "bind f9 x\r\n");
    select(0);
    QTest::mouseClick(control<QPushButton>(window, "removeButton"), Qt::LeftButton);
    QCOMPARE(contents(file), QByteArray("bind f9 x\r\n"));
    QCOMPARE(list->model()->rowCount(), 1);
    QVERIFY2(m_reported.messages.last().contains(QLatin1String("changed since")),
             qPrintable(m_reported.messages.last()));

    // Delete in the list removes as the button does; the list follows the file on disk.
    select(0);
    window->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(window));
    list->setFocus(); // as a click in the list gives it
    QTest::keyClick(list, Qt::Key_Delete);
    QCOMPARE(contents(file), QByteArray());
    auto *size = control<QLabel>(window, "sizeLabel");
    QTRY_VERIFY2(size->text().contains(QLatin1String("is empty")), qPrintable(size->text()));
    writeFile(file, "bind f3 x\r\n"); // another program adds a bind
    QTRY_COMPARE(list->model()->rowCount(), 1);
    QVERIFY(QFile::remove(file) && QDir().mkdir(file));
    QTRY_VERIFY2(size->text().contains(QLatin1String("A folder named autoexec.cfg")), qPrintable(size->text()));
    const QPointer<QWidget> open = window;
    QTest::keyClick(window, Qt::Key_Escape); // closes it, as its close button does
    QTRY_VERIFY(!open);
}

QWidget *TestMainWindow::openBindsWindow(const char *bindsButton)
{
    click(bindsButton);
    auto *window = m_window->findChild<QWidget *>(QStringLiteral("bindsWindow"));
    if (!window || !window->isVisible()) {
        QTest::qFail("the Binds window did not open", __FILE__, __LINE__);
        return m_window.get();
    }
    return window;
}

void TestMainWindow::undo_givesTheFileItsBytesBack_data()
{
    QTest::addColumn<QString>("change"); // add, replace, remove
    QTest::addColumn<QByteArray>("before");
    QTest::addColumn<bool>("restart");      // the program closed and started again before the undo
    QTest::addColumn<bool>("changedSince"); // another program changed the file after
    QTest::addColumn<bool>("byButton");     // the Binds window's Undo, else Ctrl+Z in the main window
    QByteArray sixtyOne = "// mine\r\n";
    const QByteArray keys =
        "a b c d e f g h i j k l m n o p q r s t u v w x y z 0 1 2 3 4 5 6 7 8 9 f1 f2 f3 f4 f5 f6 f7 "
        "f8 f9 f10 f11 f12 mouse1 mouse2 mouse3 mouse4 mouse5 space tab enter home end del ins pgup";
    for (const QByteArray &key : keys.split(' '))
        sixtyOne += "bind " + key + " \"say " + key + "\"\r\n";
    const QByteArray unended = "// mine\r\nbind f2 \"say hi\"\r\nseta cg_fov 110";
    QTest::newRow("an Add") << "add" << unended << false << false << false;
    QTest::newRow("an Add, after a restart") << "add" << unended << true << false << true;
    QTest::newRow("an Add that made the file") << "add" << QByteArray() << true << false << false;
    QTest::newRow("an Add, the file changed since") << "add" << unended << false << true << false;
    QTest::newRow("a replacement") << "replace" << unended << false << false << true;
    QTest::newRow("a replacement, after a restart") << "replace" << unended << true << false << false;
    QTest::newRow("a removal of 61 binds") << "remove" << sixtyOne << false << false << true;
    QTest::newRow("a removal of 61 binds, after a restart") << "remove" << sixtyOne << true << false << false;
    QTest::newRow("a removal of 61 binds, the file changed since") << "remove" << sixtyOne << true << true << true;
}

void TestMainWindow::undo_givesTheFileItsBytesBack()
{
    QFETCH(QString, change);
    QFETCH(QByteArray, before);
    QFETCH(bool, restart);
    QFETCH(bool, changedSince);
    QFETCH(bool, byButton);
    QVERIFY(QDir(m_dir->path()).mkpath(QStringLiteral("osp")));
    const QString file = m_dir->filePath(QStringLiteral("osp/autoexec.cfg"));
    if (!before.isNull())
        writeFile(file, before);
    box("Text1")->setText(withSeparator(m_dir->path()));
    if (change == QLatin1String("remove")) {
        QWidget *window = openBindsWindow("quake3Binds");
        auto *list = control<QTreeView>(window, "bindList");
        QCOMPARE(list->model()->rowCount(), 61);
        list->selectAll();
        QTest::mouseClick(control<QPushButton>(window, "removeButton"), Qt::LeftButton);
        QCOMPARE(m_asked.kinds, QList {binds::Question::RemoveSeveral});
        QCOMPARE(contents(file), QByteArray("// mine\r\n"));
    } else {
        box("txtkey")->setText(change == QLatin1String("add") ? QStringLiteral("f5") : QStringLiteral("f2"));
        box("txtsay")->setText(QStringLiteral("gg"));
        radio("Option4")->click();
        click("Command1");
        QVERIFY2(m_reported.messages.isEmpty(), qPrintable(m_reported.messages.join(u'\n')));
        QVERIFY(contents(file) != before);
    }
    const QByteArray after = QFileInfo::exists(file) ? contents(file) : QByteArray();
    if (restart) {
        // The root is remembered at the close; the journal stays in the program's own folder.
        m_window->close();
        m_window = std::make_unique<MainWindow>(host::Host::current(), m_dir->filePath(QStringLiteral("settings.cfg")),
                                                m_programData.path());
        m_window->setReporter(m_reported.reporter());
        m_window->setAsker(m_asked.asker());
        QCOMPARE(box("Text1")->text(), withSeparator(m_dir->path()));
    }
    if (changedSince)
        writeFile(file, after + "bind f9 x\r\n");
    const QByteArray expected = changedSince ? after + "bind f9 x\r\n" : before;

    if (byButton) {
        QWidget *window = m_window->findChild<QWidget *>(QStringLiteral("bindsWindow"));
        if (!window || !window->isVisible())
            window = openBindsWindow("quake3Binds");
        auto *undo = control<QPushButton>(window, "undoButton");
        QVERIFY(undo->isEnabled());
        QTest::mouseClick(undo, Qt::LeftButton);
    } else {
        showAndActivate();
        control<QWidget>(m_window.get(), "Command1")->setFocus(); // not a text box, which has its own undo
        QTest::keyClick(m_window.get(), Qt::Key_Z, Qt::ControlModifier);
    }
    if (expected.isNull()) {
        QVERIFY(!QFileInfo::exists(file)); // the Add made it: the undo takes it away
    } else {
        QCOMPARE(contents(file), expected);
    }
    if (changedSince) {
        QVERIFY(!m_reported.messages.isEmpty());
        QVERIFY2(m_reported.messages.last().contains(QLatin1String("changed since Bindwright")),
                 qPrintable(m_reported.messages.last()));
    } else {
        QVERIFY2(m_reported.messages.isEmpty(), qPrintable(m_reported.messages.join(u'\n')));
    }
}

void TestMainWindow::bindsWindow_rowEditedInPlace_data()
{
    QTest::addColumn<QByteArray>("binds");  // the panel's Binds button
    QTest::addColumn<QByteArray>("root");   // its root box
    QTest::addColumn<QString>("folder");    // where its autoexec.cfg is
    QTest::addColumn<QByteArray>("before"); // the second line is edited
    QTest::addColumn<bool>("byEnter");      // else a double click
    QTest::addColumn<QByteArray>("field");  // the box that shows the text, then takes the new one
    QTest::addColumn<QString>("shown");
    QTest::addColumn<QByteArray>("after");
    QTest::newRow("Quake 3 team chat") << QByteArray("quake3Binds") << QByteArray("Text1") << "osp"
                                       << QByteArray("bind f1 x\r\nbind f2 \"say_team old\"\r\nbind f3 y\r\n") << false
                                       << QByteArray("txtsay") << "old"
                                       << QByteArray("bind f1 x\r\nbind f2 \"say_team new\"\r\nbind f3 y\r\n");
    QTest::newRow("Quake 3 console text, by Enter")
        << QByteArray("quake3Binds") << QByteArray("Text1") << "osp"
        << QByteArray("bind f1 x\r\nseta a 1; bind MOUSE4 \"+zoom\"\r\n") << true << QByteArray("txtsay") << "+zoom"
        << QByteArray("bind f1 x\r\nseta a 1; bind MOUSE4 \"new\"\r\n");
    QTest::newRow("RTCW voice command") << QByteArray("rtcwBinds") << QByteArray("txtwolfdir") << "main"
                                        << QByteArray("bind f1 x\r\nbind f2 \"vsay_team Medic\"\r\n") << false
                                        << QByteArray("CboVoice") << "vsay_team Medic"
                                        << QByteArray("bind f1 x\r\nbind f2 \"new\"\r\n");
}

void TestMainWindow::bindsWindow_rowEditedInPlace()
{
    QFETCH(QByteArray, binds);
    QFETCH(QByteArray, root);
    QFETCH(QString, folder);
    QFETCH(QByteArray, before);
    QFETCH(bool, byEnter);
    QFETCH(QByteArray, field);
    QFETCH(QString, shown);
    QFETCH(QByteArray, after);
    QVERIFY(QDir(m_dir->path()).mkpath(folder));
    const QString file = m_dir->filePath(folder + QStringLiteral("/autoexec.cfg"));
    writeFile(file, before);
    box(root.constData())->setText(withSeparator(m_dir->path()));
    QWidget *window = openBindsWindow(binds.constData());
    auto *list = control<QTreeView>(window, "bindList");
    list->setCurrentIndex(list->model()->index(1, 0));
    if (byEnter) {
        window->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(window));
        list->setFocus();
        QTest::keyClick(list, Qt::Key_Return);
    } else {
        const QPoint row = list->visualRect(list->model()->index(1, 0)).center();
        // A real double click starts with a click; QTest's sends the second event only.
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, row);
        QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, row);
    }
    QLineEdit *text =
        field == "CboVoice" ? control<QComboBox>(m_window.get(), "CboVoice")->lineEdit() : box(field.constData());
    QCOMPARE(text->text(), shown);
    const QByteArray key = before.mid(before.indexOf("bind ", 4) + 5).split(' ').first();
    QCOMPARE(box(binds == "quake3Binds" ? "txtkey" : "txtwolfkey")->text(), QString::fromLatin1(key));
    // The next Add replaces it where it stands, through the usual question.
    text->setText(QStringLiteral("new"));
    if (field != "CboVoice" && shown == QLatin1String("+zoom"))
        QCOMPARE(radio("Option3")->isChecked() || radio("Option4")->isChecked(), false); // console text: no chat
    click(binds == "quake3Binds" ? "Command1" : "Command13");
    QVERIFY2(m_reported.messages.isEmpty(), qPrintable(m_reported.messages.join(u'\n')));
    QCOMPARE(m_asked.kinds.value(m_asked.kinds.size() - 1), binds::Question::TakeOver);
    QCOMPARE(contents(file), after);
}

void TestMainWindow::bindsWindow_removalOffersTheGamesOwnConfig_data()
{
    QTest::addColumn<binds::Answer>("answer");
    QTest::addColumn<QByteArray>("config"); // baseq3/q3config.cfg after the answer
    const QByteArray config = "unbindall\r\nbind F1 \"say gg\"\r\nbind f2 \"+attack\"\r\n";
    QTest::newRow("yes: out of both") << binds::Answer::Yes << QByteArray("unbindall\r\nbind f2 \"+attack\"\r\n");
    QTest::newRow("no: the config as it was") << binds::Answer::No << config;
}

void TestMainWindow::bindsWindow_removalOffersTheGamesOwnConfig()
{
    QFETCH(binds::Answer, answer);
    QFETCH(QByteArray, config);
    QVERIFY(QDir(m_dir->path()).mkpath(QStringLiteral("baseq3")));
    const QString configFile = m_dir->filePath(QStringLiteral("baseq3/q3config.cfg"));
    const QString autoexec = m_dir->filePath(QStringLiteral("baseq3/autoexec.cfg"));
    writeFile(configFile, "unbindall\r\nbind F1 \"say gg\"\r\nbind f2 \"+attack\"\r\n");
    writeFile(autoexec, "bind f1 \"say gg\"\r\n");
    radio("Option1")->click();
    box("Text1")->setText(withSeparator(m_dir->path()));
    QWidget *window = openBindsWindow("quake3Binds");
    auto *list = control<QTreeView>(window, "bindList");
    list->selectionModel()->select(list->model()->index(0, 0), QItemSelectionModel::Select | QItemSelectionModel::Rows);
    m_asked.answer = answer;
    QTest::mouseClick(control<QPushButton>(window, "removeButton"), Qt::LeftButton);
    QCOMPARE(m_asked.kinds, QList {binds::Question::RemoveFromConfig});
    for (const char *told : {"q3config.cfg\" binds F1 too", "when it quits", "No leaves"})
        QVERIFY2(m_asked.questions.first().contains(QLatin1String(told)), qPrintable(m_asked.questions.first()));
    QCOMPARE(contents(autoexec), QByteArray());
    QCOMPARE(contents(configFile), config);
    // Undo goes back one file at a time, the last change first.
    QTest::mouseClick(control<QPushButton>(window, "undoButton"), Qt::LeftButton);
    QCOMPARE(contents(configFile), "unbindall\r\nbind F1 \"say gg\"\r\nbind f2 \"+attack\"\r\n");
    QCOMPARE(contents(autoexec), answer == binds::Answer::Yes ? QByteArray() : QByteArray("bind f1 \"say gg\"\r\n"));
}

void TestMainWindow::modsFirstAutoexec_startsWithTheBaseLines_data()
{
    QTest::addColumn<bool>("copy");
    QTest::newRow("yes: the base lines first") << true;
    QTest::newRow("no: the bind alone") << false;
}

void TestMainWindow::modsFirstAutoexec_startsWithTheBaseLines()
{
    QFETCH(bool, copy);
    QVERIFY(QDir(m_dir->path()).mkpath(QStringLiteral("baseq3")));
    QVERIFY(QDir(m_dir->path()).mkpath(QStringLiteral("osp")));
    const QByteArray base = "bind f1 \"say base\"\r\nseta cg_fov 110"; // no final line end
    writeFile(m_dir->filePath(QStringLiteral("baseq3/autoexec.cfg")), base);
    box("Text1")->setText(withSeparator(m_dir->path()));
    box("txtkey")->setText(QStringLiteral("f2"));
    box("txtsay")->setText(QStringLiteral("+attack"));
    m_asked.answer = copy ? binds::Answer::Yes : binds::Answer::No;
    click("Command1"); // OSP, chosen at start
    QCOMPARE(m_asked.questions.size(), 1);
    QVERIFY2(m_asked.questions.first().contains(QLatin1String("runs it instead of")),
             qPrintable(m_asked.questions.first()));
    QCOMPARE(contents(m_dir->filePath(QStringLiteral("osp/autoexec.cfg"))),
             (copy ? base + "\r\n" : QByteArray()) + "bind f2 \"+attack\"\r\n");
    QCOMPARE(contents(m_dir->filePath(QStringLiteral("baseq3/autoexec.cfg"))), base);
}

void TestMainWindow::readElsewhere_yesWritesIntoTheFileTheGameRuns_data()
{
    QTest::addColumn<QByteArray>("there"); // the other home's autoexec.cfg; null: none
    QTest::newRow("no file in the home the game reads") << QByteArray();
    QTest::newRow("a file there, its last line unended") << QByteArray("bind f1 \"say old\"\r\nseta cg_fov 110");
}

// ioquake3 reads ~/.config/Quake3 once it exists, never ~/.q3a: Yes writes there.
void TestMainWindow::readElsewhere_yesWritesIntoTheFileTheGameRuns()
{
    SKIP_UNLESS_POSIX();
    QFETCH(QByteArray, there);
    const QByteArray realHome = qgetenv("HOME");
    const QByteArray realConfig = qgetenv("XDG_CONFIG_HOME");
    const auto restore = qScopeGuard([&] {
        qputenv("HOME", realHome);
        realConfig.isNull() ? qunsetenv("XDG_CONFIG_HOME") : qputenv("XDG_CONFIG_HOME", realConfig);
    });
    const QString home = m_dir->filePath(QStringLiteral("home"));
    QVERIFY(QDir(home).mkpath(QStringLiteral(".q3a/baseq3")));
    QVERIFY(QDir(home).mkpath(QStringLiteral(".config/Quake3/baseq3")));
    const QString read = home + QStringLiteral("/.config/Quake3/baseq3/autoexec.cfg");
    if (!there.isNull())
        writeFile(read, there);
    qputenv("HOME", home.toLocal8Bit());
    qunsetenv("XDG_CONFIG_HOME");
    m_window = std::make_unique<MainWindow>(host::Host::current(), m_dir->filePath(QStringLiteral("settings.cfg")),
                                            m_programData.path());
    m_window->setReporter(m_reported.reporter());
    m_window->setAsker(m_asked.asker());

    box("Text1")->setText(home + QStringLiteral("/.q3a/"));
    // ~/.q3a is the home of several engines: the player says which one.
    auto *engine = control<QComboBox>(m_window.get(), "quake3Engine");
    QVERIFY2(engine->itemText(0).contains(QLatin1String("Quake3e")), qPrintable(engine->itemText(0)));
    engine->setCurrentIndex(engine->findData(QStringLiteral("ioquake3")));
    radio("Option1")->click(); // Baseq3
    box("txtkey")->setText(QStringLiteral("f2"));
    box("txtsay")->setText(QStringLiteral("+attack"));
    click("Command1");
    QVERIFY2(m_reported.messages.isEmpty(), qPrintable(m_reported.messages.join(u'\n')));
    QCOMPARE(m_asked.kinds.value(0), binds::Question::ReadElsewhere);
    QVERIFY2(m_asked.questions.first().contains(QDir::toNativeSeparators(read)), qPrintable(m_asked.questions.first()));
    QCOMPARE(contents(read), (there.isNull() ? QByteArray() : there + "\r\n") + "bind f2 \"+attack\"\r\n");
    QVERIFY(!QFile::exists(home + QStringLiteral("/.q3a/baseq3/autoexec.cfg")));
}

void TestMainWindow::add_refusalChangesNothingAndNextAddWorks()
{
    QVERIFY(QDir(m_dir->path()).mkdir(QStringLiteral("osp")));
    const QString file = m_dir->filePath(QStringLiteral("osp/autoexec.cfg"));
    box("Text1")->setText(withSeparator(m_dir->path()));
    box("txtkey")->setText(QStringLiteral("f1"));
    box("txtwolfdir")->setText(QDir::toNativeSeparators(m_dir->path()));
    box("txtwolfkey")->setText(QStringLiteral("f2"));
    // Straight after start: no text in one panel, nothing chosen in the other.
    click("Command1");
    click("Command13");
    QCOMPARE(m_reported.messages.size(), 2);
    QVERIFY2(m_reported.messages.first().contains(QLatin1String("Type the text to say")),
             qPrintable(m_reported.messages.first()));
    QVERIFY2(m_reported.messages.last().contains(QLatin1String("Choose what the key sends")),
             qPrintable(m_reported.messages.last()));
    m_reported.messages.clear();

    box("txtsay")->setText(QStringLiteral("say \"hi\""));
    click("Command1");
    QCOMPARE(m_reported.messages.size(), 1);
    QVERIFY2(m_reported.messages.first().contains(QLatin1String("double quote")),
             qPrintable(m_reported.messages.first()));
    QCOMPARE(box("Text2")->text(), QStringLiteral("Status:"));
    QCOMPARE(box("txtsay")->text(), QStringLiteral("say \"hi\""));
    QVERIFY(!QFile::exists(file));

    box("txtsay")->setText(QStringLiteral("say hi"));
    click("Command1");
    QCOMPARE(m_reported.messages.size(), 1);
    QCOMPARE(contents(file), QByteArray("bind f1 \"say hi\"\r\n"));

    // The voice box at its start text, and an empty RTCW root, are refused too.
    radio("OptVoice")->click();
    click("Command13");
    QCOMPARE(m_reported.messages.size(), 2);
    QVERIFY(m_reported.messages.last().contains(QLatin1String("voice command")));
    box("txtwolfdir")->clear();
    click("Command13");
    QCOMPARE(m_reported.messages.size(), 3);
    QVERIFY(box("txtwolfdir")->text().isEmpty());
    QCOMPARE(box("Text2")->text(), QStringLiteral("Status: Added say h...."));
}

void TestMainWindow::add_writeFailureIsReported()
{
    const QString missing = withSeparator(m_dir->filePath(QStringLiteral("no-such-game")));
    box("txtwolfdir")->setText(missing);
    box("txtwolfkey")->setText(QStringLiteral("f1"));
    radio("OptVoice")->click();
    control<QComboBox>(m_window.get(), "CboVoice")->setCurrentIndex(0);
    click("Command13");
    QCOMPARE(m_reported.messages.size(), 1);
    QVERIFY2(m_reported.messages.first().contains(withSeparator(missing + QStringLiteral("main"))
                                                  + QStringLiteral("autoexec.cfg")),
             qPrintable(m_reported.messages.first()));
    QCOMPARE(box("Text2")->text(), QStringLiteral("Status:"));
    QVERIFY(!QFileInfo::exists(missing));
}

void TestMainWindow::colourButtons_appendAndMoveFocus()
{
    showAndActivate();
    const QList<std::pair<const char *, const char *>> quake3 = {
        {"Command2", "^1"}, {"Command3", "^2"}, {"Command4", "^3"}, {"Command5", "^4"},
        {"Command6", "^5"}, {"Command7", "^6"}, {"Command8", "^7"}, {"Command9", "^8"}};
    for (const auto &[name, code] : quake3) {
        box("txtsay")->setText(QStringLiteral("hi"));
        box("txtkey")->setFocus();
        click(name);
        QCOMPARE(box("txtsay")->text(), QStringLiteral("hi") + QLatin1String(code));
        const QWidget *expectedFocus =
            qstrcmp(name, "Command2") == 0 ? box("txtsay") : control<QWidget>(m_window.get(), name);
        QCOMPARE(QApplication::focusWidget(), expectedFocus);
    }
    const QList<std::pair<const char *, const char *>> rtcw = {
        {"Command25", "^1"}, {"Command24", "^2"}, {"Command23", "^3"}, {"Command22", "^4"},
        {"Command21", "^5"}, {"Command20", "^6"}, {"Command19", "^7"}, {"Command18", "^8"}};
    for (const auto &[name, code] : rtcw) {
        box("txtwolfsay")->setText(QStringLiteral("go"));
        click(name);
        QCOMPARE(box("txtwolfsay")->text(), QStringLiteral("go") + QLatin1String(code));
        QCOMPARE(QApplication::focusWidget(), box("txtwolfsay"));
    }
    QTest::keyClicks(QApplication::focusWidget(), QStringLiteral("!"));
    QCOMPARE(box("txtwolfsay")->text(), QStringLiteral("go^8!"));
    QCOMPARE(box("txtsay")->text(), QStringLiteral("hi^8"));
}

void TestMainWindow::decorations_editTheirPanelOnly()
{
    box("txtsay")->setText(QStringLiteral("hi"));
    box("txtwolfsay")->setText(QStringLiteral("go"));
    click("Command10");
    QCOMPARE(box("txtsay")->text(), QStringLiteral("^1<^4<^7[ ^7hi ^7]^4>^1>"));
    click("Command12");
    QCOMPARE(box("txtsay")->text(), QStringLiteral("7[ ^1^1<^4<^7[ ^7hi ^7]^4>^1> ^7]"));
    QCOMPARE(box("txtwolfsay")->text(), QStringLiteral("go"));
    click("Command14");
    QCOMPARE(box("txtwolfsay")->text(), QStringLiteral("^1<^4<^7[ ^7go ^7]^4>^1>"));

    box("txtsay")->setText(QStringLiteral("abc"));
    click("Command11");
    QCOMPARE(box("txtsay")->text().size(), 9);
    click("Command15");
    QCOMPARE(box("txtwolfsay")->text().size(), 3 * 24);
    QVERIFY(m_reported.messages.isEmpty());
}

void TestMainWindow::jazz_tooLongIsReportedAndKept()
{
    const QString tooLong(32767, u'x');
    box("txtwolfsay")->setText(tooLong);
    click("Command15");
    QCOMPARE(box("txtwolfsay")->text(), tooLong);
    QCOMPARE(m_reported.messages.size(), 1);
    QVERIFY(m_reported.messages.first().contains(QLatin1String("too long to jazz")));
}

void TestMainWindow::chatPreview_showsAfterADecoration()
{
    showAndActivate();
    radio("Option4")->click(); // public chat: starts green
    box("txtsay")->setText(QStringLiteral("gg"));
    click("Command2"); // Red
    auto *preview = control<QLabel>(m_window.get(), "chatPreview");
    QTRY_VERIFY(preview->isVisible());
    QCOMPARE(preview->text(), box("txtsay")->toolTip());
    QVERIFY2(preview->text().contains(QLatin1String("<span style=\"color:#00ff00\">gg</span>")),
             qPrintable(preview->text()));
    QVERIFY2(!preview->text().contains(QLatin1String("^1")), "codes are not shown");
    // Under the box; a click on it reaches the control it covers, here "Team Talk".
    QCOMPARE(preview->pos(), box("txtsay")->mapToGlobal(QPoint(0, box("txtsay")->height())));
    const QRect teamTalk(radio("Option3")->mapToGlobal(QPoint(0, 0)), radio("Option3")->size());
    const QRect covered = preview->geometry().intersected(teamTalk);
    QVERIFY(!covered.isEmpty());
    QTest::mouseClick(preview, Qt::LeftButton, {}, preview->mapFromGlobal(covered.center()));
    QVERIFY(radio("Option3")->isChecked());
    QVERIFY(!preview->isVisible());
    click("Command4"); // Yellow: shows the preview again
    QCOMPARE(box("txtsay")->text(), QStringLiteral("gg^1^3"));
    QVERIFY(preview->isVisible());

    // A long text after a jazz button: shown, in lines no wider than the screen holds.
    box("txtsay")->setText(QStringLiteral("a long text of many words ").repeated(6));
    click("Command11"); // Uber-Jazz
    QVERIFY(preview->isVisible());
    const QRect screen = preview->screen()->availableGeometry();
    QVERIFY2(screen.contains(preview->geometry()),
             qPrintable(QStringLiteral("%1x%2").arg(preview->width()).arg(preview->height())));
    QVERIFY(preview->height() > 2 * preview->fontMetrics().lineSpacing());

    // What the others receive, and why, as "Add" would say it.
    box("txtsay")->setText(QStringLiteral("visit http://example.org"));
    QVERIFY2(box("txtsay")->toolTip().contains(QLatin1String(">visit http:</span>")),
             qPrintable(box("txtsay")->toolTip()));
    QString refusal;
    QVERIFY(!binds::sendsAsTyped(binds::ChatScope::Public, box("txtsay")->text(), &refusal));
    QVERIFY(box("txtsay")->toolTip().contains(refusal.toHtmlEscaped()));
    box("txtsay")->setText(QString(200, u'x'));
    QVERIFY(box("txtsay")->toolTip().contains(QLatin1String("first 149 bytes")));
}

void TestMainWindow::txtmod_normalisedWhenFocusMovesOn()
{
    showAndActivate();
    QLineEdit *mod = box("txtmod");
    mod->setFocus(Qt::TabFocusReason);
    QVERIFY(mod->hasFocus());

    // A context menu or another window taking the focus is not moving on.
    QFocusEvent popup(QEvent::FocusOut, Qt::PopupFocusReason);
    QApplication::sendEvent(mod, &popup);
    QFocusEvent away(QEvent::FocusOut, Qt::ActiveWindowFocusReason);
    QApplication::sendEvent(mod, &away);
    QCOMPARE(mod->text(), QStringLiteral("other"));

    QTest::keyClick(mod, Qt::Key_Tab);
    QCOMPARE(QApplication::focusWidget(), radio("Option5"));
    QCOMPARE(mod->text(), withSeparator(QStringLiteral("other")));

    mod->setFocus(Qt::TabFocusReason);
    QTest::keyClick(mod, Qt::Key_Backtab);
    QCOMPARE(mod->text(), withSeparator(QStringLiteral("other")));

    mod->clear();
    mod->setFocus(Qt::TabFocusReason);
    QTest::mouseClick(box("txtkey"), Qt::LeftButton);
    QCOMPARE(QApplication::focusWidget(), box("txtkey"));
    QCOMPARE(mod->text(), QString());
}

void TestMainWindow::settings_loadedAtStartSavedAtClose()
{
    const QString path = m_dir->filePath(QStringLiteral("settings.cfg"));
    QString error;
    QVERIFY(settings::save(path, {"C:\\Games\\Quake3\\", "C:\\Games, old\\RTCW\\", "", "rtcwpro"}, &error));

    MainWindow window(host::Host::current(), path, journalBeside(path));
    window.setReporter(m_reported.reporter());
    QCOMPARE(control<QLineEdit>(&window, "Text1")->text(), QStringLiteral("C:\\Games\\Quake3\\"));
    QCOMPARE(control<QLineEdit>(&window, "txtwolfdir")->text(), QStringLiteral("C:\\Games, old\\RTCW\\"));
    QCOMPARE(control<QComboBox>(&window, "rtcwEngine")->currentText(), QStringLiteral("RtcwPro"));
    QCOMPARE(control<QComboBox>(&window, "quake3Engine")->currentIndex(), 0); // found from the root

    window.show();
    control<QLineEdit>(&window, "Text1")->setText(QStringLiteral("/home/p/.q3a/"));
    auto *quake3Engine = control<QComboBox>(&window, "quake3Engine");
    quake3Engine->setCurrentIndex(quake3Engine->findText(QStringLiteral("CNQ3")));
    QVERIFY(window.close());
    QCOMPARE(contents(path), QByteArray("/home/p/.q3a/\r\nC:\\Games, old\\RTCW\\\r\n11\r\ncnq3\r\nrtcwpro\r\n"));
    QVERIFY(m_reported.messages.isEmpty());
}

void TestMainWindow::settings_twoWindowsKeepEachOnesChange_data()
{
    QTest::addColumn<bool>("firstClosesFirst");
    QTest::addColumn<bool>("savedBeforeClose"); // the change saved by itself, the window still open
    QTest::newRow("the first window closes first") << true << false;
    QTest::newRow("the second window closes first") << false << false;
    QTest::newRow("saved soon after the change") << false << true;
}

// Each window writes only the root it changed, over the file as it is then.
void TestMainWindow::settings_twoWindowsKeepEachOnesChange()
{
    QFETCH(bool, firstClosesFirst);
    QFETCH(bool, savedBeforeClose);
    const QString path = m_dir->filePath(QStringLiteral("two.cfg"));
    QString error;
    QVERIFY(settings::save(path, {"/old/q3/", "/old/rtcw/"}, &error));
    MainWindow first(host::Host::current(), path, journalBeside(path)),
        second(host::Host::current(), path, journalBeside(path));
    first.setReporter(m_reported.reporter());
    second.setReporter(m_reported.reporter());
    control<QLineEdit>(&first, "Text1")->setText(QStringLiteral("/new/q3/"));
    control<QLineEdit>(&second, "txtwolfdir")->setText(QStringLiteral("/new/rtcw/"));
    if (savedBeforeClose) // each change is saved about a second after it, both windows still open
        QTRY_COMPARE(settings::load(path), std::optional(settings::Folders {"/new/q3/", "/new/rtcw/"}));
    QVERIFY((firstClosesFirst ? first : second).close());
    QVERIFY((firstClosesFirst ? second : first).close());
    QCOMPARE(settings::load(path), std::optional(settings::Folders {"/new/q3/", "/new/rtcw/"}));
    QVERIFY(m_reported.messages.isEmpty());
}

// A copy of the program in Program Files, whose own folder it may not write and whose
// folders start empty, closed untouched, leaves the folders another copy saved.
void TestMainWindow::settings_aCopyClosedUntouchedLeavesTheOthersFolders()
{
    const QString downloads = m_dir->filePath(QStringLiteral("Downloads/settings.cfg"));
    const QString user = m_dir->filePath(QStringLiteral("AppData/Local/bindwright/settings.cfg"));
    const QString programFiles = m_dir->filePath(QStringLiteral("Program Files/Bindwright/settings.cfg"));
    const settings::Folders saved {"C:\\Games\\Quake3\\", "C:\\Games\\RTCW\\"};
    QString error;
    QVERIFY(settings::save(downloads, saved, &error));
    {
        MainWindow installed(host::Host::current(), settings::Places(programFiles, user), journalBeside(user));
        installed.setReporter(m_reported.reporter());
        QCOMPARE(control<QLineEdit>(&installed, "Text1")->text(), QString());
        QVERIFY(installed.close());
    }
    QVERIFY(!QFileInfo::exists(user));
    QVERIFY(!QFileInfo::exists(programFiles));
    MainWindow downloaded(host::Host::current(), settings::Places(downloads, user), journalBeside(user));
    QCOMPARE(control<QLineEdit>(&downloaded, "Text1")->text(), saved.quake3);
    QCOMPARE(control<QLineEdit>(&downloaded, "txtwolfdir")->text(), saved.rtcw);
    QVERIFY(m_reported.messages.isEmpty());
}

// Under Windows' code page 1252 a Cyrillic folder name cannot be remembered; the other
// root changed in the same run is.
void TestMainWindow::settings_aRootTheCodePageCannotHoldCostsOnlyThatRoot()
{
    const QString path = m_dir->filePath(QStringLiteral("settings.cfg"));
    const QString cyrillic = QStringLiteral("C:\\\u0418\u0433\u0440\u044b\\Quake III Arena\\");
    QString error;
    if (settings::save(m_dir->filePath(QStringLiteral("probe.cfg")), {cyrillic, {}}, &error))
        QSKIP("this system's code page writes Cyrillic: the case is made under Wine, whose code page is 1252");
    QVERIFY(settings::save(path, {"/old/q3/", "/old/rtcw/"}, &error));
    m_window = std::make_unique<MainWindow>(host::Host::current(), path, m_programData.path());
    m_window->setReporter(m_reported.reporter());
    box("Text1")->setText(cyrillic);
    box("txtwolfdir")->setText(QStringLiteral("/new/rtcw/"));
    QVERIFY(m_window->close());
    QCOMPARE(settings::load(path), std::optional(settings::Folders {"/old/q3/", "/new/rtcw/"}));
    QCOMPARE(m_reported.messages.size(), 1);
    QVERIFY2(m_reported.messages.first().contains(QLatin1String("Quake 3 root folder")),
             qPrintable(m_reported.messages.first()));
}

void TestMainWindow::settings_failedSaveIsReportedAndCloseCompletes()
{
    const QString path = m_dir->filePath(QStringLiteral("settings.cfg"));
    QVERIFY(QDir(m_dir->path()).mkdir(QStringLiteral("settings.cfg")));
    m_window->show();
    box("Text1")->setText(QStringLiteral("/games/q3/")); // a change worth saving
    QVERIFY(m_window->close());
    QVERIFY(!m_window->isVisible());
    QCOMPARE(m_reported.messages.size(), 1);
    QVERIFY2(m_reported.messages.first().contains(QDir::toNativeSeparators(path)),
             qPrintable(m_reported.messages.first()));
}

void TestMainWindow::settings_unreadableFileKeptUntilAFolderChanges_data()
{
    QTest::addColumn<QByteArray>("file");
    QTest::addColumn<bool>("changeAFolder");
    const QByteArray unreadable = "/home/p/.q3a/\r\n/home/p/\x01wolf/\r\n11\r\n";
    QTest::newRow("untouched") << unreadable << false;
    QTest::newRow("a folder changed") << unreadable << true;
    QTest::newRow("a line over the limit") << QByteArray(settings::maxLineBytes + 1, 'x') + "\r\n\r\n" << false;
}

void TestMainWindow::settings_unreadableFileKeptUntilAFolderChanges()
{
    QFETCH(QByteArray, file);
    QFETCH(bool, changeAFolder);
    const QString path = m_dir->filePath(QStringLiteral("settings.cfg"));
    writeFile(path, file);
    {
        MainWindow window(host::Host::current(), path, journalBeside(path));
        window.setReporter(m_reported.reporter());
        QCOMPARE(control<QLineEdit>(&window, "Text1")->text(), QString());
        if (changeAFolder)
            control<QLineEdit>(&window, "Text1")->setText(QStringLiteral("/games/q3/"));
        window.show();
        QVERIFY(window.close());
    }
    QCOMPARE(contents(path), changeAFolder ? QByteArray("/games/q3/\r\n\r\n11\r\n") : file);
    QVERIFY(m_reported.messages.isEmpty());
}

void TestMainWindow::settings_fifoDoesNotStopTheWindow()
{
    const QString path = m_dir->filePath(QStringLiteral("fifo/settings.cfg"));
    QVERIFY(QDir(m_dir->path()).mkdir(QStringLiteral("fifo")));
    QVERIFY_MKFIFO(path);
    // A load that opened the FIFO plainly would wait for a writer forever: the test's timeout.
    MainWindow window(host::Host::current(), path, journalBeside(path));
    QCOMPARE(control<QLineEdit>(&window, "Text1")->text(), QString());
}

void TestMainWindow::boxes_takeAnyLength()
{
    const QString text(32766, u'a');
    box("txtsay")->setText(text);
    click("Command11"); // jazz: three characters for every one (its speed: make bench)
    QCOMPARE(box("txtsay")->text().size(), 3 * 32766);
    QVERIFY(m_reported.messages.isEmpty());

    box("txtwolfsay")->setText(QString(40000, u'b'));
    click("Command14");
    QCOMPARE(box("txtwolfsay")->text(), decorate::formalDecoration(QString(40000, u'b')));

    auto *voice = control<QComboBox>(m_window.get(), "CboVoice");
    voice->lineEdit()->clear();
    voice->lineEdit()->insert(QString(40000, u'v'));
    QCOMPARE(voice->currentText().size(), 40000);
    for (const char *name : {"Text1", "txtmod", "txtkey", "txtwolfdir", "txtwolfkey", "Text2"}) {
        box(name)->setText(QString(40000, u'x'));
        QVERIFY2(box(name)->text().size() == 40000, name);
    }
}

void TestMainWindow::singleLineBoxes_dropLineBreaks_data()
{
    QTest::addColumn<QString>("name");
    for (const char *name : {"Text1", "txtmod", "txtkey", "txtwolfdir", "txtwolfkey"})
        QTest::newRow(name) << QString::fromLatin1(name);
}

void TestMainWindow::singleLineBoxes_dropLineBreaks()
{
    QFETCH(QString, name);
    QLineEdit *line = box(name.toLatin1().constData());
    line->clear();
    line->insert(QStringLiteral("/home/p/\t.q3a/\r\n")); // as a paste arrives
    QCOMPARE(line->text(), QStringLiteral("/home/p/.q3a/"));
    QCOMPARE(line->cursorPosition(), line->text().size());
    line->setText(QStringLiteral("C:\\Q3\n\\")); // as the picker or a handler writes
    QCOMPARE(line->text(), QStringLiteral("C:\\Q3\\"));
}

QTEST_MAIN(TestMainWindow)
#include "tst_mainwindow.moc"
