#include "binds/bindline.h"
#include "bindcorpus.h"
#include "consoleparser.h"
#include "testhost.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>

using Commands = QList<ConsoleCommand>;

class TestBindProperty : public QObject
{
    Q_OBJECT

private slots:
    void parser_followsTheOriginalGames_data();
    void parser_followsTheOriginalGames();
    void everyWrittenLine_parsesBackToTheBind();
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
    }
    QVERIFY2(written > 300, qPrintable(QStringLiteral("only %1 valid binds generated").arg(written)));
}

QTEST_GUILESS_MAIN(TestBindProperty)
#include "tst_bindproperty.moc"
