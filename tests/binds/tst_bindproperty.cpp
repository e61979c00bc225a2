#include "binds/bindline.h"
#include "bindcorpus.h"
#include "binds/configfile.h"
#include "binds/console.h"
#include "testhost.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>

using ConsoleCommand = QList<QByteArray>;
using Commands = QList<ConsoleCommand>;

namespace {

// The arguments of each command the games run of a script.
Commands parseConsole(const QByteArray &script)
{
    Commands commands;
    for (const binds::ScriptCommand &command : binds::scriptCommands(script))
        commands << command.args;
    return commands;
}

} // namespace

class TestBindProperty : public QObject
{
    Q_OBJECT

private slots:
    void parser_followsTheOriginalGames_data();
    void parser_followsTheOriginalGames();
    void everyWrittenLine_parsesBackToTheBind();
    void configFile_bindsAndWhereTheyStand_data();
    void configFile_bindsAndWhereTheyStand();
};

void TestBindProperty::parser_followsTheOriginalGames_data()
{
    QTest::addColumn<QByteArray>("script");
    QTest::addColumn<Commands>("commands");
    QTest::newRow("quoted ;") << QByteArray("bind f1 \"say a; b\"") << Commands{{"bind", "f1", "say a; b"}};
    QTest::newRow("bare ;") << QByteArray("bind f1 say; quit") << Commands{{"bind", "f1", "say"}, {"quit"}};
    QTest::newRow("line break") << QByteArray("bind f1 \"a\nquit\"") << Commands{{"bind", "f1", "a"}, {"quit", ""}};
    QTest::newRow("// ends the line") << QByteArray("bind f1 // x \"y\"") << Commands{{"bind", "f1"}};
    QTest::newRow("// does not hide ;") << QByteArray("// x; quit") << Commands{{"quit"}};
    QTest::newRow("/* */ skipped") << QByteArray("bind /* x */ f1") << Commands{{"bind", "f1"}};
    QTest::newRow("/*/ closes itself") << QByteArray("bind /*/ f1") << Commands{{"bind", "f1"}};
    QTest::newRow("/* unclosed") << QByteArray("bind f1 /* \"x\"") << Commands{{"bind", "f1"}};
    QTest::newRow("empty quotes") << QByteArray("bind f1 \"\"") << Commands{{"bind", "f1", ""}};
    QTest::newRow("stray quote") << QByteArray("bind f1 \"a\"b\"") << Commands{{"bind", "f1", "a", "b", ""}};
    QTest::newRow("high bytes are blanks") << QByteArray("bind \xc3\xa4 \"\xc3\xa4\"") << Commands{{"bind", "\xc3\xa4"}};
    QTest::newRow("NUL ends the file") << QByteArray("bind f1 \"a\"\r\n\0quit", 17) << Commands{{"bind", "f1", "a"}};
    QTest::newRow("1023 bytes whole") << QByteArray("bind f1 \"" + QByteArray(1013, 'x') + "\"")
                                      << Commands{{"bind", "f1", QByteArray(1013, 'x')}};
    QTest::newRow("byte 1023 lost, the rest runs")
        << QByteArray("bind f1 \"" + QByteArray(1014, 'x') + "ab;quit\"")
        << Commands{{"bind", "f1", QByteArray(1014, 'x')}, {"b"}, {"quit", ""}};
}

void TestBindProperty::parser_followsTheOriginalGames()
{
    QFETCH(QByteArray, script);
    QFETCH(Commands, commands);
    QCOMPARE(parseConsole(script), commands);
}

void TestBindProperty::everyWrittenLine_parsesBackToTheBind()
{
    QTemporaryDir dir;
    const QString folder = dir.path() + u'/';
    const QString file = folder + QStringLiteral("autoexec.cfg");
    const host::Host host = testHost();

    int written = 0;
    for (const BindCase &bind : generatedCases(4000) + hostileCases()) {
        QFile::remove(file);
        QString error;
        if (!writeAsThePanelsDo(bind, folder, host, &error)) {
            QVERIFY2(!error.isEmpty(), "a refusal must say why");
            QVERIFY2(!QFile::exists(file), "a refused bind must not touch the file");
            continue;
        }
        ++written;
        QFile in(file);
        QVERIFY(in.open(QIODevice::ReadOnly));
        const Commands commands = parseConsole(in.readAll());
        const Commands expected = {{"bind", bind.key.trimmed().toLocal8Bit(), commandOf(bind).toLocal8Bit()}};
        QVERIFY2(commands == expected, qPrintable(QStringLiteral("key [%1] text [%2] parsed as %3 commands")
                                                      .arg(bind.key, bind.text)
                                                      .arg(commands.size())));
        // The reader finds that one bind, and where its line stands.
        const std::optional<binds::ConfigFile> read = binds::readConfigFile(file, &error);
        QVERIFY2(read, qPrintable(error));
        QCOMPARE(read->binds.size(), 1);
        const binds::ConfigBind &found = read->binds.first();
        QCOMPARE(read->bytes.mid(found.begin, found.end - found.begin) + "\r\n", read->bytes);
    }
    QVERIFY2(written > 300, qPrintable(QStringLiteral("only %1 valid binds generated").arg(written)));
}

using Binds = QList<binds::ConfigBind>;

void TestBindProperty::configFile_bindsAndWhereTheyStand_data()
{
    QTest::addColumn<QByteArray>("script");
    QTest::addColumn<Binds>("binds");
    QTest::addColumn<int>("others");
    QTest::newRow("two binds, a seta") << QByteArray("bind f1 \"say hi\"\r\nseta name x\r\nBIND SPACE +moveup")
                                       << Binds{{"f1", "say hi", 0, 16}, {"SPACE", "+moveup", 31, 49}} << 1;
    QTest::newRow("after a ;") << QByteArray("unbindall; bind f2 \"a\"") << Binds{{"f2", "a", 10, 22}} << 1;
    QTest::newRow("unquoted binding, joined") << QByteArray("bind f3 say  gg  wp\n") << Binds{{"f3", "say gg wp", 0, 19}} << 0;
    QTest::newRow("bind KEY alone prints") << QByteArray("bind f4\n") << Binds{} << 1;
    QTest::newRow("commented out") << QByteArray("// bind f5 x\n/* bind f6 y */") << Binds{} << 0;
    QTest::newRow("after a NUL, nothing") << QByteArray("bind f7 a\n\0bind f8 b", 21) << Binds{{"f7", "a", 0, 9}} << 0;
}

void TestBindProperty::configFile_bindsAndWhereTheyStand()
{
    QFETCH(QByteArray, script);
    QFETCH(Binds, binds);
    QFETCH(int, others);
    const binds::ConfigFile file = binds::configFileOf(script);
    QCOMPARE(file.binds, binds);
    QCOMPARE(file.others.size(), others);
}

QTEST_GUILESS_MAIN(TestBindProperty)
#include "tst_bindproperty.moc"
