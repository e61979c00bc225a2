#include "testhost.h"

#include "host/drives.h"
#include "host/folderstring.h"

#include <QDir>
#include <QTemporaryDir>
#include <QTest>

using host::Style;

class TestFolderString : public QObject
{
    Q_OBJECT

private slots:
    void finalSeparator_data();
    void finalSeparator();
    void winePrefix_fallsBackToHome();
    void windowsPaths_passUnchanged();
    void posixPaths_data();
    void posixPaths();
    void driveLetter_mapsThroughWinePrefix();
    void missingDrive_isAnErrorNamingTheDrive();
    void wineDrivePaths_readAsWindowsReadsThem_data();
    void wineDrivePaths_readAsWindowsReadsThem();
    void wholeFolders_data();
    void wholeFolders();
    void pickedFolders_becomeFolderStrings_data();
    void pickedFolders_becomeFolderStrings();
    void gameFolders_takeTheDiskSpelling_data();
    void gameFolders_takeTheDiskSpelling();

private:
    QTemporaryDir m_prefix;
};

void TestFolderString::finalSeparator_data()
{
    QTest::addColumn<Style>("style");
    QTest::addColumn<QString>("folder");
    QTest::addColumn<QString>("expected");

    QTest::newRow("windows, missing") << Style::Windows << "C:\\Games\\RTCW"
                                      << "C:\\Games\\RTCW\\";
    QTest::newRow("windows, present") << Style::Windows << "C:\\Games\\"
                                      << "C:\\Games\\";
    QTest::newRow("windows ignores slash") << Style::Windows << "C:/Games/"
                                           << "C:/Games/\\";
    QTest::newRow("windows, empty") << Style::Windows << ""
                                    << "\\";
    QTest::newRow("posix, backslash kept") << Style::Posix << "C:\\Games\\RTCW"
                                           << "C:\\Games\\RTCW\\";
    QTest::newRow("posix, slash kept") << Style::Posix << "/home/p/rtcw"
                                       << "/home/p/rtcw/";
    QTest::newRow("posix, last one wins") << Style::Posix << "C:\\Games/rtcw"
                                          << "C:\\Games/rtcw/";
    QTest::newRow("posix, slash present") << Style::Posix << "/home/p/"
                                          << "/home/p/";
    QTest::newRow("posix, backslash present") << Style::Posix << "/home\\"
                                              << "/home\\";
    QTest::newRow("posix, none yet") << Style::Posix << "quake3"
                                     << "quake3/";
    QTest::newRow("posix, empty") << Style::Posix << ""
                                  << "/";
}

void TestFolderString::finalSeparator()
{
    QFETCH(Style, style);
    QFETCH(QString, folder);
    QFETCH(QString, expected);
    QCOMPARE(host::withFinalSeparator(folder, style), expected);
    QVERIFY(host::endsWithSeparator(expected, style));
}

void TestFolderString::winePrefix_fallsBackToHome()
{
    QCOMPARE(host::winePrefixFrom(QString(), QStringLiteral("/home/p")), QStringLiteral("/home/p/.wine"));
    QCOMPARE(host::winePrefixFrom(QStringLiteral("/opt/games"), QStringLiteral("/home/p")),
             QStringLiteral("/opt/games"));
}

void TestFolderString::windowsPaths_passUnchanged()
{
    const host::Host windows {Style::Windows, {}};
    for (const QString &s : {QStringLiteral("C:\\Games\\Quake3\\baseq3\\autoexec.cfg"), QStringLiteral("autoexec.cfg"),
                             QStringLiteral("\\\\server\\share\\")}) {
        QString error;
        QCOMPARE(host::toHostPath(s, windows, &error), s);
    }
}

void TestFolderString::posixPaths_data()
{
    QTest::addColumn<QString>("folder");
    QTest::addColumn<QString>("expected");
    QTest::newRow("native") << "/home/p/.q3a/baseq3/autoexec.cfg"
                            << "/home/p/.q3a/baseq3/autoexec.cfg";
    QTest::newRow("backslashes") << "\\home\\p\\q3\\"
                                 << "/home/p/q3/";
    QTest::newRow("mixed") << "/home/p\\q3/osp\\"
                           << "/home/p/q3/osp/";
    QTest::newRow("relative") << "autoexec.cfg"
                              << "autoexec.cfg";
    QTest::newRow("colon later is no drive") << "/x/c:\\y"
                                             << "/x/c:/y";
    QTest::newRow("home") << "~/.q3a/"
                          << "/home/you/.q3a/";
    QTest::newRow("home alone") << "~"
                                << "/home/you";
    QTest::newRow("home, backslash") << "~\\.wolf\\"
                                     << "/home/you/.wolf/";
    QTest::newRow("another user's home is not expanded") << "~p/.q3a"
                                                         << "~p/.q3a";
}

void TestFolderString::posixPaths()
{
    SKIP_UNLESS_POSIX();
    QFETCH(QString, folder);
    QFETCH(QString, expected);
    QString error;
    QCOMPARE(host::toHostPath(folder, {Style::Posix, m_prefix.path(), QStringLiteral("/home/you")}, &error), expected);
}

void TestFolderString::driveLetter_mapsThroughWinePrefix()
{
    SKIP_UNLESS_POSIX();
    QVERIFY(QDir(m_prefix.path()).mkpath(QStringLiteral("dosdevices/c:")));
    const host::Host posix {Style::Posix, m_prefix.path()};
    const QString drive = m_prefix.path() + QStringLiteral("/dosdevices/c:");
    QString error;

    QCOMPARE(host::toHostPath(QStringLiteral("C:\\Games\\Quake3\\"), posix, &error), drive + "/Games/Quake3/");
    QCOMPARE(host::toHostPath(QStringLiteral("c:\\"), posix, &error), drive + "/");
    QCOMPARE(host::toHostPath(QStringLiteral("C:"), posix, &error), drive + "/");
    QCOMPARE(host::toHostPath(QStringLiteral("C:games"), posix, &error), drive + "/games");
}

void TestFolderString::missingDrive_isAnErrorNamingTheDrive()
{
    SKIP_UNLESS_POSIX();
    QString error;
    QVERIFY(!host::toHostPath(QStringLiteral("D:\\Games\\"), {Style::Posix, m_prefix.path()}, &error));
    QVERIFY2(error.contains(QLatin1String("drive D:")), qPrintable(error));
    QVERIFY2(error.contains(m_prefix.path() + QStringLiteral("/dosdevices/d:")), qPrintable(error));
}

void TestFolderString::wineDrivePaths_readAsWindowsReadsThem_data()
{
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("onDriveC");
    QTest::newRow("case ignored") << "c:\\program files\\quake iii arena\\baseq3\\autoexec.cfg"
                                  << "/Program Files/Quake III Arena/baseq3/autoexec.cfg";
    QTest::newRow("trailing blank") << "C:\\Q3 \\"
                                    << "/Q3/";
    QTest::newRow("trailing dots") << "C:\\Q3..\\baseq3.\\"
                                   << "/Q3/baseq3/";
    QTest::newRow("dot and dot-dot") << "C:\\Q3\\.\\x\\..\\baseq3\\"
                                     << "/Q3/baseq3/";
    QTest::newRow("never above the drive") << "C:\\Games\\..\\..\\..\\"
                                           << "/";
    QTest::newRow("doubled separators") << "C:\\\\Q3//baseq3\\"
                                        << "/Q3/baseq3/";
    QTest::newRow("new names kept as typed") << "c:\\q3\\New Mod\\autoexec.cfg"
                                             << "/Q3/New Mod/autoexec.cfg";
}

void TestFolderString::wineDrivePaths_readAsWindowsReadsThem()
{
    SKIP_UNLESS_POSIX();
    QFETCH(QString, typed);
    QFETCH(QString, onDriveC);
    QTemporaryDir wine; // laid out as Wine lays a prefix out
    QDir prefix(wine.path());
    QVERIFY(prefix.mkpath(QStringLiteral("drive_c/Program Files/Quake III Arena/baseq3")));
    QVERIFY(prefix.mkpath(QStringLiteral("drive_c/Q3/baseq3")));
    QVERIFY(prefix.mkpath(QStringLiteral("dosdevices")));
    QVERIFY(QFile::link(QStringLiteral("../drive_c"), wine.path() + QStringLiteral("/dosdevices/c:")));
    QString error;
    QCOMPARE(host::toHostPath(typed, {Style::Posix, wine.path()}, &error),
             wine.path() + QStringLiteral("/dosdevices/c:") + onDriveC);
}

void TestFolderString::wholeFolders_data()
{
    QTest::addColumn<Style>("style");
    QTest::addColumn<QString>("folder");
    QTest::addColumn<bool>("whole");
    QTest::newRow("posix, absolute") << Style::Posix << "/home/p/.q3a/" << true;
    QTest::newRow("posix, backslash") << Style::Posix << "\\games\\q3" << true;
    QTest::newRow("posix, home") << Style::Posix << "~/.q3a" << true;
    QTest::newRow("posix, drive") << Style::Posix << "C:\\Games\\" << true;
    QTest::newRow("posix, dot") << Style::Posix << "." << false;
    QTest::newRow("posix, relative") << Style::Posix << "games/q3" << false;
    QTest::newRow("posix, leading blank") << Style::Posix << " /home/p" << false;
    QTest::newRow("posix, drive without separator") << Style::Posix << "C:games" << false;
    QTest::newRow("windows, drive") << Style::Windows << "C:\\Games\\" << true;
    QTest::newRow("windows, share") << Style::Windows << "\\\\server\\games" << true;
    QTest::newRow("windows, slashes") << Style::Windows << "C:/Games/Quake3/" << true;
    QTest::newRow("windows, tilde") << Style::Windows << "~\\q3" << false;
    QTest::newRow("windows, relative") << Style::Windows << "Games\\Quake3" << false;
}

void TestFolderString::wholeFolders()
{
    QFETCH(Style, style);
    QFETCH(QString, folder);
    QFETCH(bool, whole);
    QCOMPARE(host::isWholeFolder(folder, style), whole);
}

void TestFolderString::pickedFolders_becomeFolderStrings_data()
{
    QTest::addColumn<QString>("picked");
    QTest::addColumn<QString>("folderString"); // empty: refused
    const QString prefix = QStringLiteral("/wine");
    QTest::newRow("Wine drive") << prefix + "/dosdevices/c:/Games/Quake3"
                                << "c:\\Games\\Quake3";
    QTest::newRow("Wine drive root") << prefix + "/dosdevices/d:"
                                     << "d:\\";
    QTest::newRow("elsewhere") << "/home/p/.q3a"
                               << "/home/p/.q3a";
    QTest::newRow("a backslash in a name") << "/home/p/we\\ird"
                                           << "";
}

void TestFolderString::pickedFolders_becomeFolderStrings()
{
    QFETCH(QString, picked);
    QFETCH(QString, folderString);
    QString error;
    const std::optional<QString> result =
        host::folderStringFor(picked, {Style::Posix, QStringLiteral("/wine")}, &error);
    QCOMPARE(result.value_or(QString()), folderString);
    QCOMPARE(error.contains(QLatin1String("holds a \\")), folderString.isEmpty());
}

void TestFolderString::gameFolders_takeTheDiskSpelling_data()
{
    QTest::addColumn<QStringList>("entries"); // folders in the root
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("folder"); // below the root
    QTest::newRow("as spelt") << QStringList {"main"} << "main"
                              << "main/";
    QTest::newRow("Steam's Main") << QStringList {"Main"} << "main"
                                  << "Main/";
    QTest::newRow("an exact match first") << QStringList {"Main", "main"} << "main"
                                          << "main/";
    QTest::newRow("missing: as typed") << QStringList {"Main2"} << "main"
                                       << "main/";
    QTest::newRow("a mod with its separator") << QStringList {"CPMA"} << "cpma\\"
                                              << "CPMA/";
    QTest::newRow("a nested mod as typed") << QStringList {"Mods/x"} << "mods\\x"
                                           << "mods\\x\\";
}

void TestFolderString::gameFolders_takeTheDiskSpelling()
{
    SKIP_UNLESS_POSIX();
    QFETCH(QStringList, entries);
    QFETCH(QString, name);
    QFETCH(QString, folder);
    QTemporaryDir root;
    for (const QString &entry : entries)
        QVERIFY(QDir(root.path()).mkpath(entry));
    const host::Host posix {Style::Posix, m_prefix.path(), QStringLiteral("/home/you")};
    QCOMPARE(host::gameFolder(root.path() + u'/', name, posix), root.path() + u'/' + folder);

    // The same folder reached as a Wine drive, in the drive path's own separators.
    QVERIFY(QDir(m_prefix.path()).mkpath(QStringLiteral("dosdevices")));
    const QString drive = m_prefix.path() + QStringLiteral("/dosdevices/g:");
    QVERIFY(QFile::exists(drive) || QFile::link(root.path(), drive));
    QCOMPARE(host::gameFolder(QStringLiteral("G:\\"), name, posix),
             QStringLiteral("G:\\") + QString(folder).replace(u'/', u'\\'));
    QVERIFY(QFile::remove(drive));
}

QTEST_GUILESS_MAIN(TestFolderString)
#include "tst_folderstring.moc"
