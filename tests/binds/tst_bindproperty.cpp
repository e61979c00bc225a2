#include "bindcorpus.h"
#include "testengines.h"
#include "testhost.h"

#include "binds/engine/console.h"
#include "binds/files/bindline.h"
#include "binds/files/consolefile.h"
#include "binds/files/startrun.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>

using ConsoleCommand = QList<QByteArray>;
using Commands = QList<ConsoleCommand>;

namespace {

// The arguments of each command an engine runs of a script.
Commands parseConsole(const QByteArray &script, const binds::Engine &engine = binds::quake3Arena132())
{
    Commands commands;
    for (const binds::ScriptCommand &command : binds::scriptCommands(script, engine.rules))
        commands << command.args;
    return commands;
}

// One letter a bind, in the file's order, for its fate in one engine.
QByteArray fateLetters(const binds::StartRun &run, qsizetype engine)
{
    QByteArray letters;
    for (const binds::StartBind &bind : run.bindsIn(0))
        letters += "ROUCTK"[int(bind.fateIn(engine))];
    return letters;
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
    QTest::addColumn<Commands>("io");      // where ioquake3 and iortcw run otherwise
    QTest::addColumn<Commands>("quake3e"); // where Quake3e runs otherwise than ioquake3
    QTest::newRow("quoted ;") << QByteArray("bind f1 \"say a; b\"") << Commands {{"bind", "f1", "say a; b"}}
                              << Commands {} << Commands {};
    QTest::newRow("bare ;") << QByteArray("bind f1 say; quit") << Commands {{"bind", "f1", "say"}, {"quit"}}
                            << Commands {} << Commands {};
    QTest::newRow("line break") << QByteArray("bind f1 \"a\nquit\"") << Commands {{"bind", "f1", "a"}, {"quit", ""}}
                                << Commands {} << Commands {};
    QTest::newRow("// ends the line") << QByteArray("bind f1 // x \"y\"") << Commands {{"bind", "f1"}} << Commands {}
                                      << Commands {};
    QTest::newRow("// does not hide ;") << QByteArray("// x; quit") << Commands {{"quit"}} << Commands {{}}
                                        << Commands {};
    QTest::newRow("/* */ skipped") << QByteArray("bind /* x */ f1") << Commands {{"bind", "f1"}}
                                   << Commands {{"bind"}, {"f1"}} << Commands {};
    QTest::newRow("/*/ closes itself") << QByteArray("bind /*/ f1") << Commands {{"bind", "f1"}}
                                       << Commands {{"bind"}, {"f1"}} << Commands {};
    QTest::newRow("/* unclosed") << QByteArray("bind f1 /* \"x\"") << Commands {{"bind", "f1"}} << Commands {}
                                 << Commands {};
    QTest::newRow("empty quotes") << QByteArray("bind f1 \"\"") << Commands {{"bind", "f1", ""}} << Commands {}
                                  << Commands {};
    QTest::newRow("stray quote") << QByteArray("bind f1 \"a\"b\"") << Commands {{"bind", "f1", "a", "b", ""}}
                                 << Commands {} << Commands {};
    QTest::newRow("high bytes are blanks")
        << QByteArray("bind \xc3\xa4 \"\xc3\xa4\"") << Commands {{"bind", "\xc3\xa4"}} << Commands {} << Commands {};
    QTest::newRow("NUL ends the file") << QByteArray("bind f1 \"a\"\r\n\0quit", 17) << Commands {{"bind", "f1", "a"}}
                                       << Commands {} << Commands {};
    QTest::newRow("1023 bytes whole") << QByteArray("bind f1 \"" + QByteArray(1013, 'x') + "\"")
                                      << Commands {{"bind", "f1", QByteArray(1013, 'x')}} << Commands {} << Commands {};
    QTest::newRow("byte 1023 lost, the rest runs")
        << QByteArray("bind f1 \"" + QByteArray(1014, 'x') + "ab;quit\"")
        << Commands {{"bind", "f1", QByteArray(1014, 'x')}, {"b"}, {"quit", ""}} << Commands {}
        << Commands {{"bind", "f1", QByteArray(1014, 'x')}}; // Quake3e cmd.c:307-310 drops the rest
    QTest::newRow("a link is no comment in Quake3e")
        << QByteArray("echo http://x.org/a // c") << Commands {{"echo", "http:"}} << Commands {}
        << Commands {{"echo", "http://x.org/a"}}; // cmd.c:651-655
    QTest::newRow("Quake3e: // needs a letter and : before it")
        << QByteArray("echo 1://a\necho ab://c") << Commands {{"echo", "1:"}, {"echo", "ab:"}} << Commands {}
        << Commands {{"echo", "1:"}, {"echo", "ab://c"}};
    QTest::newRow("// hides a chained bind") << QByteArray("bind a x // y; bind f12 z\r\necho k")
                                             << Commands {{"bind", "a", "x"}, {"bind", "f12", "z"}, {"echo", "k"}}
                                             << Commands {{"bind", "a", "x"}, {"echo", "k"}} << Commands {};
    QTest::newRow("/* */ across lines") << QByteArray("/* old\r\nbind f4 z\r\n*/\r\nbind f1 x")
                                        << Commands {{"bind", "f4", "z"}, {"*/"}, {"bind", "f1", "x"}}
                                        << Commands {{"bind", "f1", "x"}} << Commands {};
    QTest::newRow("*/ ends the command") << QByteArray("say a /* b */ kill") << Commands {{"say", "a", "kill"}}
                                         << Commands {{"say", "a"}, {"kill"}} << Commands {};
    QTest::newRow("/* unclosed takes the rest")
        << QByteArray("/* x\r\nbind f1 y\r\nbind f2 z") << Commands {{"bind", "f1", "y"}, {"bind", "f2", "z"}}
        << Commands {{}} << Commands {};
    QTest::newRow("quoted // is text") << QByteArray("bind f1 \"say a//b\"; kill")
                                       << Commands {{"bind", "f1", "say a//b"}, {"kill"}} << Commands {} << Commands {};
}

void TestBindProperty::parser_followsTheOriginalGames()
{
    QFETCH(QByteArray, script);
    QFETCH(Commands, commands);
    QFETCH(Commands, io);
    QFETCH(Commands, quake3e);
    QCOMPARE(parseConsole(script), commands);
    QCOMPARE(parseConsole(script, *binds::engineById(u"cnq3")), commands); // id's Cbuf_Execute
    // Commands{{}}: ioquake3 runs nothing of it.
    const Commands ioCommands = io == Commands {{}} ? Commands {} : io.isEmpty() ? commands : io;
    QCOMPARE(parseConsole(script, binds::ioquake3()), ioCommands);
    QCOMPARE(parseConsole(script, *binds::engineById(u"quake3e")), quake3e.isEmpty() ? ioCommands : quake3e);
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
        QVERIFY2(commands == expected,
                 qPrintable(QStringLiteral("key [%1] text [%2] parsed as %3 commands")
                                .arg(bind.key, bind.text)
                                .arg(commands.size())));
        // The reader finds that one bind, and where its line stands.
        const binds::StartRun read = binds::StartRun::read({file}, binds::allEngines());
        QVERIFY2(read.files().first().read, qPrintable(read.files().first().error));
        const QList<binds::StartBind> found = read.bindsIn(0);
        QCOMPARE(found.size(), 1);
        const QByteArray bytes = read.files().first().bytes;
        const binds::ConfigBind &line = found.first().shown();
        QCOMPARE(bytes.mid(line.begin, line.end - line.begin) + "\r\n", bytes);
    }
    QVERIFY2(written > 300, qPrintable(QStringLiteral("only %1 valid binds generated").arg(written)));
}

using Binds = QList<binds::ConfigBind>;

void TestBindProperty::configFile_bindsAndWhereTheyStand_data()
{
    QTest::addColumn<QByteArray>("script");
    QTest::addColumn<Binds>("binds");
    // One letter a bind: Runs, Overridden, Unbound, in a Comment, file Too large, unknown Key.
    QTest::addColumn<QByteArray>("io");
    QTest::addColumn<QByteArray>("original");
    QTest::addColumn<QByteArray>("quake3e"); // empty: as ioquake3
    QTest::addColumn<QByteArray>("cnq3");    // empty: as 1.32
    QTest::newRow("two binds, a seta") << QByteArray("bind f1 \"say hi\"\r\nseta name x\r\nBIND SPACE +moveup")
                                       << Binds {{"f1", "say hi", 0, 16}, {"SPACE", "+moveup", 31, 49}}
                                       << QByteArray("RR") << QByteArray("RR") << QByteArray() << QByteArray();
    QTest::newRow("after a ;") << QByteArray("unbindall; bind f2 \"a\"") << Binds {{"f2", "a", 10, 22}}
                               << QByteArray("R") << QByteArray("R") << QByteArray() << QByteArray();
    QTest::newRow("unquoted binding, joined")
        << QByteArray("bind f3 say  gg  wp\n") << Binds {{"f3", "say gg wp", 0, 19}} << QByteArray("R")
        << QByteArray("R") << QByteArray() << QByteArray();
    QTest::newRow("bind KEY alone prints")
        << QByteArray("bind f4\n") << Binds {} << QByteArray() << QByteArray() << QByteArray() << QByteArray();
    QTest::newRow("commented out") << QByteArray("// bind f5 x\n/* bind f6 y */") << Binds {} << QByteArray()
                                   << QByteArray() << QByteArray() << QByteArray();
    QTest::newRow("after a NUL, nothing") << QByteArray("bind f7 a\n\0bind f8 b", 21) << Binds {{"f7", "a", 0, 9}}
                                          << QByteArray("R") << QByteArray("R") << QByteArray() << QByteArray();
    QTest::newRow("bound again") << QByteArray("bind f1 a\nbind F1 b\n")
                                 << Binds {{"f1", "a", 0, 9}, {"F1", "b", 10, 19}} << QByteArray("OR")
                                 << QByteArray("OR") << QByteArray() << QByteArray();
    QTest::newRow("unbindall and unbind") << QByteArray("bind f1 a\nunbindall\nbind f2 b\nunbind f2\nbind f3 c\n")
                                          << Binds {{"f1", "a", 0, 9}, {"f2", "b", 20, 29}, {"f3", "c", 40, 49}}
                                          << QByteArray("UUR") << QByteArray("UUR") << QByteArray() << QByteArray();
    QTest::newRow("unbind with two keys is refused")
        << QByteArray("bind a x\nunbind a b\n") << Binds {{"a", "x", 0, 8}} << QByteArray("R") << QByteArray("R")
        << QByteArray() << QByteArray();
    QTest::newRow("a key by its number") << QByteArray("bind TAB a\nbind 0x09 b\n")
                                         << Binds {{"TAB", "a", 0, 10}, {"0x09", "b", 11, 22}} << QByteArray("OR")
                                         << QByteArray("OR") << QByteArray() << QByteArray();
    QTest::newRow("capital letters") << QByteArray("bind a x\nbind A y\n")
                                     << Binds {{"a", "x", 0, 8}, {"A", "y", 9, 17}} << QByteArray("OR")
                                     << QByteArray("RR") << QByteArray("RR") << QByteArray("OR");
    QTest::newRow("a name only ioquake3 knows")
        << QByteArray("bind kp_uparrow x\nbind WORLD_1 y\n")
        << Binds {{"kp_uparrow", "x", 0, 17}, {"WORLD_1", "y", 18, 32}} << QByteArray("RR") << QByteArray("RK")
        << QByteArray("RK") << QByteArray();
    QTest::newRow("ioquake3 skips /* */ across lines")
        << QByteArray("/*\nbind f4 z\n*/\nbind f1 x") << Binds {{"f4", "z", 3, 12}, {"f1", "x", 16, 25}}
        << QByteArray("CR") << QByteArray("RR") << QByteArray() << QByteArray();
    QTest::newRow("ioquake3 keeps ; in a // comment")
        << QByteArray("bind a x // y; bind f12 z") << Binds {{"a", "x", 0, 25}, {"f12", "z", 14, 25}}
        << QByteArray("RC") << QByteArray("RR") << QByteArray() << QByteArray();
    QTest::newRow("the original games' limit")
        << QByteArray(16380, '\n') + "bind f1 x\n"
        << Binds {{"f1", "x", 16380, 16389}} << QByteArray("R") << QByteArray("T") << QByteArray() << QByteArray("R");
    QTest::newRow("CNQ3's limit") << QByteArray(32760, '\n') + "bind f1 x\n"
                                  << Binds {{"f1", "x", 32760, 32769}} << QByteArray("R") << QByteArray("T")
                                  << QByteArray() << QByteArray("T");
    QTest::newRow("Quake3e's limit") << QByteArray(65530, '\n') + "bind f1 x\n"
                                     << Binds {{"f1", "x", 65530, 65539}} << QByteArray("R") << QByteArray("T")
                                     << QByteArray("T") << QByteArray("T");
    QTest::newRow("the bytes before a NUL count")
        << QByteArray("bind f7 a\n\0", 11) + QByteArray(140000, 'x') << Binds {{"f7", "a", 0, 9}} << QByteArray("R")
        << QByteArray("R") << QByteArray() << QByteArray();
    QTest::newRow("keypad * and mouse6") << QByteArray("bind kp_star x\nbind mouse6 y\n")
                                         << Binds {{"kp_star", "x", 0, 14}, {"mouse6", "y", 15, 28}} << QByteArray("RK")
                                         << QByteArray("RK") << QByteArray("KK") << QByteArray("RR");
    QTest::newRow("hex of eight digits") << QByteArray("bind b x\nbind 0x00000062 y\n")
                                         << Binds {{"b", "x", 0, 8}, {"0x00000062", "y", 9, 26}} << QByteArray("OR")
                                         << QByteArray("RK") << QByteArray("RK") << QByteArray();
    QTest::newRow("over every game's limit")
        << QByteArray(131070, '\n') + "bind f1 x\n"
        << Binds {{"f1", "x", 131070, 131079}} << QByteArray("T") << QByteArray("T") << QByteArray() << QByteArray();
}

void TestBindProperty::configFile_bindsAndWhereTheyStand()
{
    QFETCH(QByteArray, script);
    QFETCH(Binds, binds);
    QFETCH(QByteArray, io);
    QFETCH(QByteArray, original);
    QFETCH(QByteArray, quake3e);
    QFETCH(QByteArray, cnq3);
    const binds::StartRun run = binds::StartRun::of({{QStringLiteral("autoexec.cfg"), script, true, {}}},
                                                    enginesNamed(QStringLiteral("ioquake3,quake3-1.32,quake3e,cnq3")));
    Binds shown;
    for (const binds::StartBind &bind : run.bindsIn(0))
        shown << bind.shown();
    QCOMPARE(shown, binds);
    QCOMPARE(fateLetters(run, 0), io);
    QCOMPARE(fateLetters(run, 1), original);
    QCOMPARE(fateLetters(run, 2), quake3e.isEmpty() ? io : quake3e);
    QCOMPARE(fateLetters(run, 3), cnq3.isEmpty() ? original : cnq3);
}

QTEST_GUILESS_MAIN(TestBindProperty)
#include "tst_bindproperty.moc"
