#include "smalldisk.h"
#include "testengines.h"
#include "testfiles.h"
#include "testhost.h"

#include "binds/files/bindline.h"
#include "binds/files/bindremoval.h"
#include "binds/files/changejournal.h"
#include "binds/files/consolefile.h"
#include "binds/files/startrun.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

using binds::BindRequest;

namespace {

const host::Host here = testHost();

} // namespace

class TestBindLine : public QObject
{
    Q_OBJECT

private slots:
    void init();

    void line_format_data();
    void line_format();
    void append_keepsEarlierLines();
    void append_closesALastLineWithoutLineEnd_data();
    void append_closesALastLineWithoutLineEnd();
    void append_missingSeparatorRunsIntoFileName();
    void append_mapsBackslashFolders();
    void append_writesTheLocalEightBitEncoding();

    void refusal_data();
    void refusal();
    void refusal_allowsSemicolonsAndColourCodes();
    void keys_data();
    void keys();
    void lineLength_data();
    void lineLength();
    void fileSize_data();
    void fileSize();

    void failure_missingFolder();
    void failure_folderWhereFileShouldBe();
    void failure_fullDisk();
    void failure_notARegularFile();
    void failure_pathTooLong();
    void failure_folderMayNotBeEntered();
    void failure_readOnlyFile_data();
    void failure_readOnlyFile();
    void failure_rewriteInAFolderThatTakesNoNewFile();
    void failure_missingWineDrive();

    void journal_undoesTheNewestKeptChange_data();
    void journal_undoesTheNewestKeptChange();

private:
    QString target() const { return m_dir.path() + QStringLiteral("/autoexec.cfg"); }
    QString folder() const { return m_dir.path() + u'/'; }
    QTemporaryDir m_dir;
};

void TestBindLine::init()
{
    QFile::remove(target());
}

void TestBindLine::line_format_data()
{
    QTest::addColumn<QString>("key");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QByteArray>("line");
    QTest::newRow("voice") << "mouse3"
                           << "vsay_team Medic" << QByteArray("bind mouse3 \"vsay_team Medic\"\r\n");
    QTest::newRow("public voice") << "space"
                                  << "vsay Hi" << QByteArray("bind space \"vsay Hi\"\r\n");
    QTest::newRow("empty text") << "f1"
                                << "" << QByteArray("bind f1 \"\"\r\n");
    QTest::newRow("colour codes") << "f2"
                                  << "say ^1hi^7" << QByteArray("bind f2 \"say ^1hi^7\"\r\n");
    QTest::newRow("two commands") << "f3"
                                  << "say a; vsay Hi" << QByteArray("bind f3 \"say a; vsay Hi\"\r\n");
}

void TestBindLine::line_format()
{
    QFETCH(QString, key);
    QFETCH(QString, text);
    QFETCH(QByteArray, line);
    QString error;
    QVERIFY2(binds::writeLine({key, text, folder()}, here, &error), qPrintable(error));
    QCOMPARE(contents(target()), line);
}

void TestBindLine::append_keepsEarlierLines()
{
    writeFile(target(), "seta name player\r\n");
    QString error;
    QVERIFY(binds::writeLine({"f1", "say one", folder()}, here, &error));
    QVERIFY(binds::writeLine({"f1", "say two", folder()}, here, &error));
    QCOMPARE(contents(target()), QByteArray("seta name player\r\nbind f1 \"say one\"\r\nbind f1 \"say two\"\r\n"));
}

void TestBindLine::append_closesALastLineWithoutLineEnd_data()
{
    QTest::addColumn<QByteArray>("before");
    QTest::addColumn<QByteArray>("after");
    QTest::newRow("no line end") << QByteArray("seta name x") << QByteArray("seta name x\r\nbind f1 \"\"\r\n");
    QTest::newRow("CR only") << QByteArray("seta name x\r") << QByteArray("seta name x\r\r\nbind f1 \"\"\r\n");
    QTest::newRow("LF only") << QByteArray("seta name x\n") << QByteArray("seta name x\nbind f1 \"\"\r\n");
    QTest::newRow("empty file") << QByteArray() << QByteArray("bind f1 \"\"\r\n");
}

void TestBindLine::append_closesALastLineWithoutLineEnd()
{
    QFETCH(QByteArray, before);
    QFETCH(QByteArray, after);
    writeFile(target(), before);
    QString error;
    QVERIFY2(binds::writeLine({"f1", "", folder()}, here, &error), qPrintable(error));
    QCOMPARE(contents(target()), after);
}

void TestBindLine::append_missingSeparatorRunsIntoFileName()
{
    QVERIFY(QDir(m_dir.path()).mkdir(QStringLiteral("baseq3")));
    QString error;
    QVERIFY(binds::writeLine({"f1", "", m_dir.path() + QStringLiteral("/baseq3")}, here, &error));
    QVERIFY(QFile::exists(m_dir.path() + QStringLiteral("/baseq3autoexec.cfg")));
    QVERIFY(!QFile::exists(m_dir.path() + QStringLiteral("/baseq3/autoexec.cfg")));
    QFile::remove(m_dir.path() + QStringLiteral("/baseq3autoexec.cfg"));
}

void TestBindLine::append_mapsBackslashFolders()
{
    QVERIFY(QDir(m_dir.path()).mkpath(QStringLiteral("q3/osp")));
    const QString typed = QString(m_dir.path() + QStringLiteral("/q3/osp/")).replace(u'/', u'\\');
    QString error;
    QVERIFY2(binds::writeLine({"f1", "say hi", typed}, here, &error), qPrintable(error));
    QCOMPARE(contents(m_dir.path() + QStringLiteral("/q3/osp/autoexec.cfg")), QByteArray("bind f1 \"say hi\"\r\n"));
}

void TestBindLine::append_writesTheLocalEightBitEncoding()
{
    QString error;
    const QString text = QStringLiteral("say Grüße ^1€");
    QVERIFY(binds::writeLine({"f1", text, folder()}, here, &error));
    QCOMPARE(contents(target()), QByteArray("bind f1 \"") + text.toLocal8Bit() + "\"\r\n");
}

void TestBindLine::refusal_data()
{
    QTest::addColumn<QString>("key");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("mentions");
    QTest::newRow("empty key") << ""
                               << "say hi"
                               << "Type the key";
    QTest::newRow("blank in key") << "f 1"
                                  << "say hi"
                                  << "a blank";
    QTest::newRow("tab in key") << "f\t1"
                                << "say hi"
                                << "a tab";
    QTest::newRow("quote in key") << "f\"1"
                                  << "say hi"
                                  << "a double quote";
    QTest::newRow("line break in key") << "f1\nquit"
                                       << "say hi"
                                       << "a line break";
    QTest::newRow("semicolon in key") << "f1;quit"
                                      << ""
                                      << "semicolon";
    QTest::newRow("comment in key") << "f1//"
                                    << ""
                                    << "comment";
    QTest::newRow("non-ASCII key") << "ä"
                                   << ""
                                   << "key name";
    QTest::newRow("quote in text") << "f1"
                                   << "say \"hi\"; quit"
                                   << "double quote";
    QTest::newRow("CR in text") << "f1"
                                << "say hi\rquit"
                                << "line break";
    QTest::newRow("LF in text") << "f1"
                                << "say hi\nquit"
                                << "line break";
    QTest::newRow("null in text") << "f1" << QStringLiteral("say hi") + QChar(0) << "null";
    QTest::newRow("unpaired surrogate") << "f1" << QString(QChar(0xD800)) << "code page";
}

void TestBindLine::refusal()
{
    QFETCH(QString, key);
    QFETCH(QString, text);
    QFETCH(QString, mentions);
    writeFile(target(), "old\r\n");
    QString error;
    QVERIFY(!binds::writeLine({key, text, folder()}, here, &error));
    QVERIFY2(error.contains(mentions), qPrintable(error));
    QCOMPARE(contents(target()), QByteArray("old\r\n"));
}

void TestBindLine::refusal_allowsSemicolonsAndColourCodes()
{
    QString error;
    QVERIFY2(binds::readsAsWritten(QStringLiteral("kp_uparrow"), QStringLiteral("say ^1a;say //b"), &error),
             qPrintable(error));
    QVERIFY2(binds::readsAsWritten(QStringLiteral("/"), QStringLiteral(""), &error), qPrintable(error));
}

void TestBindLine::keys_data()
{
    QTest::addColumn<QString>("key");
    QTest::addColumn<QString>("written"); // empty: refused
    QTest::addColumn<QString>("mentions");
    QTest::addColumn<QString>("engines"); // the player's, by id; empty: any engine of either game
    QTest::newRow("name") << "kp_uparrow"
                          << "kp_uparrow"
                          << ""
                          << "";
    QTest::newRow("name in capitals") << "MOUSE3"
                                      << "MOUSE3"
                                      << ""
                                      << "";
    QTest::newRow("ioquake3 only") << "world_0"
                                   << "world_0"
                                   << ""
                                   << "";
    QTest::newRow("one character") << "/"
                                   << "/"
                                   << ""
                                   << "";
    QTest::newRow("hex number") << "0x1F"
                                << "0x1F"
                                << ""
                                << "";
    QTest::newRow("blanks around") << " f1\t"
                                   << "f1"
                                   << ""
                                   << "";
    QTest::newRow("unknown, a prefix") << "kp_up"
                                       << ""
                                       << "did you mean kp_uparrow?"
                                       << "";
    QTest::newRow("unknown, a typo") << "escpe"
                                     << ""
                                     << "did you mean escape?"
                                     << "";
    QTest::newRow("unknown, nothing near") << "zzzzzzzz"
                                           << ""
                                           << "know no key \"zzzzzzzz\"."
                                           << "";
    QTest::newRow("three-digit hex") << "0x3ff"
                                     << ""
                                     << "know no key"
                                     << "";
    QTest::newRow("capital letter") << "A"
                                    << ""
                                    << "lower case (a)"
                                    << "";
    QTest::newRow("CNQ3's mouse6") << "mouse6"
                                   << "mouse6"
                                   << ""
                                   << "cnq3";
    QTest::newRow("mouse6 in ioquake3") << "mouse6"
                                        << ""
                                        << "ioquake3 knows no key \"mouse6\""
                                        << "ioquake3";
    QTest::newRow("the keypad * in Quake3e") << "kp_star"
                                             << ""
                                             << "Quake3e knows no key kp_star: the keypad * is bound as *."
                                             << "quake3e";
    QTest::newRow("a world key in Quake3e") << "world_0"
                                            << ""
                                            << "Quake3e knows no key \"world_0\""
                                            << "quake3e";
    QTest::newRow("a world key in CNQ3") << "world_0"
                                         << ""
                                         << "CNQ3 knows no key"
                                         << "cnq3";
    QTest::newRow("one of the engines knows it") << "kp_star"
                                                 << "kp_star"
                                                 << ""
                                                 << "ioquake3,quake3e";
    QTest::newRow("a capital letter in ioquake3") << "A"
                                                  << "A"
                                                  << ""
                                                  << "ioquake3";
    QTest::newRow("a capital letter in Quake3e") << "A"
                                                 << ""
                                                 << "lower case (a): Quake3e binds"
                                                 << "quake3e";
    QTest::newRow("eight hex digits in ioquake3") << "0x00000062"
                                                  << "0x00000062"
                                                  << ""
                                                  << "ioquake3";
    QTest::newRow("the keypad's 8 by its digit") << "kp_8"
                                                 << ""
                                                 << "did you mean kp_uparrow?"
                                                 << "";
    QTest::newRow("the keypad's 8 as numpad8") << "numpad8"
                                               << ""
                                               << "did you mean kp_uparrow?"
                                               << "";
    QTest::newRow("the keypad's 5 as numpad5") << "numpad5"
                                               << ""
                                               << "did you mean kp_5?"
                                               << "";
    QTest::newRow("the left mouse button as lmb") << "lmb"
                                                  << ""
                                                  << "did you mean mouse1?"
                                                  << "";
    QTest::newRow("page up spelt out") << "PageUp"
                                       << ""
                                       << "did you mean pgup?"
                                       << "";
    QTest::newRow("a combination") << "ctrl+f1"
                                   << ""
                                   << "Bind f1 alone, or ctrl."
                                   << "";
    QTest::newRow("the keypad * by name, in Quake3e") << "kp_multiply"
                                                      << ""
                                                      << "Quake3e knows no key \"kp_multiply\"."
                                                      << "quake3e";
    QTest::newRow("hex upper-case in RTCW 1.4") << "0X1f"
                                                << ""
                                                << "RTCW 1.4 knows no key"
                                                << "rtcw-1.4";
}

void TestBindLine::keys()
{
    QFETCH(QString, key);
    QFETCH(QString, written);
    QFETCH(QString, mentions);
    QFETCH(QString, engines);
    QString error;
    if (!engines.isEmpty()) {
        const std::optional<QByteArray> line = binds::encodedLine(key, "x", enginesNamed(engines), &error);
        QCOMPARE(line.value_or(QByteArray()),
                 written.isEmpty() ? QByteArray() : "bind " + written.toLatin1() + " \"x\"");
        QVERIFY2(error.contains(mentions), qPrintable(error));
        return;
    }
    const bool ok = binds::writeLine({key, "x", folder()}, here, &error);
    QCOMPARE(ok, !written.isEmpty());
    if (ok)
        QCOMPARE(contents(target()), QStringLiteral("bind %1 \"x\"\r\n").arg(written).toLatin1());
    else
        QVERIFY2(error.contains(mentions), qPrintable(error));
}

void TestBindLine::lineLength_data()
{
    // "bind f1 \"\"" takes 10 bytes, so a text of 1013 bytes fills a line of 1023.
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("refusal");
    QTest::newRow("1023 bytes") << QString(1013, u'x') << "";
    QTest::newRow("1024 bytes") << QString(1014, u'x') << "by 1 character or more";
    if (QStringLiteral("é").toLocal8Bit().size() != 2) // UTF-8, not an ANSI code page
        return;
    QTest::newRow("two-byte letters, 1023") << QString(1, u'x') + QString(506, u'é') << "";
    QTest::newRow("two-byte letters, 1025") << QString(3, u'x') + QString(506, u'é') << "by 1 character or";
    QTest::newRow("two-byte letters, 1026") << QString(4, u'x') + QString(506, u'é') << "by 2 characters";
    QTest::newRow("a four-byte letter at the end") << QString(1012, u'x') + QStringLiteral("😀") << "by 1 character or";
}

void TestBindLine::lineLength()
{
    QFETCH(QString, text);
    QFETCH(QString, refusal);
    QString error;
    QCOMPARE(binds::writeLine({"f1", text, folder()}, here, &error), refusal.isEmpty());
    QVERIFY2(error.contains(refusal), qPrintable(error));
    QCOMPARE(QFileInfo(target()).size(), refusal.isEmpty() ? 1025 : 0);
}

void TestBindLine::fileSize_data()
{
    QTest::addColumn<int>("before");
    QTest::addColumn<bool>("added");
    QTest::addColumn<QString>("notice");
    const int line = 13; // bind f1 "x" and CR LF
    QTest::newRow("ends at 16,383") << 16383 - line << true << "";
    QTest::newRow("passes 16,383") << 16384 - line << true << "is now 16,384 bytes";
    QTest::newRow("already past 16,383") << 16384 << true << "";
    QTest::newRow("passes CNQ3's 32,767") << 32768 - line << true << "is now 32,768 bytes";
    QTest::newRow("passes Quake3e's 65,535") << 65536 - line << true << "Quake3e";
    QTest::newRow("ends at 131,071") << 131071 - line << true << "";
    QTest::newRow("passes 131,071") << 131072 - line << false << "";
}

void TestBindLine::fileSize()
{
    QFETCH(int, before);
    QFETCH(bool, added);
    QFETCH(QString, notice);
    writeFile(target(), QByteArray(before, '\n'));
    QString error;
    QString told = QStringLiteral("stale");
    QCOMPARE(binds::writeLine({"f1", "x", folder()}, here, &error, &told), added);
    if (added) {
        QCOMPARE(told.isEmpty(), notice.isEmpty());
        QVERIFY2(told.contains(notice), qPrintable(told));
    } else {
        QVERIFY2(error.contains(QLatin1String("no game reads")), qPrintable(error));
        QCOMPARE(QFileInfo(target()).size(), before);
    }
}

void TestBindLine::failure_missingFolder()
{
    const QString missing = m_dir.path() + QStringLiteral("/nothere/");
    QString error;
    QVERIFY(!binds::writeLine({"f1", "", missing}, here, &error));
    QVERIFY2(error.contains(QDir::toNativeSeparators(missing + QStringLiteral("autoexec.cfg"))), qPrintable(error));
    QVERIFY2(error.contains(QLatin1String("does not exist")), qPrintable(error));
    QVERIFY(!QFileInfo::exists(missing));
}

void TestBindLine::failure_folderWhereFileShouldBe()
{
    QVERIFY(QDir(m_dir.path()).mkdir(QStringLiteral("autoexec.cfg")));
    QString error;
    QVERIFY(!binds::writeLine({"f1", "", folder()}, here, &error));
    QVERIFY2(error.contains(QLatin1String("a folder stands where the file should be")), qPrintable(error));
    QVERIFY(QDir(m_dir.path()).rmdir(QStringLiteral("autoexec.cfg")));
}

void TestBindLine::failure_fullDisk()
{
    SmallDisk disk(64);
    if (!disk.ready())
        QSKIP(qPrintable(disk.why()));
    // The file's last block has room for part of the line only: the write stops midway.
    const QString file = disk.path() + QStringLiteral("/autoexec.cfg");
    const QByteArray before(4000, '\n');
    writeFile(file, before);
    QVERIFY(disk.fill());
    QString error;
    QVERIFY(!binds::writeLine({"f1", QString(300, u'x'), disk.path() + u'/'}, here, &error));
    QVERIFY2(error.contains(QLatin1String("the disk is full. Free some space on that disk")), qPrintable(error));
    QVERIFY2(error.contains(QDir::toNativeSeparators(file)), qPrintable(error));
    QCOMPARE(contents(file), before);
}

void TestBindLine::failure_notARegularFile()
{
    QVERIFY_MKFIFO(target());
    // Neither the writer nor the reader waits for the other end: the test's timeout.
    QString error;
    QVERIFY(!binds::writeLine({"f1", "say hi", folder()}, here, &error));
    QVERIFY2(error.contains(QLatin1String("named pipe")), qPrintable(error));
    QVERIFY(!binds::readConsoleFile(target(), &error)); // the reader does not wait on it either
    QVERIFY2(error.contains(QLatin1String("named pipe")), qPrintable(error));
    QVERIFY(QFile::remove(target()));
}

void TestBindLine::failure_pathTooLong()
{
    const QString tooLong = folder() + QString(300, u'q') + u'/';
    QString error;
    QVERIFY(!binds::writeLine({"f1", "", tooLong}, here, &error));
    QVERIFY2(error.contains(QLatin1String("too long for this system")), qPrintable(error));
}

void TestBindLine::failure_folderMayNotBeEntered()
{
#ifdef Q_OS_UNIX
    if (::geteuid() == 0)
        QSKIP("root enters every folder: the test needs an ordinary user");
#else
    QSKIP("folder permissions here are POSIX ones");
#endif
    const QString locked = folder() + QStringLiteral("locked");
    QVERIFY(QDir().mkpath(locked + QStringLiteral("/baseq3")));
    QVERIFY(QFile::setPermissions(locked, QFileDevice::ReadOwner | QFileDevice::WriteOwner));
    QString error;
    const bool written = binds::writeLine({"f1", "", locked + QStringLiteral("/baseq3/")}, here, &error);
    QFile::setPermissions(locked, QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
    QVERIFY(!written);
    QVERIFY2(error.contains(QStringLiteral("you may not enter the folder \"%1\"").arg(locked)), qPrintable(error));
}

void TestBindLine::failure_readOnlyFile_data()
{
    QTest::addColumn<QString>("operation");
    QTest::addColumn<bool>("readable");
    QTest::addColumn<QString>("said"); // after "permission was denied ("
    QTest::newRow("an Add appends") << "append" << true << "the file is read-only";
    // A rewrite saves beside the file: the folder allows it, the file is the cause.
    QTest::newRow("a removal rewrites") << "rewrite" << true << "the file is read-only";
    QTest::newRow("a file that may not be read") << "read" << false << "you may not read the file";
}

void TestBindLine::failure_readOnlyFile()
{
    QFETCH(QString, operation);
    QFETCH(bool, readable);
    QFETCH(QString, said);
#ifdef Q_OS_UNIX
    if (::geteuid() == 0)
        QSKIP("root writes a read-only file: the test needs an ordinary user, or Windows (it runs under Wine)");
#else
    if (!readable)
        QSKIP("Windows has no unreadable attribute: that case is made on Linux");
#endif
    const QByteArray old = "bind f2 x\r\n";
    writeFile(target(), old);
    const binds::StartRun run = binds::StartRun::read({target()}, binds::allEngines());
    QVERIFY(QFile::setPermissions(target(),
                                  readable ? QFileDevice::ReadOwner | QFileDevice::ReadUser
                                           : QFileDevice::WriteOwner | QFileDevice::WriteUser));
    if (QFile probe(target()); probe.open(readable ? QIODevice::Append : QIODevice::ReadOnly)) {
        probe.close();
        QFile::setPermissions(target(), QFileDevice::ReadOwner | QFileDevice::WriteOwner);
        QSKIP("this user may write a read-only file (Wine run by root): the case cannot be made here");
    }
    QString error;
    bool done = false;
    if (operation == QLatin1String("append"))
        done = binds::writeLine({"f1", "say hi", folder()}, here, &error);
    else if (operation == QLatin1String("rewrite"))
        done = binds::removeBinds(target(), old, run.bindsIn(0), run.engines(), &error).has_value();
    else
        done = binds::readConsoleFile(target(), &error).has_value();
    QFile::setPermissions(target(), QFileDevice::ReadOwner | QFileDevice::WriteOwner);
    QVERIFY(!done);
    // The cause from the system's error number, in the program's own words, whatever the
    // system's language.
    QVERIFY2(error.contains(QStringLiteral("permission was denied (") + said), qPrintable(error));
    QVERIFY2(!error.contains(QLatin1String("new files in the folder")), qPrintable(error));
    QCOMPARE(contents(target()), old);
}

void TestBindLine::failure_rewriteInAFolderThatTakesNoNewFile()
{
#ifdef Q_OS_UNIX
    if (::geteuid() == 0)
        QSKIP("root writes in any folder: the test needs an ordinary user");
#endif
    const QByteArray old = "bind f1 x\r\nbind f2 y\r\n";
    writeFile(target(), old);
    const QString folderPath = QFileInfo(target()).absolutePath();
    QVERIFY(QFile::setPermissions(folderPath, QFileDevice::ReadOwner | QFileDevice::ExeOwner));
    if (QFile probe(folderPath + QStringLiteral("/probe")); probe.open(QIODevice::WriteOnly)) {
        probe.remove();
        QFile::setPermissions(folderPath, QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
        QSKIP("this user may make files in a read-only folder (Windows ignores the attribute on folders)");
    }
    const binds::StartRun run = binds::StartRun::read({target()}, binds::allEngines());
    QString error;
    const bool removed = binds::removeBinds(target(), old, {run.bindsIn(0).first()}, run.engines(), &error).has_value();
    QFile::setPermissions(folderPath, QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
    QVERIFY(!removed);
    // The file itself may be written: the folder is the cause, named as such.
    QVERIFY2(error.contains(QLatin1String("you may not make new files in the folder")), qPrintable(error));
    QCOMPARE(contents(target()), old);
}

void TestBindLine::failure_missingWineDrive()
{
    SKIP_UNLESS_POSIX();
    QString error;
    QVERIFY(!binds::writeLine({"f1", "", QStringLiteral("Q:\\Games\\")}, here, &error));
    QVERIFY2(error.contains(QLatin1String("drive Q:")), qPrintable(error));
    QVERIFY2(error.contains(QLatin1String("Q:\\Games\\autoexec.cfg")), qPrintable(error));
}

QTEST_GUILESS_MAIN(TestBindLine)
void TestBindLine::journal_undoesTheNewestKeptChange_data()
{
    QTest::addColumn<int>("changes"); // of one file, each kept in the journal
    QTest::addColumn<bool>("cutNewest");
    QTest::addColumn<int>("undone");  // how many undo before the journal has none, or refuses
    QTest::addColumn<int>("version"); // the file's version at the end
    QTest::newRow("one change") << 1 << false << 1 << 0;
    QTest::newRow("three, back to the first") << 3 << false << 3 << 0;
    QTest::newRow("more than the journal keeps")
        << binds::ChangeJournal::keptPerFile + 2 << false << binds::ChangeJournal::keptPerFile << 2;
    // A cut entry is no way back: the one before it does not match the file, so nothing changes.
    QTest::newRow("the newest entry cut short") << 3 << true << 0 << 3;
}

void TestBindLine::journal_undoesTheNewestKeptChange()
{
    QFETCH(int, changes);
    QFETCH(bool, cutNewest);
    QFETCH(int, undone);
    QFETCH(int, version);
    const auto versionOf = [](int i) { return "bind f1 \"say " + QByteArray::number(i) + "\"\r\n"; };
    binds::ChangeJournal journal(m_dir.filePath(QStringLiteral("undo/") + QLatin1String(QTest::currentDataTag())));
    writeFile(target(), versionOf(0));
    for (int i = 1; i <= changes; ++i) {
        writeFile(target(), versionOf(i));
        QString error;
        QVERIFY2(journal.record({target(), true, versionOf(i - 1), versionOf(i), QStringLiteral("changed it"),
                                 QDateTime::currentDateTime()},
                                &error),
                 qPrintable(error));
    }
    if (cutNewest) {
        QStringList entries = QDir(journal.folder()).entryList(QDir::Files, QDir::Name);
        QFile newest(QDir(journal.folder()).filePath(entries.last()));
        QVERIFY(newest.open(QIODevice::ReadWrite) && newest.resize(newest.size() - 3));
    }
    int done = 0;
    QString error;
    while (const std::optional<binds::FileChange> last = journal.newest({target()})) {
        if (!journal.undo(*last, &error))
            break;
        ++done;
    }
    QCOMPARE(done, undone);
    QCOMPARE(contents(target()), versionOf(version));
    if (cutNewest)
        QVERIFY2(error.contains(QLatin1String("changed since Bindwright changed it")), qPrintable(error));
    else
        QVERIFY2(error.isEmpty(), qPrintable(error));
}

#include "tst_bindline.moc"
