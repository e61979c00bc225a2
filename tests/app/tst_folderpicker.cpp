#include "appearance.h"
#include "folderpicker.h"
#include "mainwindow.h"
#include "windowtesting.h"

#include <QAbstractItemModel>
#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QFileSystemModel>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

#ifdef Q_OS_UNIX
#include <unistd.h>
#endif
#include <QTreeView>

#include <memory>

class TestFolderPicker : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void opens_modelessWithItsControls();
    void done_atOnce_writesStartFolderWithOneSeparator_data();
    void done_atOnce_writesStartFolderWithOneSeparator();
    void done_afterOpeningSubfolder();
    void highlightedFolder_isNotTheResult();
    void enter_opensTheHighlightedFolder();
    void otherButton_whileOpen_keepsFolderAndRetargets();
    void closeControl_writesNothing_andNextOpeningStartsAfresh();
    void driveChange_movesTheList();
    void driveThatCannotBeOpened_leavesTheList();
    void folderThatMayNotBeOpened_saysSo();
    void driveBox_namesTheDriveTheListStartsOn();
    void noDriveC_startsAtHome();
    void closingMainWindow_closesPicker();
    void hiddenFolders_areListed();
    void gameFolders_areOfferedAfterTheDrives();
    void highlight_staysWhileFoldersLoad();
    void done_refusesAFolderNamedWithABackslash();
    void windows_startsAtDriveC();

private:
    FolderPicker *openPicker(const char *button);
    FolderPicker *picker() const { return m_window->findChild<FolderPicker *>(); }
    QModelIndex shown(FolderPicker *form, const QString &name);
    void doubleClick(FolderPicker *form, const QString &name);
    QString driveC() const { return m_prefix->path() + QStringLiteral("/dosdevices/c:"); }

    std::unique_ptr<QTemporaryDir> m_prefix;
    std::unique_ptr<QTemporaryDir> m_home;
    QByteArray m_realHome = qgetenv("HOME");
    std::unique_ptr<MainWindow> m_window;
    ReportedMessages m_reported;
    AskedQuestions m_asked;
};

void TestFolderPicker::init()
{
#ifdef Q_OS_WIN
    if (QTest::currentTestFunction() != QByteArrayLiteral("windows_startsAtDriveC"))
        QSKIP("POSIX hosts only: this picker test lays out a Wine prefix and a Linux home");
#endif
    applyAppearance();
    m_prefix = std::make_unique<QTemporaryDir>();
    QDir prefix(m_prefix->path());
    QVERIFY(prefix.mkpath(QStringLiteral("dosdevices/c:/Games/Quake3/baseq3")));
    QVERIFY(prefix.mkpath(QStringLiteral("dosdevices/c:/Games/RTCW")));
    QVERIFY(prefix.mkpath(QStringLiteral("dosdevices/d:/Other")));
    qputenv("WINEPREFIX", m_prefix->path().toLocal8Bit());
    // A home with a game in it, as ioquake3 leaves it, and a folder of many folders.
    m_home = std::make_unique<QTemporaryDir>();
    QDir home(m_home->path());
    QVERIFY(home.mkpath(QStringLiteral(".q3a/baseq3")));
    for (int i = 0; i < 400; ++i)
        QVERIFY(home.mkpath(QStringLiteral("many/folder%1").arg(i, 3, 10, QChar(u'0'))));
    qputenv("HOME", m_home->path().toLocal8Bit());
    m_reported = {};
    m_window = std::make_unique<MainWindow>(host::Host::current(), m_prefix->filePath(QStringLiteral("settings.cfg")),
                                            m_prefix->filePath(QStringLiteral("undo")));
    m_window->setReporter(m_reported.reporter());
    m_asked = {};
    m_window->setAsker(m_asked.asker());
    m_window->show();
}

void TestFolderPicker::cleanup()
{
    m_window.reset();
    m_prefix.reset();
    m_home.reset();
    qunsetenv("WINEPREFIX");
    qputenv("HOME", m_realHome);
}

FolderPicker *TestFolderPicker::openPicker(const char *button)
{
    QTest::mouseClick(control<QPushButton>(m_window.get(), button), Qt::LeftButton);
    FolderPicker *form = picker();
    if (form && !QTest::qWaitForWindowExposed(form))
        qWarning("the folder picker was not shown");
    return form;
}

QModelIndex TestFolderPicker::shown(FolderPicker *form, const QString &name)
{
    auto *list = control<QTreeView>(form, "Dir1");
    const QModelIndexList found = list->model()->match(list->model()->index(0, 0, list->rootIndex()), Qt::DisplayRole,
                                                       name, 1, Qt::MatchExactly | Qt::MatchRecursive);
    return found.isEmpty() ? QModelIndex() : found.first();
}

void TestFolderPicker::doubleClick(FolderPicker *form, const QString &name)
{
    auto *list = control<QTreeView>(form, "Dir1");
    QTRY_VERIFY2(shown(form, name).isValid() && list->visualRect(shown(form, name)).isValid(), qPrintable(name));
    const QPoint at = list->visualRect(shown(form, name)).center();
    // A real double click starts with a click; QTest's sends the second event only.
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, at);
    QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, at);
}

void TestFolderPicker::opens_modelessWithItsControls()
{
    FolderPicker *form = openPicker("Command16");
    QVERIFY(form);
    QCOMPARE(form->windowTitle(), QStringLiteral("Find Game Folder"));
    QCOMPARE(form->size(), QSize(281, 345));
    QVERIFY(!form->isModal());
    QCOMPARE(control<QWidget>(form, "Dir1")->geometry(), QRect(0, 0, 281, 291));
    QCOMPARE(control<QWidget>(form, "Drive1")->geometry(), QRect(0, 296, 281, 21));
    QCOMPARE(control<QPushButton>(form, "Command1")->text(), QStringLiteral("Done"));
    QCOMPARE(control<QWidget>(form, "Dir1")->focusPolicy() & Qt::TabFocus, Qt::TabFocus);
    QWidget *afterList = control<QWidget>(form, "Dir1")->nextInFocusChain();
    while (!(afterList->focusPolicy() & Qt::TabFocus))
        afterList = afterList->nextInFocusChain();
    QCOMPARE(afterList, control<QWidget>(form, "Drive1"));
    QCOMPARE(QDir::cleanPath(form->path()), QDir::cleanPath(driveC()));
    QCOMPARE(form->focusWidget(), control<QWidget>(form, "Dir1"));

    // The main window goes on taking input meanwhile.
    QTest::keyClicks(control<QLineEdit>(m_window.get(), "txtkey"), QStringLiteral("f1"));
    QCOMPARE(control<QLineEdit>(m_window.get(), "txtkey")->text(), QStringLiteral("f1"));
}

void TestFolderPicker::done_atOnce_writesStartFolderWithOneSeparator_data()
{
    QTest::addColumn<QString>("button");
    QTest::addColumn<QString>("written");
    QTest::addColumn<QString>("untouched");
    QTest::newRow("Quake 3") << "Command16"
                             << "Text1"
                             << "txtwolfdir";
    QTest::newRow("RTCW") << "Command17"
                          << "txtwolfdir"
                          << "Text1";
}

void TestFolderPicker::done_atOnce_writesStartFolderWithOneSeparator()
{
    QFETCH(QString, button);
    QFETCH(QString, written);
    QFETCH(QString, untouched);
    control<QLineEdit>(m_window.get(), qPrintable(untouched))->setText(QStringLiteral("keep me"));
    FolderPicker *form = openPicker(qPrintable(button));
    QVERIFY(form);
    QTest::mouseClick(control<QPushButton>(form, "Command1"), Qt::LeftButton);
    QCOMPARE(control<QLineEdit>(m_window.get(), qPrintable(written))->text(), QStringLiteral("c:\\"));
    QCOMPARE(control<QLineEdit>(m_window.get(), qPrintable(untouched))->text(), QStringLiteral("keep me"));
    QTRY_VERIFY(!picker());
}

void TestFolderPicker::done_afterOpeningSubfolder()
{
    FolderPicker *form = openPicker("Command17");
    doubleClick(form, QStringLiteral("Games"));
    QTRY_COMPARE(form->path(), driveC() + QStringLiteral("/Games"));
    doubleClick(form, QStringLiteral("Quake3"));
    QTRY_COMPARE(form->path(), driveC() + QStringLiteral("/Games/Quake3"));
    QTest::mouseClick(control<QPushButton>(form, "Command1"), Qt::LeftButton);
    QCOMPARE(control<QLineEdit>(m_window.get(), "txtwolfdir")->text(), QStringLiteral("c:\\Games\\Quake3\\"));
    QCOMPARE(control<QLineEdit>(m_window.get(), "Text1")->text(), QString());
}

void TestFolderPicker::highlightedFolder_isNotTheResult()
{
    FolderPicker *form = openPicker("Command16");
    doubleClick(form, QStringLiteral("Games"));
    QTRY_COMPARE(form->path(), driveC() + QStringLiteral("/Games"));
    auto *list = control<QTreeView>(form, "Dir1");
    QTRY_VERIFY(shown(form, QStringLiteral("RTCW")).isValid());
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {},
                      list->visualRect(shown(form, QStringLiteral("RTCW"))).center());
    QCOMPARE(list->currentIndex(), shown(form, QStringLiteral("RTCW")));
    QTest::mouseClick(control<QPushButton>(form, "Command1"), Qt::LeftButton);
    QCOMPARE(control<QLineEdit>(m_window.get(), "Text1")->text(), QStringLiteral("c:\\Games\\"));
}

void TestFolderPicker::enter_opensTheHighlightedFolder()
{
    FolderPicker *form = openPicker("Command17");
    auto *list = control<QTreeView>(form, "Dir1");
    QTRY_VERIFY(shown(form, QStringLiteral("Games")).isValid());
    list->setCurrentIndex(shown(form, QStringLiteral("Games")));
    QCOMPARE(QDir::cleanPath(form->path()), QDir::cleanPath(driveC())); // highlighted only
    QTest::keyClick(list, Qt::Key_Return);
    QCOMPARE(form->path(), driveC() + QStringLiteral("/Games"));
}

void TestFolderPicker::otherButton_whileOpen_keepsFolderAndRetargets()
{
    FolderPicker *form = openPicker("Command16");
    doubleClick(form, QStringLiteral("Games"));
    QTRY_COMPARE(form->path(), driveC() + QStringLiteral("/Games"));
    QCOMPARE(openPicker("Command17"), form); // the same window, not a new one
    QCOMPARE(form->path(), driveC() + QStringLiteral("/Games"));
    QTest::mouseClick(control<QPushButton>(form, "Command1"), Qt::LeftButton);
    QCOMPARE(control<QLineEdit>(m_window.get(), "txtwolfdir")->text(), QStringLiteral("c:\\Games\\"));
    QCOMPARE(control<QLineEdit>(m_window.get(), "Text1")->text(), QString());
}

void TestFolderPicker::closeControl_writesNothing_andNextOpeningStartsAfresh()
{
    FolderPicker *form = openPicker("Command16");
    doubleClick(form, QStringLiteral("Games"));
    QTRY_COMPARE(form->path(), driveC() + QStringLiteral("/Games"));
    QVERIFY(form->close());
    QTRY_VERIFY(!picker());
    QCOMPARE(control<QLineEdit>(m_window.get(), "Text1")->text(), QString());
    QCOMPARE(control<QLineEdit>(m_window.get(), "txtwolfdir")->text(), QString());
    form = openPicker("Command16");
    QCOMPARE(QDir::cleanPath(form->path()), QDir::cleanPath(driveC()));
    // Escape closes it as the close control does: nothing written.
    QVERIFY(QTest::qWaitForWindowActive(form));
    QTest::keyClick(form, Qt::Key_Escape);
    QTRY_VERIFY(!picker());
    QCOMPARE(control<QLineEdit>(m_window.get(), "Text1")->text(), QString());
}

void TestFolderPicker::driveChange_movesTheList()
{
    FolderPicker *form = openPicker("Command16");
    auto *drives = control<QComboBox>(form, "Drive1");
    const int d = drives->findText(QStringLiteral("d:"));
    QVERIFY2(d >= 0, "the Wine drive d: is offered");
    QVERIFY(drives->findText(QStringLiteral("/")) >= 0 || drives->count() > 2);
    drives->setCurrentIndex(d);
    emit drives->activated(d);
    QCOMPARE(QDir::cleanPath(form->path()), QDir::cleanPath(m_prefix->path() + QStringLiteral("/dosdevices/d:")));
    doubleClick(form, QStringLiteral("Other"));
    QTRY_COMPARE(QFileInfo(form->path()).fileName(), QStringLiteral("Other"));
    QTest::mouseClick(control<QPushButton>(form, "Command1"), Qt::LeftButton);
    QCOMPARE(control<QLineEdit>(m_window.get(), "Text1")->text(), QStringLiteral("d:\\Other\\"));
}

void TestFolderPicker::driveThatCannotBeOpened_leavesTheList()
{
    FolderPicker *form = openPicker("Command16");
    auto *drives = control<QComboBox>(form, "Drive1");
    const int d = drives->findText(QStringLiteral("d:"));
    QVERIFY(d >= 0);
    QVERIFY(QDir(m_prefix->path() + QStringLiteral("/dosdevices/d:")).removeRecursively()); // the medium is gone
    const QString before = form->path();
    drives->setCurrentIndex(d);
    emit drives->activated(d);
    QCOMPARE(form->path(), before);
    auto *problem = control<QLabel>(form, "problem");
    QVERIFY(problem->isVisible());
    QVERIFY2(problem->text().contains(QLatin1String("d:")), qPrintable(problem->text()));
    QVERIFY(form->isVisible());

    QTest::mouseClick(control<QPushButton>(form, "Command1"), Qt::LeftButton); // still works
    QCOMPARE(control<QLineEdit>(m_window.get(), "Text1")->text(), QStringLiteral("c:\\"));
}

void TestFolderPicker::folderThatMayNotBeOpened_saysSo()
{
#ifdef Q_OS_UNIX
    if (::geteuid() == 0)
        QSKIP("root opens every folder: this case runs as an ordinary user (tst_folderpicker_as_user)");
#endif
    const QString locked =
        driveC() + QStringLiteral("/Locked by a very long name that will not fit in the space below the list");
    QVERIFY(QDir().mkpath(locked));
    QVERIFY(QFile::setPermissions(locked, QFileDevice::WriteOwner));
    FolderPicker *form = openPicker("Command16");
    const QString before = form->path();
    doubleClick(form, QFileInfo(locked).fileName());
    auto *problem = control<QLabel>(form, "problem");
    QTRY_VERIFY(problem->isVisible());
    QFile::setPermissions(locked, QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
    QCOMPARE(form->path(), before);
    QVERIFY2(problem->text().contains(QLatin1String("you may not open that folder")), qPrintable(problem->text()));
    QVERIFY2(problem->toolTip().contains(QDir::toNativeSeparators(locked)), qPrintable(problem->toolTip()));
    const QRect needed =
        problem->fontMetrics().boundingRect(problem->contentsRect(), Qt::TextWordWrap, problem->text());
    QVERIFY2(problem->contentsRect().contains(needed), "the cause is cut off");
}

void TestFolderPicker::driveBox_namesTheDriveTheListStartsOn()
{
    FolderPicker *form = openPicker("Command16");
    auto *drives = control<QComboBox>(form, "Drive1");
    QCOMPARE(QDir::cleanPath(drives->currentData().toString()), QDir::cleanPath(driveC()));
}

void TestFolderPicker::noDriveC_startsAtHome()
{
    QVERIFY(QDir(driveC()).removeRecursively());
    FolderPicker *form = openPicker("Command16");
    QCOMPARE(QDir::cleanPath(form->path()), QDir::cleanPath(QDir::homePath()));
    QTest::mouseClick(control<QPushButton>(form, "Command1"), Qt::LeftButton);
    const QString written = control<QLineEdit>(m_window.get(), "Text1")->text();
    QCOMPARE(written, QDir::cleanPath(QDir::homePath()) + u'/');
}

void TestFolderPicker::closingMainWindow_closesPicker()
{
    QPointer<FolderPicker> form = openPicker("Command16");
    QVERIFY(form && form->isVisible());
    QVERIFY(m_window->close());
    QTRY_VERIFY(!form);
    QVERIFY(!m_window->isVisible());
}

void TestFolderPicker::hiddenFolders_areListed()
{
    FolderPicker *form = openPicker("Command16");
    QVERIFY(form->setPath(m_home->path()));
    QTRY_VERIFY(shown(form, QStringLiteral(".q3a")).isValid());
}

void TestFolderPicker::gameFolders_areOfferedAfterTheDrives()
{
    FolderPicker *form = openPicker("Command16");
    auto *drives = control<QComboBox>(form, "Drive1");
    const int game = drives->findText(QStringLiteral("Quake 3 (ioquake3, old home) ~/.q3a"));
    QVERIFY2(game > drives->findText(QStringLiteral("d:")), "after the drives");
    drives->setCurrentIndex(game);
    emit drives->activated(game);
    QCOMPARE(form->path(), m_home->path() + QStringLiteral("/.q3a"));
    QTRY_VERIFY(shown(form, QStringLiteral("baseq3")).isValid()); // the list shows it like any folder
    // Each panel is offered its own game's folders only, a long entry whole in its tooltip.
    QVERIFY(QDir(m_home->path()).mkpath(QStringLiteral(".wolf/main")));
    const QString rtcwFolder = m_home->path() + QStringLiteral("/.wolf/");
    QCOMPARE(drives->findData(rtcwFolder), -1);
    QTest::mouseClick(control<QPushButton>(m_window.get(), "Command17"), Qt::LeftButton);
    const int rtcw = drives->findData(rtcwFolder);
    QVERIFY(rtcw > drives->findText(QStringLiteral("d:")));
    QCOMPARE(drives->findText(QStringLiteral("Quake 3"), Qt::MatchStartsWith), -1);
    QVERIFY(drives->itemData(rtcw, Qt::ToolTipRole).toString().startsWith(QLatin1String("RTCW")));
    QCOMPARE(drives->itemData(rtcw, Qt::AccessibleTextRole), drives->itemData(rtcw, Qt::ToolTipRole));
    QTest::mouseClick(control<QPushButton>(m_window.get(), "Command16"), Qt::LeftButton);
    QTest::mouseClick(control<QPushButton>(form, "Command1"), Qt::LeftButton);
    QCOMPARE(control<QLineEdit>(m_window.get(), "Text1")->text(), m_home->path() + QStringLiteral("/.q3a/"));
}

void TestFolderPicker::highlight_staysWhileFoldersLoad()
{
    FolderPicker *form = openPicker("Command16");
    auto *list = control<QTreeView>(form, "Dir1");
    const QString many = m_home->path() + QStringLiteral("/many");
    QSignalSpy loaded(form->findChild<QFileSystemModel *>(), &QFileSystemModel::directoryLoaded);
    const auto manyLoaded = [&loaded, &many] {
        return std::any_of(loaded.cbegin(), loaded.cend(),
                           [&many](const QList<QVariant> &folder) { return folder.value(0).toString() == many; });
    };
    for (int round = 0; round < 5; ++round) {
        QVERIFY(form->setPath(many));
        QTRY_VERIFY(list->currentIndex().isValid() && list->model()->rowCount(list->currentIndex()) > 0);
        QTest::keyClick(list, Qt::Key_Down);
        // The open folder's loading ends after the key press, or has ended: either way its
        // end must leave the highlight where the key put it.
        QTRY_VERIFY(manyLoaded());
        const QString highlighted = list->currentIndex().data(QFileSystemModel::FilePathRole).toString();
        QVERIFY2(highlighted != many, "the highlight jumped back to the open folder");
        QTest::keyClick(list, Qt::Key_Return);
        QCOMPARE(form->path(), highlighted);
    }
}

void TestFolderPicker::done_refusesAFolderNamedWithABackslash()
{
    const QString odd = m_home->path() + QStringLiteral("/we\\ird");
    QVERIFY(QDir().mkpath(odd));
    FolderPicker *form = openPicker("Command16");
    QVERIFY(form->setPath(odd));
    QTest::mouseClick(control<QPushButton>(form, "Command1"), Qt::LeftButton);
    QCOMPARE(control<QLineEdit>(m_window.get(), "Text1")->text(), QString());
    QVERIFY(form->isVisible());
    QVERIFY2(control<QLabel>(form, "problem")->text().contains(QLatin1String("holds a \\")),
             qPrintable(control<QLabel>(form, "problem")->text()));
}

void TestFolderPicker::windows_startsAtDriveC()
{
#ifndef Q_OS_WIN
    QSKIP("Windows only");
#else
    FolderPicker *form = openPicker("Command16");
    QCOMPARE(form->path().toLower(), QStringLiteral("c:/"));
    auto *drives = control<QComboBox>(form, "Drive1");
    QVERIFY2(drives->findText(QStringLiteral("c:"), Qt::MatchStartsWith) >= 0, "drive c: is offered by its letter");
    QTest::mouseClick(control<QPushButton>(form, "Command1"), Qt::LeftButton);
    QCOMPARE(control<QLineEdit>(m_window.get(), "Text1")->text().toLower(), QStringLiteral("c:\\"));
#endif
}

QTEST_MAIN(TestFolderPicker)
#include "tst_folderpicker.moc"
