#include "binds/bindline.h"
#include "consoleparser.h"

#include <QFile>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QTest>

class TestBindProperty : public QObject
{
    Q_OBJECT

private slots:
    void parser_followsConsoleRules();
    void everyWrittenLine_parsesBackToTheBind();
};

void TestBindProperty::parser_followsConsoleRules()
{
    using Commands = QList<QStringList>;
    QCOMPARE(parseConsole(QStringLiteral("bind f1 \"say a; b\"")), (Commands{{"bind", "f1", "say a; b"}}));
    QCOMPARE(parseConsole(QStringLiteral("bind f1 say; quit")), (Commands{{"bind", "f1", "say"}, {"quit"}}));
    QCOMPARE(parseConsole(QStringLiteral("bind f1 \"a\nquit\"")), (Commands{{"bind", "f1", "a"}, {"quit", ""}}));
    QCOMPARE(parseConsole(QStringLiteral("bind f1 // x \"y\"")), (Commands{{"bind", "f1"}}));
    QCOMPARE(parseConsole(QStringLiteral("bind f1 \"\"")), (Commands{{"bind", "f1", ""}}));
    QCOMPARE(parseConsole(QStringLiteral("bind f1 \"a\"b\"")), (Commands{{"bind", "f1", "a", "b", ""}}));
}

void TestBindProperty::everyWrittenLine_parsesBackToTheBind()
{
    const QStringList pieces = {"a", "f1", " ", ";", "//", "/", "ä", "é", "😀", "^1", "\"", "\t",
                                "\n", "\r", "say ", "vsay Hi", "kp_up", "*", "\\", "x"};
    const QStringList keyPieces = {"f1", "mouse3", "kp_up", "a", "/", "*", "\\", "ä", " ", ";", "//", "\"", "\t"};
    QTemporaryDir dir;
    const QString folder = dir.path() + u'/';
    const QString file = folder + QStringLiteral("autoexec.cfg");
    const host::Host host{host::Style::Posix, {}};
    QRandomGenerator random(20261207); // fixed, so a failure can be replayed

    auto generate = [&](const QStringList &from, int most) {
        QString s;
        for (int n = random.bounded(most + 1); n > 0; --n)
            s += from.at(random.bounded(int(from.size())));
        return s;
    };

    int written = 0;
    for (int round = 0; round < 3000; ++round) {
        const QString key = generate(keyPieces, 2);
        const QString text = generate(pieces, 5);
        QFile::remove(file);
        QString error;
        if (!binds::writeLine({key, text, folder}, host, &error)) {
            QVERIFY2(!error.isEmpty(), "a refusal must say why");
            QVERIFY2(!QFile::exists(file), "a refused bind must not touch the file");
            continue;
        }
        ++written;
        QFile in(file);
        QVERIFY(in.open(QIODevice::ReadOnly));
        const QList<QStringList> commands = parseConsole(QString::fromLocal8Bit(in.readAll()));
        const QList<QStringList> expected = {{QStringLiteral("bind"), key, text}};
        QVERIFY2(commands == expected,
                 qPrintable(QStringLiteral("key [%1] text [%2] parsed as %3 commands")
                                .arg(key, text).arg(commands.size())));
    }
    QVERIFY2(written > 300, qPrintable(QStringLiteral("only %1 valid binds generated").arg(written)));
}

QTEST_GUILESS_MAIN(TestBindProperty)
#include "tst_bindproperty.moc"
