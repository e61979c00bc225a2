#include "binds/gamefolders.h"
#include "binds/homes.h"

#include <QDir>
#include <QFile>
#include <QRegularExpression>
#include <QScopeGuard>
#include <QTemporaryDir>
#include <QTest>

#include "testfiles.h"
#include "testhost.h"

#ifdef Q_OS_WIN
#include <windows.h>
#endif

class TestGameFolders : public QObject
{
    Q_OBJECT

private slots:
    void foundInTheKnownPlaces_data();
    void foundInTheKnownPlaces();
    void readInsteadOf_theHomeTheEngineReads_data();
    void readInsteadOf_theHomeTheEngineReads();
};

void TestGameFolders::foundInTheKnownPlaces_data()
{
    // Folders below a made-up home ("~"), a Steam library ("<library>") and a Wine prefix
    // ("<wine>"); on Windows "<drive>" is the root of a Wine drive.
    QTest::addColumn<QStringList>("made");
    QTest::addColumn<QStringList>("expected"); // "~" in a path for the home
#ifdef Q_OS_WIN
    QTest::newRow("Windows homes, and an install at a drive's root")
        << QStringList {"~/AppData/Quake3/baseq3", "~/Documents/RTCW/Main", "~/AppData/OpenArena/baseoa",
                        "~/AppData/Quake3-not/baseq3", "<drive>/Quake III Arena/BaseQ3"}
        << QStringList {"Quake 3 (ioquake3) ~\\AppData\\Quake3", "RTCW (iortcw) ~\\Documents\\RTCW",
                        "OpenArena ~\\AppData\\OpenArena", "Quake 3 <drive>\\Quake III Arena"};
#else
    QTest::newRow("Linux homes, Steam libraries and a Wine prefix")
        << QStringList {"~/.q3a/baseq3",
                        "~/.config/Quake3/baseq3",
                        "~/.var/app/org.ioquake3.ioquake3/config/Quake3/baseq3",
                        "~/.wolf/main",
                        "~/.local/share/iortcw/not-main",
                        "~/.openarena/baseoa",
                        "~/.local/share/OpenArena/baseoa",
                        "~/.local/share/Steam/steamapps/common/Quake 3 Arena/baseq3",
                        "~/.local/share/Steam/steamapps/common/Quake Live/76561197960287930/baseq3",
                        "~/.local/share/Steam/steamapps/common/Quake Live/web/baseq3",
                        "~/.var/app/com.valvesoftware.Steam/.local/share/Steam/steamapps/common/Quake "
                        "Live/76561198000000001/baseq3",
                        "<library>/steamapps/common/Return to Castle Wolfenstein/Main",
                        "<wine>/drive_c/program files/Quake III Arena/BaseQ3",
                        "<wine>/drive_c/users/me/AppData/Roaming/Quake3/baseq3",
                        "<wine>/drive_c/users/Public/Documents/RTCW/main",
                        "<wine>/drive_c/users/me/Documents/RTCW/main",
                        "<wine>/drive_c/Program Files (x86)/Steam/steamapps/common/Quake Live/76561198000000002/baseq3"}
        << QStringList {
               "Quake 3 (ioquake3) ~/.config/Quake3",
               "Quake 3 (ioquake3, Flatpak) ~/.var/app/org.ioquake3.ioquake3/config/Quake3",
               "Quake 3 (ioquake3, old home) ~/.q3a",
               "RTCW (iortcw) ~/.wolf",
               "OpenArena ~/.local/share/OpenArena",
               "OpenArena (old home) ~/.openarena",
               "Quake 3 Arena (Steam) ~/.steam/steam/steamapps/common/Quake 3 Arena", // once, not again by its link
               "Quake Live (Steam, account 76561197960287930) ~/.steam/steam/steamapps/common/Quake "
               "Live/76561197960287930",
               "Quake Live (Steam, account 76561198000000001) "
               "~/.var/app/com.valvesoftware.Steam/.local/share/Steam/steamapps/common/Quake Live/76561198000000001",
               "Return to Castle Wolfenstein (Steam) <library>/steamapps/common/Return to Castle Wolfenstein",
               "Quake 3 (ioquake3) (Wine) c:\\users\\me\\AppData\\Roaming\\Quake3",
               "RTCW (iortcw) (Wine) c:\\users\\me\\Documents\\RTCW",
               "Quake Live (Steam, account 76561198000000002) (Wine) c:\\Program Files "
               "(x86)\\Steam\\steamapps\\common\\Quake "
               "Live\\76561198000000002",
               "Quake 3 (Wine) c:\\program files\\Quake III Arena",
           };
#endif
}

void TestGameFolders::foundInTheKnownPlaces()
{
    QFETCH(QStringList, made);
    QFETCH(QStringList, expected);
    QTemporaryDir home, library, wine;
    host::Host host = testHost();
    host.home = home.path();
    QString drive; // a Windows drive's root the test may make folders in
#ifdef Q_OS_WIN
    if (!GetProcAddress(GetModuleHandleW(L"ntdll.dll"), "wine_get_version"))
        QSKIP("makes a game folder at a drive's root, which only a Wine prefix of its own may take");
    drive = home.path().left(2);
    host.appData = home.path() + QStringLiteral("/AppData");
    host.documents = home.path() + QStringLiteral("/Documents");
    const QString atRoot = drive + QStringLiteral("/Quake III Arena");
    QVERIFY2(!QFileInfo::exists(atRoot), qPrintable(atRoot + " is there already"));
    auto removeAtRoot = qScopeGuard([&atRoot] { QDir(atRoot).removeRecursively(); });
#else
    host.winePrefix = wine.path();
    host.configHome = home.path() + QStringLiteral("/.config");
    QVERIFY(QDir(wine.path()).mkpath(QStringLiteral("drive_c"))
            && QDir(wine.path()).mkpath(QStringLiteral("dosdevices")));
    QVERIFY(QFile::link(QStringLiteral("../drive_c"), wine.path() + QStringLiteral("/dosdevices/c:")));
    QVERIFY(QDir(home.path()).mkpath(QStringLiteral(".steam")));
    QVERIFY(QFile::link(home.path() + QStringLiteral("/.local/share/Steam"),
                        home.path() + QStringLiteral("/.steam/steam")));
    QVERIFY(QDir(home.path()).mkpath(QStringLiteral(".local/share/Steam/steamapps")));
    writeFile(home.path() + QStringLiteral("/.local/share/Steam/steamapps/libraryfolders.vdf"),
              "\"libraryfolders\"\n{\n\t\"1\"\n\t{\n\t\t\"path\"\t\t\"" + library.path().toUtf8() + "\"\n\t}\n}\n");
#endif
    auto placed = [&](QString path) {
        return path.replace(QLatin1String("<library>"), library.path())
            .replace(QLatin1String("<wine>"), wine.path())
            .replace(QLatin1String("<drive>"), drive)
            .replace(QRegularExpression(QStringLiteral("^~")), home.path());
    };
    for (const QString &folder : made)
        QVERIFY2(QDir().mkpath(placed(folder)), qPrintable(folder));

    QStringList names;
    for (const host::Drive &found : binds::gameFolders(host)) {
        names << found.name;
        QVERIFY2(QDir(found.rootPath).exists(), qPrintable(found.rootPath));
    }
    for (QString &name : expected) {
        name.replace(QLatin1String("<library>"), library.path()).replace(QLatin1String("<drive>"), drive);
#ifdef Q_OS_WIN
        name.replace(QLatin1String(" ~"), u' ' + QDir::toNativeSeparators(home.path()));
#endif
    }
    QCOMPARE(names, expected);
}

void TestGameFolders::readInsteadOf_theHomeTheEngineReads_data()
{
    QTest::addColumn<QStringList>("made"); // below a made-up home folder; a name with a dot in it is a file
    QTest::addColumn<bool>("quake3");      // else RTCW
    QTest::addColumn<QString>("root");     // as typed, "~" for the home folder
    QTest::addColumn<QString>("instead");  // the root the game reads, "~" for the home; empty: the one typed
#ifdef Q_OS_WIN
    const QString appData = QStringLiteral("~/AppData/Quake3/baseq3/autoexec.cfg");
    const QString documents = QStringLiteral("~/Documents/RTCW/main/autoexec.cfg");
    QTest::newRow("ioquake3's home holds an autoexec.cfg")
        << QStringList {appData, "~/Games/Q3/baseq3"} << true << "~/Games/Q3/"
        << "~/AppData/Quake3/";
    QTest::newRow("no autoexec.cfg in ioquake3's home")
        << QStringList {"~/AppData/Quake3/baseq3", "~/Games/Q3/baseq3"} << true << "~/Games/Q3/"
        << "";
    QTest::newRow("typed as the home itself") << QStringList {appData} << true << "~/AppData/Quake3/"
                                              << "";
    QTest::newRow("iortcw's home holds an autoexec.cfg")
        << QStringList {documents, "~/Games/RTCW/Main"} << false << "~/Games/RTCW/"
        << "~/Documents/RTCW/";
#else
    QTest::newRow("both homes: the new one is read")
        << QStringList {"~/.q3a/baseq3", "~/.config/Quake3/baseq3"} << true << "~/.q3a/"
        << "~/.config/Quake3/";
    QTest::newRow("typed whole, without a final /")
        << QStringList {"~/.q3a/baseq3", "~/.config/Quake3"} << true << "~/.q3a"
        << "~/.config/Quake3/";
    QTest::newRow("only the old home") << QStringList {"~/.q3a/baseq3"} << true << "~/.q3a/"
                                       << "";
    QTest::newRow("the new home typed") << QStringList {"~/.q3a/baseq3", "~/.config/Quake3/baseq3"} << true
                                        << "~/.config/Quake3/"
                                        << "";
    QTest::newRow("an install folder") << QStringList {"~/games/q3/baseq3", "~/.config/Quake3"} << true << "~/games/q3/"
                                       << "";
    QTest::newRow("RTCW keeps its homes") << QStringList {"~/.q3a/main", "~/.config/Quake3"} << false << "~/.q3a/"
                                          << "";
    QTest::newRow("the Flatpak's home is its own")
        << QStringList {"~/.q3a/baseq3", "~/.var/app/org.ioquake3.ioquake3/config/Quake3/baseq3"} << true << "~/.q3a/"
        << "";
    // ~/.wine is the prefix; its drive c: is ~/.wine/drive_c
    const QString wineAppData = QStringLiteral("~/.wine/drive_c/users/me/AppData/Roaming/Quake3/baseq3/autoexec.cfg");
    QTest::newRow("Wine: ioquake3's home holds an autoexec.cfg")
        << QStringList {wineAppData, "~/.wine/drive_c/Games/Q3/baseq3"} << true << "c:\\Games\\Q3\\"
        << "c:\\users\\me\\AppData\\Roaming\\Quake3\\";
    QTest::newRow("Wine: the install folder typed as a Linux path")
        << QStringList {wineAppData, "~/.wine/drive_c/Games/Q3/baseq3"} << true << "~/.wine/drive_c/Games/Q3/"
        << "c:\\users\\me\\AppData\\Roaming\\Quake3\\";
    QTest::newRow("Wine: an old prefix's Application Data")
        << QStringList {"~/.wine/drive_c/users/me/Application Data/Quake3/baseq3/autoexec.cfg"} << true
        << "c:\\Quake III Arena\\"
        << "c:\\users\\me\\Application Data\\Quake3\\";
    QTest::newRow("Wine: no autoexec.cfg in ioquake3's home")
        << QStringList {"~/.wine/drive_c/users/me/AppData/Roaming/Quake3/baseq3"} << true << "c:\\Games\\Q3\\"
        << "";
    QTest::newRow("Wine: iortcw's home holds an autoexec.cfg")
        << QStringList {"~/.wine/drive_c/users/me/Documents/RTCW/main/autoexec.cfg"} << false << "c:\\RTCW\\"
        << "c:\\users\\me\\Documents\\RTCW\\";
    QTest::newRow("Wine: a Linux folder outside the prefix")
        << QStringList {wineAppData, "~/games/q3/baseq3"} << true << "~/games/q3/"
        << "";
#endif
}

void TestGameFolders::readInsteadOf_theHomeTheEngineReads()
{
    QFETCH(QStringList, made);
    QFETCH(bool, quake3);
    QFETCH(QString, root);
    QFETCH(QString, instead);
    QTemporaryDir home;
    auto inHome = [&home](const QString &path) {
        return path.startsWith(u'~') ? QDir::toNativeSeparators(home.path() + path.mid(1)) : path;
    };
    for (const QString &path : made) {
        const bool file = path.contains(QLatin1String(".cfg"));
        QVERIFY(QDir().mkpath(file ? QFileInfo(inHome(path)).absolutePath() : inHome(path)));
        if (file)
            writeFile(inHome(path), "bind f1 x\r\n");
    }
    host::Host host = testHost();
    host.home = home.path();
    host.configHome = home.path() + QStringLiteral("/.config");
    host.appData = home.path() + QStringLiteral("/AppData");
    host.documents = home.path() + QStringLiteral("/Documents");
#ifndef Q_OS_WIN
    host.winePrefix = home.path() + QStringLiteral("/.wine");
    QVERIFY(QDir(host.winePrefix).mkpath(QStringLiteral("drive_c")));
    QVERIFY(QDir(host.winePrefix).mkpath(QStringLiteral("dosdevices")));
    QVERIFY(QFile::link(QStringLiteral("../drive_c"), host.winePrefix + QStringLiteral("/dosdevices/c:")));
#endif
    const std::optional<binds::ReadInstead> read =
        binds::readInsteadOf(inHome(root), quake3 ? binds::quake3Game() : binds::rtcwGame(), host);
    QCOMPARE(read ? read->root : QString(), instead.isEmpty() ? QString() : inHome(instead));
    QVERIFY(!read || !read->why.isEmpty());
}

QTEST_GUILESS_MAIN(TestGameFolders)
#include "tst_gamefolders.moc"
