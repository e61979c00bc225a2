#include "smalldisk.h"
#include "testfiles.h"

#include "settings/settingsfile.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QSaveFile>
#include <QScopeGuard>
#include <QTemporaryDir>
#include <QTest>

using settings::Folders;

namespace {

// A save file whose disk fills up after the first few bytes.
class FailingSaveFile : public QSaveFile
{
public:
    using QSaveFile::QSaveFile;

protected:
    qint64 writeData(const char *data, qint64 len) override
    {
        const qint64 room = 4 - m_written;
        if (room <= 0)
            return -1;
        const qint64 n = QSaveFile::writeData(data, qMin(len, room));
        m_written += n;
        return n;
    }

private:
    qint64 m_written = 0;
};

} // namespace

class TestSettingsFile : public QObject
{
    Q_OBJECT

private slots:
    void init();

    void roundTrip_data();
    void roundTrip();
    void save_writesThreeCrLfLines();

    void load_handWritten_data();
    void load_handWritten();
    void load_rejects_data();
    void load_rejects();
    void load_missingOrNotARegularFile();
    void save_refusesWhatWouldNotLoadBack_data();
    void save_refusesWhatWouldNotLoadBack();
    void save_fullDisk_keepsOldFile();

    void places_besideTheProgramUnlessInstalled_data();
    void places_besideTheProgramUnlessInstalled();
    void runSettings_triesThePreferredPlaceFirst_data();
    void runSettings_triesThePreferredPlaceFirst();
    void runSettings_loadsTheNewerFile();
    void runSettings_savesOnlyWhatChanged_data();
    void runSettings_savesOnlyWhatChanged();

    void save_folderWhereFileShouldBe_keepsNothingHalfDone();
    void save_failedWrite_keepsOldFile();
    void save_createsTheUserConfigFolder();
    void save_failureNamesTheCause_data();
    void save_failureNamesTheCause();

private:
    QString path() const { return m_dir.filePath(QStringLiteral("settings.cfg")); }
    QTemporaryDir m_dir;
};

void TestSettingsFile::init()
{
    QFile::remove(path());
}

void TestSettingsFile::roundTrip_data()
{
    QTest::addColumn<QString>("quake3");
    QTest::addColumn<QString>("rtcw");
    QTest::newRow("plain") << "C:\\Games\\Quake3\\"
                           << "C:\\Program Files\\Return to Castle Wolfenstein\\";
    QTest::newRow("comma") << "C:\\Games, old\\Quake3\\"
                           << "D:\\a,b,c\\";
    QTest::newRow("blanks kept") << "  C:\\Q3\\ "
                                 << " /home/p/rtcw ";
    QTest::newRow("empty") << ""
                           << "";
    QTest::newRow("one empty") << "/home/p/.q3a/"
                               << "";
    QTest::newRow("non-ASCII") << "C:\\Spiele\\Ärger\\"
                               << "/home/zoë/wolf/";
    QTest::newRow("quotes inside") << "C:\\a\"b\\"
                                   << "x";
    QTest::newRow("wrapped in quotes") << "\"C:\\Q3\\\""
                                       << "\"\"";
    QTest::newRow("a lone quote") << "\""
                                  << "\"\"\"";
    QTest::newRow("longest lines") << QString(settings::maxLineBytes, u'q')
                                   << QString(settings::maxLineBytes / 2, u'é');
    QTest::newRow("engines chosen") << "C:\\Q3\\"
                                    << "|quake3e|wolfpro";
}

void TestSettingsFile::roundTrip()
{
    QFETCH(QString, quake3);
    QFETCH(QString, rtcw);
    // "|" in the RTCW column: the folder, then the two engines chosen.
    const QStringList rtcwAndEngines = rtcw.split(u'|');
    const Folders folders {quake3, rtcwAndEngines.value(0), rtcwAndEngines.value(1), rtcwAndEngines.value(2)};
    QString error;
    QVERIFY2(settings::save(path(), folders, &error), qPrintable(error));
    const std::optional<Folders> loaded = settings::load(path());
    QVERIFY(loaded);
    QCOMPARE(*loaded, folders);
}

void TestSettingsFile::save_writesThreeCrLfLines()
{
    QString error;
    QVERIFY(settings::save(path(), {"C:\\Q3\\", "D:\\RTCW\\"}, &error));
    QCOMPARE(contents(path()), QByteArray("C:\\Q3\\\r\nD:\\RTCW\\\r\n11\r\n"));
}

void TestSettingsFile::load_handWritten_data()
{
    QTest::addColumn<QByteArray>("file");
    QTest::addColumn<QString>("quake3");
    QTest::addColumn<QString>("rtcw");
    QTest::addColumn<QString>("engines"); // the two chosen, by id, comma-separated
    QTest::newRow("two lines") << QByteArray("C:\\Q3\\\r\nD:\\W\\\r\n") << "C:\\Q3\\"
                               << "D:\\W\\"
                               << ",";
    QTest::newRow("no final line end") << QByteArray("a\r\nb") << "a"
                                       << "b"
                                       << ",";
    QTest::newRow("LF only") << QByteArray("a\nb\n11\n") << "a"
                             << "b"
                             << ",";
    QTest::newRow("quoted lines") << QByteArray("\"C:\\Q 3\\\"\r\n\"D:\\, W\\\"\r\n11\r\n") << "C:\\Q 3\\"
                                  << "D:\\, W\\"
                                  << ",";
    QTest::newRow("third line ignored") << QByteArray("a\r\nb\r\nwhatever\r\nmore\r\n") << "a"
                                        << "b"
                                        << ",";
    QTest::newRow("empty second line") << QByteArray("a\r\n\r\n") << "a"
                                       << ""
                                       << ",";
    QTest::newRow("lone quote kept") << QByteArray("\"C:\\Q3\r\nb\r\n") << "\"C:\\Q3"
                                     << "b"
                                     << ",";
    QTest::newRow("longest line, CR LF") << QByteArray(settings::maxLineBytes, 'a') + "\r\nb\r\n"
                                         << QString(settings::maxLineBytes, u'a') << "b"
                                         << ",";
    QTest::newRow("longest line, LF") << QByteArray(settings::maxLineBytes, 'a') + "\nb\n"
                                      << QString(settings::maxLineBytes, u'a') << "b"
                                      << ",";
    QTest::newRow("both engines chosen") << QByteArray("a\r\nb\r\n11\r\nquake3e\r\nrtcwpro\r\n") << "a"
                                         << "b"
                                         << "quake3e,rtcwpro";
    QTest::newRow("one engine chosen") << QByteArray("a\r\nb\r\n11\r\n\r\niortcw\r\n") << "a"
                                       << "b"
                                       << ",iortcw";
    QTest::newRow("no engine in other text") << QByteArray("a\r\nb\r\n11\r\nQuake 3!\r\n") << "a"
                                             << "b"
                                             << ",";
    QTest::newRow("engines only after our third line") << QByteArray("a\r\nb\r\nother\r\nquake3e\r\n") << "a"
                                                       << "b"
                                                       << ",";
}

void TestSettingsFile::load_handWritten()
{
    QFETCH(QByteArray, file);
    QFETCH(QString, quake3);
    QFETCH(QString, rtcw);
    QFETCH(QString, engines);
    writeFile(path(), file);
    const std::optional<Folders> loaded = settings::load(path());
    QVERIFY(loaded);
    QCOMPARE(*loaded, (Folders {quake3, rtcw, engines.section(u',', 0, 0), engines.section(u',', 1)}));
}

void TestSettingsFile::load_rejects_data()
{
    QTest::addColumn<QByteArray>("file");
    QTest::newRow("empty") << QByteArray();
    QTest::newRow("one line") << QByteArray("C:\\Q3\\\r\n");
    QTest::newRow("one line, no line end") << QByteArray("C:\\Q3\\");
    QTest::newRow("binary junk") << QByteArray("\x7f"
                                               "ELF\x02\x01\x01\x00\x00\r\n\x00\x01\x02\r\n",
                                               17);
#ifndef Q_OS_WIN // every byte is a letter of Windows-1252
    QTest::newRow("not UTF-8") << QByteArray("\xff\xfe\xfd\r\nb\r\n");
#endif
    QTest::newRow("over-long line") << QByteArray(settings::maxLineBytes + 1, 'a') + "\r\nb\r\n";
    QTest::newRow("over-long line, LF") << QByteArray(settings::maxLineBytes + 1, 'a') + "\nb\n";
    QTest::newRow("megabytes, no line end") << QByteArray(4 * 1024 * 1024, 'a');
}

void TestSettingsFile::load_rejects()
{
    QFETCH(QByteArray, file);
    writeFile(path(), file);
    QString error;
    QVERIFY(!settings::load(path(), &error));
    QVERIFY2(!error.isEmpty(), "an unreadable file is told apart from a missing one");
}

void TestSettingsFile::load_missingOrNotARegularFile()
{
    QString error = QStringLiteral("stale");
    QVERIFY(!settings::load(path(), &error));
    QCOMPARE(error, QString());

    QVERIFY_MKFIFO(path());
    // A load that waited for a writer would never return: the test's timeout.
    QVERIFY(!settings::load(path(), &error));
    QVERIFY2(error.contains(QLatin1String("named pipe")), qPrintable(error));
}

void TestSettingsFile::save_refusesWhatWouldNotLoadBack_data()
{
    QTest::addColumn<QString>("quake3");
    QTest::addColumn<QString>("rtcw");
    QTest::addColumn<QString>("reason");
    QTest::newRow("line break") << "/home/p/.q3a/\n"
                                << ""
                                << "the Quake 3 root folder cannot be remembered: it holds a line break";
    QTest::newRow("too long") << "" << QString(settings::maxLineBytes + 1, u'w')
                              << "the RTCW root folder cannot be remembered: it is longer";
    QTest::newRow("half a letter") << QString(QChar(0xD800)) << ""
                                   << "code page";
#ifdef Q_OS_WIN // the ANSI code page of an English Windows is Windows-1252
    QTest::newRow("not in the code page") << "C:\\日本\\"
                                          << ""
                                          << "code page";
#endif
}

void TestSettingsFile::save_refusesWhatWouldNotLoadBack()
{
    QFETCH(QString, quake3);
    QFETCH(QString, rtcw);
    QFETCH(QString, reason);
    writeFile(path(), "old\r\nfolders\r\n11\r\n");
    QString error;
    QVERIFY(!settings::save(path(), {quake3, rtcw}, &error));
    QVERIFY2(error.contains(reason), qPrintable(error));
    QCOMPARE(contents(path()), QByteArray("old\r\nfolders\r\n11\r\n"));
}

void TestSettingsFile::save_fullDisk_keepsOldFile()
{
    SmallDisk disk(64);
    if (!disk.ready())
        QSKIP(qPrintable(disk.why()));
    const QString onDisk = disk.path() + QStringLiteral("/settings.cfg");
    QString error;
    QVERIFY(settings::save(onDisk, {"/old/q3/", "/old/wolf/"}, &error));
    QVERIFY(disk.fill());
    QVERIFY(!settings::save(onDisk, {QString(8000, u'n'), "/new/wolf/"}, &error));
    QVERIFY2(error.contains(QLatin1String("the disk is full")), qPrintable(error));
    QCOMPARE(settings::load(onDisk), std::optional<Folders>(Folders {"/old/q3/", "/old/wolf/"}));
}

void TestSettingsFile::places_besideTheProgramUnlessInstalled_data()
{
    QTest::addColumn<QString>("programFolder");
    QTest::addColumn<QString>("preferred"); // below the test folder
    QTest::addColumn<QString>("fallback");
    QTest::newRow("an unpacked copy") << "unpacked/binaries"
                                      << "unpacked/binaries/settings.cfg"
                                      << "config/settings.cfg";
    QTest::newRow("a folder that is gone") << "no/such/folder"
                                           << "no/such/folder/settings.cfg"
                                           << "config/settings.cfg";
#ifdef Q_OS_WIN
    QTest::newRow("a Windows copy in bin") << "prefix/bin"
                                           << "prefix/bin/settings.cfg"
                                           << "config/settings.cfg";
#else
    QTest::newRow("installed in PREFIX/bin") << "prefix/bin"
                                             << ""
                                             << "config/settings.cfg";
#endif
}

void TestSettingsFile::places_besideTheProgramUnlessInstalled()
{
    QFETCH(QString, programFolder);
    QFETCH(QString, preferred);
    QFETCH(QString, fallback);
    const settings::Places places =
        settings::settingsPlaces(m_dir.filePath(programFolder), m_dir.filePath(QStringLiteral("config")));
    QCOMPARE(places.preferred, preferred.isEmpty() ? QString() : m_dir.filePath(preferred));
    QCOMPARE(places.fallback, fallback.isEmpty() ? QString() : m_dir.filePath(fallback));
}

void TestSettingsFile::runSettings_triesThePreferredPlaceFirst_data()
{
    QTest::addColumn<bool>("preferredWritable");
    QTest::addColumn<bool>("fallbackWritable");
    QTest::addColumn<QString>("savedIn"); // empty: nowhere, with the reason
    QTest::newRow("beside the program") << true << true << "program";
    QTest::newRow("not there: per user, without a word") << false << true << "config";
    QTest::newRow("neither") << false << false << "";
}

void TestSettingsFile::runSettings_triesThePreferredPlaceFirst()
{
    QFETCH(bool, preferredWritable);
    QFETCH(bool, fallbackWritable);
    QFETCH(QString, savedIn);
    // A folder where the file should be is what every user, root too, cannot write.
    QTemporaryDir dir;
    const settings::Places places(dir.filePath(QStringLiteral("program/settings.cfg")),
                                  dir.filePath(QStringLiteral("config/settings.cfg")));
    QVERIFY(QDir().mkpath(dir.filePath(QStringLiteral("program"))));
    if (!preferredWritable)
        QVERIFY(QDir().mkpath(places.preferred));
    if (!fallbackWritable)
        QVERIFY(QDir().mkpath(places.fallback));
    settings::RunSettings run(places);
    QCOMPARE(run.load({"start", "start"}), std::nullopt);
    QString error;
    QCOMPARE(run.save({"C:\\Q3\\", "C:\\W\\"}, &error), !savedIn.isEmpty());
    QCOMPARE(error.isEmpty(), !savedIn.isEmpty());
    if (!savedIn.isEmpty()) {
        const QString file = dir.filePath(savedIn + QStringLiteral("/settings.cfg"));
        QCOMPARE(settings::load(file), std::optional<Folders>(Folders {"C:\\Q3\\", "C:\\W\\"}));
    }
}

void TestSettingsFile::runSettings_loadsTheNewerFile()
{
    const settings::Places places(m_dir.filePath(QStringLiteral("program/settings.cfg")),
                                  m_dir.filePath(QStringLiteral("config/settings.cfg")));
    QString error;
    QVERIFY(settings::save(places.preferred, {"old", "old"}, &error));
    QVERIFY(settings::save(places.fallback, {"new", "new"}, &error));
    QFile older(places.preferred);
    QVERIFY(older.open(QIODevice::ReadWrite));
    QVERIFY(older.setFileTime(QDateTime::currentDateTime().addDays(-1), QFileDevice::FileModificationTime));
    older.close();
    QCOMPARE(settings::RunSettings(places).load({"start", "start"}), std::optional<Folders>(Folders {"new", "new"}));
    QVERIFY(QFile::remove(places.fallback));
    QCOMPARE(settings::RunSettings(places).load({"start", "start"}), std::optional<Folders>(Folders {"old", "old"}));
}

void TestSettingsFile::runSettings_savesOnlyWhatChanged_data()
{
    // Each column a file's two roots as "Q3|RTCW", "-" for no file.
    QTest::addColumn<QString>("atStart");
    QTest::addColumn<QString>("meanwhile"); // written by another copy after the load; "-": nothing
    QTest::addColumn<QString>("saved");     // the window's folders when it saves
    QTest::addColumn<QString>("after");     // the file afterwards
    QTest::addColumn<QString>("said");      // a part of the error; empty: none
    QTest::newRow("untouched, no file: none written") << "-"
                                                      << "-"
                                                      << "|"
                                                      << "-"
                                                      << "";
    QTest::newRow("an empty copy leaves another's file") << "-"
                                                         << "/q3/|/rtcw/"
                                                         << "|"
                                                         << "/q3/|/rtcw/"
                                                         << "";
    QTest::newRow("the root changed, over another copy's change") << "/a/|/b/"
                                                                  << "/a/|/other/"
                                                                  << "/new/|/b/"
                                                                  << "/new/|/other/"
                                                                  << "";
    QTest::newRow("a root the file cannot hold keeps the other") << "/a/|/b/"
                                                                 << "-"
                                                                 << "/a/\n|/new/"
                                                                 << "/a/|/new/"
                                                                 << "the Quake 3 root folder cannot be remembered";
}

void TestSettingsFile::runSettings_savesOnlyWhatChanged()
{
    QFETCH(QString, atStart);
    QFETCH(QString, meanwhile);
    QFETCH(QString, saved);
    QFETCH(QString, after);
    QFETCH(QString, said);
    auto folders = [](const QString &roots) {
        return Folders {roots.section(u'|', 0, 0).replace(QLatin1String("\\n"), QLatin1String("\n")),
                        roots.section(u'|', 1)};
    };
    QTemporaryDir dir;
    const settings::Places places(dir.filePath(QStringLiteral("settings.cfg")));
    QString error;
    if (atStart != u'-')
        QVERIFY(settings::save(places.preferred, folders(atStart), &error));
    settings::RunSettings run(places);
    const Folders shown = run.load({}).value_or(Folders {});
    if (meanwhile != u'-')
        QVERIFY(settings::save(places.preferred, folders(meanwhile), &error));
    QCOMPARE(run.save(folders(saved), &error), said.isEmpty());
    QVERIFY2(error.contains(said), qPrintable(error));
    QCOMPARE(settings::load(places.preferred), after == u'-' ? std::nullopt : std::optional<Folders>(folders(after)));
    QCOMPARE(shown, atStart == u'-' ? Folders {} : folders(atStart));
}

void TestSettingsFile::save_folderWhereFileShouldBe_keepsNothingHalfDone()
{
    QVERIFY(QDir(m_dir.path()).mkdir(QStringLiteral("settings.cfg")));
    QString error;
    QVERIFY(!settings::save(path(), {"a", "b"}, &error));
    QVERIFY2(error.contains(QDir::toNativeSeparators(path())), qPrintable(error));
    QVERIFY2(error.contains(QLatin1String("a folder stands where the file should be")), qPrintable(error));
    QVERIFY(QFileInfo(path()).isDir());
    const QStringList leftovers = QDir(m_dir.path()).entryList({QStringLiteral("settings.cfg*")}, QDir::Files);
    QCOMPARE(leftovers, QStringList()); // no temporary file left
    QVERIFY(QDir(m_dir.path()).rmdir(QStringLiteral("settings.cfg")));
}

void TestSettingsFile::save_failedWrite_keepsOldFile()
{
    QString error;
    QVERIFY(settings::save(path(), {"C:\\Old\\Q3\\", "C:\\Old\\W\\"}, &error));
    const QByteArray before = contents(path());

    FailingSaveFile file(path());
    QVERIFY(!settings::saveThrough(file, {"C:\\New\\Q3\\", "C:\\New\\W\\"}, &error));
    QVERIFY2(error.contains(QDir::toNativeSeparators(path())), qPrintable(error));
    QCOMPARE(contents(path()), before);
    QCOMPARE(settings::load(path()), std::optional<Folders>(Folders {"C:\\Old\\Q3\\", "C:\\Old\\W\\"}));
}

void TestSettingsFile::save_createsTheUserConfigFolder()
{
    const QString nested = m_dir.filePath(QStringLiteral("home/.config/bindwright/settings.cfg"));
    QString error;
    QVERIFY2(settings::save(nested, {"a", "b"}, &error), qPrintable(error));
    QCOMPARE(settings::load(nested), std::optional<Folders>(Folders {"a", "b"}));
}

void TestSettingsFile::save_failureNamesTheCause_data()
{
    QTest::addColumn<bool>("lockFile"); // settings.cfg read-only, else its folder
    QTest::addColumn<QString>("said");
    QTest::addColumn<QString>("notSaid"); // what an earlier build said instead
    QTest::newRow("a read-only settings.cfg") << true << "the file is read-only"
                                              << "already exists";
    QTest::newRow("a folder that takes no new file") << false << "you may not make new files in the folder"
                                                     << "a link to something";
}

void TestSettingsFile::save_failureNamesTheCause()
{
    QFETCH(bool, lockFile);
    QFETCH(QString, said);
    QFETCH(QString, notSaid);
    QString error;
    QVERIFY(settings::save(path(), {"a", "b"}, &error));
    const QString locked = lockFile ? path() : m_dir.path();
    const QFileDevice::Permissions before = QFile::permissions(locked);
    QVERIFY(QFile::setPermissions(locked,
                                  QFileDevice::ReadOwner | QFileDevice::ReadUser
                                      | (lockFile ? QFileDevice::Permissions() : QFileDevice::ExeOwner)));
    const auto restore = qScopeGuard([&] { QFile::setPermissions(locked, before); });
    if (QFile probe(m_dir.filePath(lockFile ? QStringLiteral("settings.cfg") : QStringLiteral("probe")));
        probe.open(QIODevice::ReadWrite)) {
        probe.close();
        if (!lockFile)
            probe.remove();
        QSKIP("this user writes there all the same (root, or Windows' folders): tst_settingsfile_as_user makes it");
    }
    QVERIFY(!settings::save(path(), {"c", "d"}, &error));
    QVERIFY2(error.contains(said), qPrintable(error));
    QVERIFY2(!error.contains(notSaid), qPrintable(error));
    QCOMPARE(settings::load(path()), std::optional<Folders>(Folders {"a", "b"}));
}

QTEST_GUILESS_MAIN(TestSettingsFile)
#include "tst_settingsfile.moc"
