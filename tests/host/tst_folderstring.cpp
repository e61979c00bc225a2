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

private:
    QTemporaryDir m_prefix;
};

void TestFolderString::finalSeparator_data()
{
    QTest::addColumn<Style>("style");
    QTest::addColumn<QString>("folder");
    QTest::addColumn<QString>("expected");

    QTest::newRow("windows, missing") << Style::Windows << "C:\\Games\\RTCW" << "C:\\Games\\RTCW\\";
    QTest::newRow("windows, present") << Style::Windows << "C:\\Games\\" << "C:\\Games\\";
    QTest::newRow("windows ignores slash") << Style::Windows << "C:/Games/" << "C:/Games/\\";
    QTest::newRow("windows, empty") << Style::Windows << "" << "\\";
    QTest::newRow("posix, backslash kept") << Style::Posix << "C:\\Games\\RTCW" << "C:\\Games\\RTCW\\";
    QTest::newRow("posix, slash kept") << Style::Posix << "/home/p/rtcw" << "/home/p/rtcw/";
    QTest::newRow("posix, last one wins") << Style::Posix << "C:\\Games/rtcw" << "C:\\Games/rtcw/";
    QTest::newRow("posix, slash present") << Style::Posix << "/home/p/" << "/home/p/";
    QTest::newRow("posix, backslash present") << Style::Posix << "/home\\" << "/home\\";
    QTest::newRow("posix, none yet") << Style::Posix << "quake3" << "quake3/";
    QTest::newRow("posix, empty") << Style::Posix << "" << "/";
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
    const host::Host windows{Style::Windows, {}};
    for (const QString &s : {QStringLiteral("C:\\Games\\Quake3\\baseq3\\autoexec.cfg"),
                             QStringLiteral("autoexec.cfg"), QStringLiteral("\\\\server\\share\\")}) {
        const host::HostPath path = host::toHostPath(s, windows);
        QVERIFY(path.ok());
        QCOMPARE(path.path, s);
    }
}

void TestFolderString::posixPaths_data()
{
    QTest::addColumn<QString>("folder");
    QTest::addColumn<QString>("expected");
    QTest::newRow("native") << "/home/p/.q3a/baseq3/autoexec.cfg" << "/home/p/.q3a/baseq3/autoexec.cfg";
    QTest::newRow("backslashes") << "\\home\\p\\q3\\" << "/home/p/q3/";
    QTest::newRow("mixed") << "/home/p\\q3/osp\\" << "/home/p/q3/osp/";
    QTest::newRow("relative") << "autoexec.cfg" << "autoexec.cfg";
    QTest::newRow("colon later is no drive") << "/x/c:\\y" << "/x/c:/y";
}

void TestFolderString::posixPaths()
{
    QFETCH(QString, folder);
    QFETCH(QString, expected);
    const host::HostPath path = host::toHostPath(folder, {Style::Posix, m_prefix.path()});
    QVERIFY2(path.ok(), qPrintable(path.error));
    QCOMPARE(path.path, expected);
}

void TestFolderString::driveLetter_mapsThroughWinePrefix()
{
    QVERIFY(QDir(m_prefix.path()).mkpath(QStringLiteral("dosdevices/c:")));
    const host::Host posix{Style::Posix, m_prefix.path()};
    const QString drive = m_prefix.path() + QStringLiteral("/dosdevices/c:");

    QCOMPARE(host::toHostPath(QStringLiteral("C:\\Games\\Quake3\\"), posix).path, drive + "/Games/Quake3/");
    QCOMPARE(host::toHostPath(QStringLiteral("c:\\"), posix).path, drive + "/");
    QCOMPARE(host::toHostPath(QStringLiteral("C:"), posix).path, drive + "/");
    QCOMPARE(host::toHostPath(QStringLiteral("C:games"), posix).path, drive + "/games");
}

void TestFolderString::missingDrive_isAnErrorNamingTheDrive()
{
    const host::HostPath path = host::toHostPath(QStringLiteral("D:\\Games\\"), {Style::Posix, m_prefix.path()});
    QVERIFY(!path.ok());
    QVERIFY(path.path.isEmpty());
    QVERIFY2(path.error.contains(QLatin1String("drive D:")), qPrintable(path.error));
    QVERIFY2(path.error.contains(m_prefix.path() + QStringLiteral("/dosdevices/d:")), qPrintable(path.error));
}

QTEST_GUILESS_MAIN(TestFolderString)
#include "tst_folderstring.moc"
