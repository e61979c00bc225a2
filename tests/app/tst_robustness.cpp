// Bad input thrown at the real window: after every refusal or failure the player's
// files are byte for byte what they were, and a valid "Add" still works.

#include "appearance.h"
#include "folderpicker.h"
#include "mainwindow.h"
#include "testfiles.h"
#include "testhost.h"
#include "windowtesting.h"

#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QFileSystemModel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTreeView>

#include <memory>

class TestRobustness : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void refusals_changeNothing_data();
    void refusals_changeNothing();
    void existingFile_keepsEveryByte_data();
    void existingFile_keepsEveryByte();
    void unwritableTargets_areReported_data();
    void unwritableTargets_areReported();
    void junkSettings_openNormallyAndAreReplacedAtClose();
    void picker_folderVanishesWhileShown();

private:
    QLineEdit *box(const char *name) { return control<QLineEdit>(m_window.get(), name); }
    void click(const char *name) { QTest::mouseClick(control<QPushButton>(m_window.get(), name), Qt::LeftButton); }
    void fillValidPanels();
    void verifyValidAddStillWorks();
    QString quake3File() const { return m_dir->filePath(QStringLiteral("q3/baseq3/autoexec.cfg")); }
    QString rtcwFile() const { return m_dir->filePath(QStringLiteral("wolf/main/autoexec.cfg")); }

    std::unique_ptr<QTemporaryDir> m_dir;
    std::unique_ptr<MainWindow> m_window;
    ReportedMessages m_reported;
    AskedQuestions m_asked;
};

void TestRobustness::init()
{
    applyAppearance();
    m_dir = std::make_unique<QTemporaryDir>();
    QVERIFY(QDir(m_dir->path()).mkpath(QStringLiteral("q3/baseq3")));
    QVERIFY(QDir(m_dir->path()).mkpath(QStringLiteral("wolf/main")));
    QVERIFY(QDir(m_dir->path()).mkpath(QStringLiteral("wine/dosdevices/c:/Games")));
    qputenv("WINEPREFIX", m_dir->filePath(QStringLiteral("wine")).toLocal8Bit());
    m_reported = {};
    m_window = std::make_unique<MainWindow>(host::Host::current(), m_dir->filePath(QStringLiteral("settings.cfg")),
                                            m_dir->filePath(QStringLiteral("undo")));
    m_window->setReporter(m_reported.reporter());
    m_asked = {};
    m_window->setAsker(m_asked.asker());
    m_window->show();
    fillValidPanels();
}

void TestRobustness::cleanup()
{
    m_window.reset();
    m_dir.reset();
    qunsetenv("WINEPREFIX");
}

void TestRobustness::fillValidPanels()
{
    box("Text1")->setText(withSeparator(m_dir->filePath(QStringLiteral("q3"))));
    control<QRadioButton>(m_window.get(), "Option1")->click();
    control<QRadioButton>(m_window.get(), "Option4")->click();
    box("txtkey")->setText(QStringLiteral("f1"));
    box("txtsay")->setText(QStringLiteral("^1hello, say again"));
    box("txtwolfdir")->setText(m_dir->filePath(QStringLiteral("wolf")));
    box("txtwolfkey")->setText(QStringLiteral("mouse3"));
    control<QRadioButton>(m_window.get(), "OptVoice")->click();
    auto *voice = control<QComboBox>(m_window.get(), "CboVoice");
    voice->setCurrentIndex(voice->findText(QStringLiteral("vsay_team Medic")));
}

void TestRobustness::verifyValidAddStillWorks()
{
    fillValidPanels();
    const QByteArray q3Before = QFile::exists(quake3File()) ? contents(quake3File()) : QByteArray();
    const QByteArray wolfBefore = QFile::exists(rtcwFile()) ? contents(rtcwFile()) : QByteArray();
    const int reportedBefore = int(m_reported.messages.size());
    click("Command1");
    click("Command13");
    QCOMPARE(m_reported.messages.size(), reportedBefore);
    QVERIFY(contents(quake3File()).startsWith(q3Before));
    QVERIFY(contents(quake3File()).endsWith("bind f1 \"say ^1hello, say again\"\r\n"));
    QVERIFY(contents(rtcwFile()).startsWith(wolfBefore));
    QVERIFY(contents(rtcwFile()).endsWith("bind mouse3 \"vsay_team Medic\"\r\n"));
}

void TestRobustness::refusals_changeNothing_data()
{
    QTest::addColumn<QString>("control");
    QTest::addColumn<QString>("value");
    QTest::addColumn<QString>("button");
    QTest::addColumn<QString>("option"); // chosen first, when given
    QTest::newRow("empty key") << "txtkey"
                               << ""
                               << "Command1"
                               << "";
    QTest::newRow("two keys") << "txtkey"
                              << "f1 f2"
                              << "Command1"
                              << "";
    QTest::newRow("key that runs a command") << "txtwolfkey"
                                             << "f1;quit"
                                             << "Command13"
                                             << "";
    QTest::newRow("quote in text") << "txtsay"
                                   << "hi\" ; quit ; \""
                                   << "Command1"
                                   << "";
    QTest::newRow("line break in text") << "txtsay"
                                        << "hi\nquit"
                                        << "Command1"
                                        << "";
    QTest::newRow("; in chat") << "txtsay"
                               << "gg; quit"
                               << "Command1"
                               << "";
    QTest::newRow("// in chat") << "txtsay"
                                << "visit http://example.org"
                                << "Command1"
                                << "";
    QTest::newRow("empty chat") << "txtsay"
                                << ""
                                << "Command1"
                                << "";
    QTest::newRow("blanks the game merges") << "txtsay"
                                            << "gg   wp"
                                            << "Command1"
                                            << "";
    QTest::newRow("empty custom mod") << "txtmod"
                                      << ""
                                      << "Command1"
                                      << "Option5";
    QTest::newRow("RTCW text without a chat") << "txtwolfsay"
                                              << "gg"
                                              << "Command13"
                                              << "OptSay";
    QTest::newRow("empty Quake 3 root") << "Text1"
                                        << ""
                                        << "Command1"
                                        << "";
    QTest::newRow("empty RTCW root") << "txtwolfdir"
                                     << ""
                                     << "Command13"
                                     << "";
    QTest::newRow("voice placeholder") << "CboVoice"
                                       << "Voice Commands"
                                       << "Command13"
                                       << "";
    QTest::newRow("voice box emptied") << "CboVoice"
                                       << ""
                                       << "Command13"
                                       << "";
    QTest::newRow("quote in typed voice") << "CboVoice"
                                          << "vsay \"x\""
                                          << "Command13"
                                          << "";
    QTest::newRow("text too long to jazz") << "txtsay" << QString(40000, u'a') << "Command11"
                                           << "";
}

void TestRobustness::refusals_changeNothing()
{
    QFETCH(QString, control);
    QFETCH(QString, value);
    QFETCH(QString, button);
    QFETCH(QString, option);
    writeFile(quake3File(), "seta name player\r\n");
    writeFile(rtcwFile(), "seta name soldier\r\n");

    if (!option.isEmpty())
        ::control<QRadioButton>(m_window.get(), qPrintable(option))->click();
    if (control == QLatin1String("CboVoice"))
        ::control<QComboBox>(m_window.get(), "CboVoice")->setEditText(value);
    else
        box(qPrintable(control))->setText(value);
    const QString sayBefore = box("txtsay")->text();
    click(qPrintable(button));

    QCOMPARE(m_reported.messages.size(), 1);
    QVERIFY(!m_reported.messages.first().isEmpty());
    QCOMPARE(box("Text2")->text(), QStringLiteral("Status:"));
    QCOMPARE(box("txtsay")->text(), sayBefore);
    QCOMPARE(contents(quake3File()), QByteArray("seta name player\r\n"));
    QCOMPARE(contents(rtcwFile()), QByteArray("seta name soldier\r\n"));
    verifyValidAddStillWorks();
}

void TestRobustness::existingFile_keepsEveryByte_data()
{
    QTest::addColumn<bool>("finalLineEnd");
    QTest::newRow("with a final line end") << true;
    QTest::newRow("without one") << false;
}

void TestRobustness::existingFile_keepsEveryByte()
{
    QFETCH(bool, finalLineEnd);
    QByteArray old;
    for (int i = 0; i < 3000; ++i) // about 110 KB: past what the original games read, within ioquake3
        old += "bind kp_" + QByteArray::number(i) + " \"say_team ^" + QByteArray::number(i % 8) + "line "
            + QByteArray::number(i) + "\"\r\n";
    old += "seta cg_fov \"110\" // the last line";
    if (finalLineEnd)
        old += "\r\n";
    writeFile(quake3File(), old);

    click("Command1");
    QVERIFY(m_reported.messages.isEmpty());
    const QByteArray now = contents(quake3File());
    QVERIFY(now.startsWith(old));
    QCOMPARE(now.mid(old.size()), QByteArray(finalLineEnd ? "" : "\r\n") + "bind f1 \"say ^1hello, say again\"\r\n");

    // The same key again, replaced in place: its earlier line goes, every other byte stays.
    box("txtsay")->setText(QStringLiteral("bye"));
    click("Command1");
    QCOMPARE(m_asked.questions.size(), 1);
    QCOMPARE(contents(quake3File()), old + QByteArray(finalLineEnd ? "" : "\r\n") + "bind f1 \"say bye\"\r\n");
}

void TestRobustness::unwritableTargets_areReported_data()
{
    QTest::addColumn<QString>("how");
    QTest::addColumn<QString>("reason");
    QTest::newRow("a folder where the file should be") << "directory"
                                                       << "a folder stands where the file should be";
    QTest::newRow("a folder that does not exist") << "missing"
                                                  << "does not exist";
#ifdef Q_OS_UNIX
    QTest::newRow("a device in the file's place") << "device"
                                                  << "not a regular file";
#endif
}

void TestRobustness::unwritableTargets_areReported()
{
    QFETCH(QString, how);
    QFETCH(QString, reason);
    const QString mod = m_dir->filePath(QStringLiteral("q3/broken"));
    if (how == QLatin1String("directory")) {
        QVERIFY(QDir().mkpath(mod + QStringLiteral("/autoexec.cfg")));
    } else if (how == QLatin1String("device")) {
        QVERIFY(QDir().mkpath(mod));
        QVERIFY(QFile::link(QStringLiteral("/dev/full"), mod + QStringLiteral("/autoexec.cfg")));
    }
    control<QRadioButton>(m_window.get(), "Option5")->click();
    box("txtmod")->setText(withSeparator(QStringLiteral("broken")));
    click("Command1");

    QCOMPARE(m_reported.messages.size(), 1);
    const QString message = m_reported.messages.first();
    QVERIFY2(message.contains(reason), qPrintable(message));
    QVERIFY2(message.contains(withSeparator(QDir::toNativeSeparators(mod)) + QStringLiteral("autoexec.cfg")),
             qPrintable(message));
    QCOMPARE(box("Text2")->text(), QStringLiteral("Status:"));
    if (how == QLatin1String("missing"))
        QVERIFY(!QFileInfo::exists(mod));
    verifyValidAddStillWorks();
}

void TestRobustness::junkSettings_openNormallyAndAreReplacedAtClose()
{
    const QString path = m_dir->filePath(QStringLiteral("junk.cfg"));
    QByteArray junk(200000, '\0');
    for (int i = 0; i < junk.size(); ++i)
        junk[i] = char((i * 7919) % 256);
    writeFile(path, junk);

    MainWindow window(host::Host::current(), path, journalBeside(path));
    window.setReporter(m_reported.reporter());
    QCOMPARE(control<QLineEdit>(&window, "Text1")->text(), QString());
    QCOMPARE(control<QLineEdit>(&window, "txtwolfdir")->text(), QString());
    window.show();
    control<QLineEdit>(&window, "Text1")->setText(QStringLiteral("C:\\Q3\\"));
    QVERIFY(window.close());
    QCOMPARE(contents(path), QByteArray("C:\\Q3\\\r\n\r\n11\r\n"));
    QVERIFY(m_reported.messages.isEmpty());
    verifyValidAddStillWorks();
}

void TestRobustness::picker_folderVanishesWhileShown()
{
    SKIP_UNLESS_POSIX();
    click("Command16");
    auto *picker = m_window->findChild<FolderPicker *>();
    QVERIFY(picker);
    const QString games = m_dir->filePath(QStringLiteral("wine/dosdevices/c:/Games"));
    QVERIFY(picker->setPath(games));
    QVERIFY(QDir(games).removeRecursively());

    // The list may no longer show it; opening it again is refused with a word, not a crash.
    QVERIFY(!picker->setPath(games));
    QVERIFY(picker->isVisible());
    // The folder watcher has reported the removal: the model holds the folder no more.
    QTRY_VERIFY(!picker->findChild<QFileSystemModel *>()->index(games).isValid());
    QTest::mouseClick(control<QPushButton>(picker, "Command1"), Qt::LeftButton);
    QCOMPARE(box("Text1")->text(), QStringLiteral("c:\\Games\\")); // the picker writes what was open
    QTRY_VERIFY(!m_window->findChild<FolderPicker *>());
    verifyValidAddStillWorks();
}

QTEST_MAIN(TestRobustness)
#include "tst_robustness.moc"
