#include "binds/bindline.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include "testfiles.h"

using binds::BindRequest;

namespace {

const host::Host posix{host::Style::Posix, QStringLiteral("/nonexistent-wine-prefix")};

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

    void failure_missingFolder();
    void failure_folderWhereFileShouldBe();
    void failure_fullDisk();
    void failure_missingWineDrive();

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
    QTest::newRow("voice") << "mouse3" << "vsay_team Medic" << QByteArray("bind mouse3 \"vsay_team Medic\"\r\n");
    QTest::newRow("public voice") << "space" << "vsay Hi" << QByteArray("bind space \"vsay Hi\"\r\n");
    QTest::newRow("empty text") << "f1" << "" << QByteArray("bind f1 \"\"\r\n");
    QTest::newRow("colour codes") << "f2" << "say ^1hi^7" << QByteArray("bind f2 \"say ^1hi^7\"\r\n");
    QTest::newRow("two commands") << "f3" << "say a; vsay Hi" << QByteArray("bind f3 \"say a; vsay Hi\"\r\n");
}

void TestBindLine::line_format()
{
    QFETCH(QString, key);
    QFETCH(QString, text);
    QFETCH(QByteArray, line);
    QString error;
    QVERIFY2(binds::writeLine({key, text, folder()}, posix, &error), qPrintable(error));
    QCOMPARE(contents(target()), line);
}

void TestBindLine::append_keepsEarlierLines()
{
    writeFile(target(), "seta name player\r\n");
    QString error;
    QVERIFY(binds::writeLine({"f1", "say one", folder()}, posix, &error));
    QVERIFY(binds::writeLine({"f1", "say two", folder()}, posix, &error));
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
    QVERIFY2(binds::writeLine({"f1", "", folder()}, posix, &error), qPrintable(error));
    QCOMPARE(contents(target()), after);
}

void TestBindLine::append_missingSeparatorRunsIntoFileName()
{
    QVERIFY(QDir(m_dir.path()).mkdir(QStringLiteral("baseq3")));
    QString error;
    QVERIFY(binds::writeLine({"f1", "", m_dir.path() + QStringLiteral("/baseq3")}, posix, &error));
    QVERIFY(QFile::exists(m_dir.path() + QStringLiteral("/baseq3autoexec.cfg")));
    QVERIFY(!QFile::exists(m_dir.path() + QStringLiteral("/baseq3/autoexec.cfg")));
    QFile::remove(m_dir.path() + QStringLiteral("/baseq3autoexec.cfg"));
}

void TestBindLine::append_mapsBackslashFolders()
{
    QVERIFY(QDir(m_dir.path()).mkpath(QStringLiteral("q3/osp")));
    const QString typed = QString(m_dir.path() + QStringLiteral("/q3/osp/")).replace(u'/', u'\\');
    QString error;
    QVERIFY2(binds::writeLine({"f1", "say hi", typed}, posix, &error), qPrintable(error));
    QCOMPARE(contents(m_dir.path() + QStringLiteral("/q3/osp/autoexec.cfg")), QByteArray("bind f1 \"say hi\"\r\n"));
}

void TestBindLine::append_writesTheLocalEightBitEncoding()
{
    QString error;
    const QString text = QStringLiteral("say Grüße ^1€");
    QVERIFY(binds::writeLine({"f1", text, folder()}, posix, &error));
    QCOMPARE(contents(target()), QByteArray("bind f1 \"") + text.toLocal8Bit() + "\"\r\n");
}

void TestBindLine::refusal_data()
{
    QTest::addColumn<QString>("key");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("mentions");
    QTest::newRow("empty key") << "" << "say hi" << "Type the key";
    QTest::newRow("blank in key") << "f 1" << "say hi" << "a blank";
    QTest::newRow("tab in key") << "f\t1" << "say hi" << "a tab";
    QTest::newRow("quote in key") << "f\"1" << "say hi" << "a double quote";
    QTest::newRow("line break in key") << "f1\n" << "say hi" << "a line break";
    QTest::newRow("semicolon in key") << "f1;quit" << "" << "semicolon";
    QTest::newRow("comment in key") << "f1//" << "" << "comment";
    QTest::newRow("non-ASCII key") << "ä" << "" << "key name";
    QTest::newRow("quote in text") << "f1" << "say \"hi\"; quit" << "double quote";
    QTest::newRow("CR in text") << "f1" << "say hi\rquit" << "line break";
    QTest::newRow("LF in text") << "f1" << "say hi\nquit" << "line break";
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
    QVERIFY(!binds::writeLine({key, text, folder()}, posix, &error));
    QVERIFY2(error.contains(mentions), qPrintable(error));
    QCOMPARE(contents(target()), QByteArray("old\r\n"));
}

void TestBindLine::refusal_allowsSemicolonsAndColourCodes()
{
    QCOMPARE(binds::refusalOf(QStringLiteral("kp_up"), QStringLiteral("say ^1a;say //b")), QString());
    QCOMPARE(binds::refusalOf(QStringLiteral("/"), QStringLiteral("")), QString());
}

void TestBindLine::failure_missingFolder()
{
    const QString missing = m_dir.path() + QStringLiteral("/nothere/");
    QString error;
    QVERIFY(!binds::writeLine({"f1", "", missing}, posix, &error));
    QVERIFY2(error.contains(missing + QStringLiteral("autoexec.cfg")), qPrintable(error));
    QVERIFY2(error.contains(QLatin1String("does not exist")), qPrintable(error));
    QVERIFY(!QFileInfo::exists(missing));
}

void TestBindLine::failure_folderWhereFileShouldBe()
{
    QVERIFY(QDir(m_dir.path()).mkdir(QStringLiteral("autoexec.cfg")));
    QString error;
    QVERIFY(!binds::writeLine({"f1", "", folder()}, posix, &error));
    QVERIFY2(error.contains(QLatin1String("a folder stands where the file should be")), qPrintable(error));
    QVERIFY(QDir(m_dir.path()).rmdir(QStringLiteral("autoexec.cfg")));
}

void TestBindLine::failure_fullDisk()
{
    if (!QFileInfo::exists(QStringLiteral("/dev/full")))
        QSKIP("this system has no /dev/full");
    QVERIFY(QFile::link(QStringLiteral("/dev/full"), target()));
    QString error;
    QVERIFY(!binds::writeLine({"f1", "say hi", folder()}, posix, &error));
    QVERIFY2(error.contains(QLatin1String("the disk is full")), qPrintable(error));
    QVERIFY2(error.contains(target()), qPrintable(error));
}

void TestBindLine::failure_missingWineDrive()
{
    QString error;
    QVERIFY(!binds::writeLine({"f1", "", QStringLiteral("Q:\\Games\\")}, posix, &error));
    QVERIFY2(error.contains(QLatin1String("drive Q:")), qPrintable(error));
    QVERIFY2(error.contains(QLatin1String("Q:\\Games\\autoexec.cfg")), qPrintable(error));
}

QTEST_GUILESS_MAIN(TestBindLine)
#include "tst_bindline.moc"
