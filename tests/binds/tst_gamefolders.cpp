#include "binds/gamefolders.h"

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
};

void TestGameFolders::foundInTheKnownPlaces()
{
    SKIP_UNLESS_POSIX();
    QTemporaryDir home, library, wine;
    QDir h(home.path());
    for (const char *game : {".q3a/baseq3", ".iortcw/main", ".openarena/baseoa", ".wolf/not-main",
                             ".local/share/Steam/steamapps/common/Quake 3 Arena/baseq3"})
        QVERIFY(h.mkpath(QLatin1String(game)));
    QVERIFY(h.mkpath(QStringLiteral(".steam")));
    QVERIFY(QFile::link(home.path() + QStringLiteral("/.local/share/Steam"), home.path() + QStringLiteral("/.steam/steam")));
    writeFile(home.path() + QStringLiteral("/.local/share/Steam/steamapps/libraryfolders.vdf"),
              "\"libraryfolders\"\n{\n\t\"1\"\n\t{\n\t\t\"path\"\t\t\"" + library.path().toUtf8() + "\"\n\t}\n}\n");
    QVERIFY(QDir(library.path()).mkpath(QStringLiteral("steamapps/common/Return to Castle Wolfenstein/Main")));
    QVERIFY(QDir(wine.path()).mkpath(QStringLiteral("dosdevices/c:/program files/Quake III Arena/BaseQ3")));

    QStringList names;
    for (const host::Drive &found : binds::gameFolders({host::Style::Posix, wine.path(), home.path()})) {
        names << found.name;
        QVERIFY2(QDir(found.rootPath).exists(), qPrintable(found.rootPath));
    }
    const QStringList expected = {
        "Quake 3 (ioquake3) ~/.q3a",
        "RTCW (iortcw) ~/.iortcw",
        "OpenArena ~/.openarena",
        "Quake 3 Arena (Steam) ~/.steam/steam/steamapps/common/Quake 3 Arena", // once, not again by its link
        "Return to Castle Wolfenstein (Steam) " + library.path() + "/steamapps/common/Return to Castle Wolfenstein",
        "Quake 3 (Wine) c:\\program files\\Quake III Arena",
    };
    QCOMPARE(names, expected);
}

QTEST_GUILESS_MAIN(TestGameFolders)
#include "tst_gamefolders.moc"
