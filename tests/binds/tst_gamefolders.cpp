#include "testfiles.h"
#include "testhost.h"

#include "binds/folders/gamefolders.h"
#include "binds/folders/homes.h"
#include "binds/folders/whatruns.h"

#include <QDir>
#include <QFile>
#include <QRegularExpression>
#include <QScopeGuard>
#include <QTemporaryDir>
#include <QTest>

#ifdef Q_OS_WIN
#include <windows.h>
#endif

class TestGameFolders : public QObject
{
    Q_OBJECT

private slots:
    void foundInTheKnownPlaces_data();
    void foundInTheKnownPlaces();
    void startFolders_theFileEachEngineRuns_data();
    void startFolders_theFileEachEngineRuns();
    void guessEngine_fromWhatTheRootHolds_data();
    void guessEngine_fromWhatTheRootHolds();
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

void TestGameFolders::startFolders_theFileEachEngineRuns_data()
{
    QTest::addColumn<QStringList>("made"); // below a made-up home folder; a name with a dot in it is a file
    QTest::addColumn<QString>("engine");   // its id in the engine table
    QTest::addColumn<QString>("root");     // as typed, "~" for the home folder
    QTest::addColumn<QString>("mod");      // the game folder asked for; empty: the base game's
    QTest::addColumn<QString>("instead");  // the game folder Add writes into, "~" for the home; empty: the one asked
#ifdef Q_OS_WIN
    const QString appData = QStringLiteral("~/AppData/Quake3/baseq3/autoexec.cfg");
    const QString documents = QStringLiteral("~/Documents/RTCW/main/autoexec.cfg");
    // ioquake3 sys_win32.c: %APPDATA%\Quake3 before the install folder.
    QTest::newRow("ioquake3's home holds an autoexec.cfg") << QStringList {appData, "~/Games/Q3/baseq3"} << "ioquake3"
                                                           << "~/Games/Q3/"
                                                           << ""
                                                           << "~/AppData/Quake3/baseq3/";
    QTest::newRow("no autoexec.cfg in ioquake3's home")
        << QStringList {"~/AppData/Quake3/baseq3", "~/Games/Q3/baseq3"} << "ioquake3"
        << "~/Games/Q3/"
        << ""
        << "";
    QTest::newRow("typed as the home itself") << QStringList {appData} << "ioquake3"
                                              << "~/AppData/Quake3/"
                                              << ""
                                              << "";
    // Quake3e win_shared.c:102-141: no home on Windows, only the install folder.
    QTest::newRow("Quake3e reads no AppData") << QStringList {appData, "~/Games/Q3/baseq3"} << "quake3e"
                                              << "~/Games/Q3/"
                                              << ""
                                              << "";
    QTest::newRow("iortcw's home holds an autoexec.cfg") << QStringList {documents, "~/Games/RTCW/Main"} << "iortcw"
                                                         << "~/Games/RTCW/"
                                                         << ""
                                                         << "~/Documents/RTCW/main/";
    QTest::newRow("RtcwPro reads no Documents") << QStringList {documents, "~/Games/RTCW/Main"} << "rtcwpro"
                                                << "~/Games/RTCW/"
                                                << ""
                                                << "";
#else
    // ioquake3 sys_unix.c:156, :385: ~/.config/Quake3 once it exists, ~/.q3a never again.
    QTest::newRow("both homes: the new one is read")
        << QStringList {"~/.q3a/baseq3", "~/.config/Quake3/baseq3"} << "ioquake3"
        << "~/.q3a/"
        << ""
        << "~/.config/Quake3/baseq3/";
    QTest::newRow("typed whole, without a final /") << QStringList {"~/.q3a/baseq3", "~/.config/Quake3"} << "ioquake3"
                                                    << "~/.q3a"
                                                    << ""
                                                    << "~/.config/Quake3/baseq3/";
    QTest::newRow("only the old home") << QStringList {"~/.q3a/baseq3"} << "ioquake3"
                                       << "~/.q3a/"
                                       << ""
                                       << "";
    QTest::newRow("the new home typed") << QStringList {"~/.q3a/baseq3", "~/.config/Quake3/baseq3"} << "ioquake3"
                                        << "~/.config/Quake3/"
                                        << ""
                                        << "";
    QTest::newRow("an install folder") << QStringList {"~/games/q3/baseq3", "~/.config/Quake3"} << "ioquake3"
                                       << "~/games/q3/"
                                       << ""
                                       << "";
    QTest::newRow("the new home's autoexec.cfg hides the install folder's")
        << QStringList {"~/games/q3/baseq3", "~/.config/Quake3/baseq3/autoexec.cfg"} << "ioquake3"
        << "~/games/q3/"
        << ""
        << "~/.config/Quake3/baseq3/";
    // ioquake3 1.36 (Debian 12's) knows only ~/.q3a.
    QTest::newRow("ioquake3 1.36 reads the old home")
        << QStringList {"~/.q3a/baseq3", "~/.config/Quake3/baseq3"} << "ioquake3-1.36"
        << "~/.q3a/"
        << ""
        << "";
    // Quake3e unix_shared.c:387-413: ~/.q3a, never the XDG folders.
    QTest::newRow("Quake3e reads the old home")
        << QStringList {"~/.q3a/baseq3", "~/.config/Quake3/baseq3/autoexec.cfg"} << "quake3e"
        << "~/.q3a/"
        << ""
        << "";
    QTest::newRow("Quake3e: ~/.q3a's autoexec.cfg hides the install folder's")
        << QStringList {"~/.q3a/baseq3/autoexec.cfg", "~/games/q3/baseq3"} << "quake3e"
        << "~/games/q3/"
        << ""
        << "~/.q3a/baseq3/";
    QTest::newRow("Quake3e: the mod's file first")
        << QStringList {"~/games/q3/osp/autoexec.cfg", "~/games/q3/baseq3"} << "quake3e"
        << "~/games/q3/"
        << "osp"
        << "";
    // CNQ3 files.cpp:1048-1056: autoexec.cfg only from the mod it plays, cpma unless told.
    QTest::newRow("CNQ3 runs no baseq3 autoexec.cfg") << QStringList {"~/q3/baseq3", "~/q3/cpma"} << "cnq3"
                                                      << "~/q3/"
                                                      << ""
                                                      << "~/q3/cpma/";
    QTest::newRow("CNQ3: cpma's file") << QStringList {"~/q3/baseq3/autoexec.cfg", "~/q3/cpma/autoexec.cfg"} << "cnq3"
                                       << "~/q3/"
                                       << ""
                                       << "~/q3/cpma/";
    QTest::newRow("CNQ3 playing osp") << QStringList {"~/q3/baseq3", "~/q3/osp"} << "cnq3"
                                      << "~/q3/"
                                      << "osp"
                                      << "";
    QTest::newRow("id's 1.32 keeps to its folder")
        << QStringList {"~/q3/baseq3", "~/.config/Quake3/baseq3"} << "quake3-1.32"
        << "~/q3/"
        << ""
        << "";
    QTest::newRow("RTCW keeps its homes") << QStringList {"~/.q3a/main", "~/.config/Quake3"} << "iortcw"
                                          << "~/.q3a/"
                                          << ""
                                          << "";
    // RtcwPro files.c:2996: it plays rtcwpro, whose autoexec.cfg hides main's.
    QTest::newRow("RtcwPro: rtcwpro's file hides main's")
        << QStringList {"~/rtcw/main/autoexec.cfg", "~/rtcw/rtcwpro/autoexec.cfg"} << "rtcwpro"
        << "~/rtcw/"
        << ""
        << "~/rtcw/rtcwpro/";
    QTest::newRow("RtcwPro: main's file when rtcwpro has none")
        << QStringList {"~/rtcw/main/autoexec.cfg", "~/rtcw/rtcwpro"} << "rtcwpro"
        << "~/rtcw/"
        << ""
        << "";
    QTest::newRow("WolfPro: wolfpro's file") << QStringList {"~/rtcw/Main", "~/rtcw/wolfpro/autoexec.cfg"} << "wolfpro"
                                             << "~/rtcw/"
                                             << ""
                                             << "~/rtcw/wolfpro/";
    QTest::newRow("the Flatpak's home is its own")
        << QStringList {"~/.q3a/baseq3", "~/.var/app/org.ioquake3.ioquake3/config/Quake3/baseq3"} << "ioquake3"
        << "~/.q3a/"
        << ""
        << "";
    // ~/.wine is the prefix; its drive c: is ~/.wine/drive_c
    const QString wineAppData = QStringLiteral("~/.wine/drive_c/users/me/AppData/Roaming/Quake3/baseq3/autoexec.cfg");
    QTest::newRow("Wine: ioquake3's home holds an autoexec.cfg")
        << QStringList {wineAppData, "~/.wine/drive_c/Games/Q3/baseq3"} << "ioquake3"
        << "c:\\Games\\Q3\\"
        << ""
        << "c:\\users\\me\\AppData\\Roaming\\Quake3\\baseq3\\";
    QTest::newRow("Wine: Quake3e reads no AppData")
        << QStringList {wineAppData, "~/.wine/drive_c/Games/Q3/baseq3"} << "quake3e"
        << "c:\\Games\\Q3\\"
        << ""
        << "";
    QTest::newRow("Wine: the install folder typed as a Linux path")
        << QStringList {wineAppData, "~/.wine/drive_c/Games/Q3/baseq3"} << "ioquake3"
        << "~/.wine/drive_c/Games/Q3/"
        << ""
        << "c:\\users\\me\\AppData\\Roaming\\Quake3\\baseq3\\";
    QTest::newRow("Wine: an old prefix's Application Data")
        << QStringList {"~/.wine/drive_c/users/me/Application Data/Quake3/baseq3/autoexec.cfg"} << "ioquake3"
        << "c:\\Quake III Arena\\"
        << ""
        << "c:\\users\\me\\Application Data\\Quake3\\baseq3\\";
    QTest::newRow("Wine: no autoexec.cfg in ioquake3's home")
        << QStringList {"~/.wine/drive_c/users/me/AppData/Roaming/Quake3/baseq3"} << "ioquake3"
        << "c:\\Games\\Q3\\"
        << ""
        << "";
    QTest::newRow("Wine: iortcw's home holds an autoexec.cfg")
        << QStringList {"~/.wine/drive_c/users/me/Documents/RTCW/main/autoexec.cfg"} << "iortcw"
        << "c:\\RTCW\\"
        << ""
        << "c:\\users\\me\\Documents\\RTCW\\main\\";
    QTest::newRow("Wine: a Linux folder outside the prefix")
        << QStringList {wineAppData, "~/games/q3/baseq3"} << "ioquake3"
        << "~/games/q3/"
        << ""
        << "";
#endif
}

void TestGameFolders::startFolders_theFileEachEngineRuns()
{
    QFETCH(QStringList, made);
    QFETCH(QString, engine);
    QFETCH(QString, root);
    QFETCH(QString, mod);
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
    const binds::Engine *row = binds::engineById(engine);
    QVERIFY(row);
    const QList<binds::StartFolders> starts = binds::startFolders({row}, inHome(root), mod, row->game(), host);
    QCOMPARE(starts.size(), 1);
    const binds::StartFolders &start = starts.first();
    QCOMPARE(start.why.isEmpty() ? QString() : start.writeFolder, instead.isEmpty() ? QString() : inHome(instead));
    QVERIFY2(start.why.isEmpty() || start.why.contains(QString::fromUtf8(row->name)), qPrintable(start.why));
    // The file that runs is the first of the folders searched that holds one.
    QString first;
    for (const QString &folder : start.searched) {
        if (first.isEmpty() && QFileInfo(folder + QStringLiteral("/autoexec.cfg")).isFile())
            first = folder + QStringLiteral("/autoexec.cfg");
    }
    QCOMPARE(QDir::cleanPath(start.autoexec), first);
}

void TestGameFolders::guessEngine_fromWhatTheRootHolds_data()
{
    QTest::addColumn<QStringList>("made"); // below a made-up home; a name ending in "=" is a file
    QTest::addColumn<bool>("quake3");      // else RTCW
    QTest::addColumn<QString>("root");     // "~" for the home
    QTest::addColumn<QString>("engines");  // the ids guessed, in the table's order
    QTest::addColumn<QString>("why");      // a part of the reason given
    const QString everyQ3 = QStringLiteral("quake3-1.32,ioquake3,ioquake3-1.36,quake3e");
    QTest::newRow("Quake3e's program") << QStringList {"~/q3/quake3e.x64.exe=", "~/q3/baseq3"} << true << "~/q3/"
                                       << "quake3e"
                                       << "quake3e.x64.exe in this folder";
    QTest::newRow("CNQ3's program") << QStringList {"~/q3/cnq3-x64=", "~/q3/cpma"} << true << "~/q3/"
                                    << "cnq3"
                                    << "cnq3-x64";
    QTest::newRow("id's WolfMP.exe") << QStringList {"~/rtcw/WolfMP.exe=", "~/rtcw/Main"} << false << "~/rtcw/"
                                     << "rtcw-1.4"
                                     << "WolfMP.exe";
    QTest::newRow("RtcwPro's wolfMP.exe beside its folder")
        << QStringList {"~/rtcw/wolfMP.exe=", "~/rtcw/rtcwpro", "~/rtcw/main"} << false << "~/rtcw/"
        << "rtcwpro"
        << "wolfMP.exe and the rtcwpro folder";
    QTest::newRow("a Quake Live account") << QStringList {"~/ql/quakelive_steam.exe=", "~/ql/76561190000000000/baseq3"}
                                          << true << "~/ql/76561190000000000/"
                                          << "quakelive"
                                          << "in the folder above";
    QTest::newRow("the old home, no cpma")
        << QStringList {"~/.q3a/baseq3"} << true << "~/.q3a/" << everyQ3 << "keep the player's files";
    QTest::newRow("the old home with cpma")
        << QStringList {"~/.q3a/baseq3", "~/.q3a/cpma"} << true << "~/.q3a/" << everyQ3 + ",cnq3"
        << "keep the player's files";
    QTest::newRow("ioquake3's new home") << QStringList {"~/.config/Quake3/baseq3"} << true << "~/.config/Quake3/"
                                         << "ioquake3"
                                         << "keeps the player's files";
    QTest::newRow("an install folder, no program")
        << QStringList {"~/games/q3/baseq3"} << true << "~/games/q3/" << everyQ3 << "no engine's program";
    QTest::newRow("OpenArena's data") << QStringList {"~/oa/baseoa"} << true << "~/oa/"
                                      << "openarena"
                                      << "no engine's program";
    QTest::newRow("RTCW's home") << QStringList {"~/.wolf/main"} << false << "~/.wolf/"
                                 << "rtcw-1.4,iortcw"
                                 << "keep the player's files";
}

void TestGameFolders::guessEngine_fromWhatTheRootHolds()
{
    SKIP_UNLESS_POSIX();
    QFETCH(QStringList, made);
    QFETCH(bool, quake3);
    QFETCH(QString, root);
    QFETCH(QString, engines);
    QFETCH(QString, why);
    QTemporaryDir home;
    auto inHome = [&home](QString path) { return path.replace(0, 1, home.path()); };
    for (const QString &entry : made) {
        const bool file = entry.endsWith(u'=');
        const QString path = inHome(file ? entry.chopped(1) : entry);
        QVERIFY(QDir().mkpath(file ? QFileInfo(path).absolutePath() : path));
        if (file)
            writeFile(path, "");
    }
    host::Host host = testHost();
    host.home = home.path();
    host.configHome = home.path() + QStringLiteral("/.config");
    const binds::EngineGuess guess =
        binds::guessEngine(inHome(root), quake3 ? binds::quake3Game() : binds::rtcwGame(), host);
    QStringList ids;
    for (const binds::Engine *engine : guess.engines)
        ids << QString::fromLatin1(engine->id);
    QCOMPARE(ids.join(u','), engines);
    QVERIFY2(guess.why.contains(why), qPrintable(guess.why));
}

QTEST_GUILESS_MAIN(TestGameFolders)
#include "tst_gamefolders.moc"
