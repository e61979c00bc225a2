#include "binds/gamefolders.h"
#include "binds/homes.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include "testfiles.h"
#include "testhost.h"

class TestGameFolders : public QObject
{
    Q_OBJECT

private slots:
    void foundInTheKnownPlaces();
    void readInsteadOf_theHomeTheEngineReads_data();
    void readInsteadOf_theHomeTheEngineReads();
};

void TestGameFolders::foundInTheKnownPlaces()
{
    SKIP_UNLESS_POSIX();
    QTemporaryDir home, library, wine;
    QDir h(home.path());
    for (const char *game :
         {".q3a/baseq3", ".config/Quake3/baseq3", ".wolf/main", ".local/share/iortcw/not-main", ".openarena/baseoa",
          ".local/share/OpenArena/baseoa", ".local/share/Steam/steamapps/common/Quake 3 Arena/baseq3",
          ".local/share/Steam/steamapps/common/Quake Live/76561197960287930/baseq3",
          ".local/share/Steam/steamapps/common/Quake Live/web/baseq3"})
        QVERIFY(h.mkpath(QLatin1String(game)));
    QVERIFY(h.mkpath(QStringLiteral(".steam")));
    QVERIFY(QFile::link(home.path() + QStringLiteral("/.local/share/Steam"),
                        home.path() + QStringLiteral("/.steam/steam")));
    writeFile(home.path() + QStringLiteral("/.local/share/Steam/steamapps/libraryfolders.vdf"),
              "\"libraryfolders\"\n{\n\t\"1\"\n\t{\n\t\t\"path\"\t\t\"" + library.path().toUtf8() + "\"\n\t}\n}\n");
    QVERIFY(QDir(library.path()).mkpath(QStringLiteral("steamapps/common/Return to Castle Wolfenstein/Main")));
    QVERIFY(QDir(wine.path()).mkpath(QStringLiteral("dosdevices/c:/program files/Quake III Arena/BaseQ3")));

    QStringList names;
    for (const host::Drive &found :
         binds::gameFolders({host::Style::Posix, wine.path(), home.path(), home.path() + QStringLiteral("/.config")})) {
        names << found.name;
        QVERIFY2(QDir(found.rootPath).exists(), qPrintable(found.rootPath));
    }
    const QStringList expected = {
        "Quake 3 (ioquake3) ~/.config/Quake3",
        "Quake 3 (ioquake3, old home) ~/.q3a",
        "RTCW (iortcw) ~/.wolf",
        "OpenArena ~/.local/share/OpenArena",
        "OpenArena (old home) ~/.openarena",
        "Quake 3 Arena (Steam) ~/.steam/steam/steamapps/common/Quake 3 Arena", // once, not again by its link
        "Quake Live (Steam, account 76561197960287930) ~/.steam/steam/steamapps/common/Quake Live/76561197960287930",
        "Return to Castle Wolfenstein (Steam) " + library.path() + "/steamapps/common/Return to Castle Wolfenstein",
        "Quake 3 (Wine) c:\\program files\\Quake III Arena",
    };
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
#endif
}

void TestGameFolders::readInsteadOf_theHomeTheEngineReads()
{
    QFETCH(QStringList, made);
    QFETCH(bool, quake3);
    QFETCH(QString, root);
    QFETCH(QString, instead);
    QTemporaryDir home;
    auto inHome = [&home](const QString &path) { return QDir::toNativeSeparators(home.path() + path.mid(1)); };
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
    const std::optional<binds::ReadInstead> read =
        binds::readInsteadOf(inHome(root), quake3 ? binds::quake3Game() : binds::rtcwGame(), host);
    QCOMPARE(read ? read->root : QString(), instead.isEmpty() ? QString() : inHome(instead));
    QVERIFY(!read || !read->why.isEmpty());
}

QTEST_GUILESS_MAIN(TestGameFolders)
#include "tst_gamefolders.moc"
