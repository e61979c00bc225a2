// The real engine judges every line the writer writes, twice: as the game reads
// autoexec.cfg at start, and as it runs a binding when its key is pressed.
//
// What a press does, from the engines' source (ioquake3 code/, Quake III Arena 1.32
// code/, RTCW-MP src/; iortcw as ioquake3):
// - client/cl_keys.c (CL_KeyEvent; ioquake3 CL_KeyDownEvent): a binding that does not
//   start with "+" is run as one command line, Cbuf_AddText(binding) then "\n".
// - qcommon/cmd.c Cbuf_Execute ends a command at a line end and at ";" outside quotes.
//   ioquake3 and iortcw also keep a "//" comment to its line end (a ";" in it ends
//   nothing) and a "/* */" comment whole, and end the command right after its "*/": the
//   rest runs as a command of its own. 1.32 and RTCW know no comments there.
// - qcommon/cmd.c Cmd_ExecuteString: "say", "say_team", "vsay", "vsay_team" are no
//   client commands; CL_ForwardCommandToServer (client/cl_main.c) sends the command line
//   as it stands, and MSG_WriteString (qcommon/msg.c) turns every byte above 127 and
//   every "%" into ".".
// - The server tokenizes the line again (server/sv_client.c SV_ExecuteClientCommand,
//   Cmd_TokenizeString) and the game joins the arguments from the first on with one
//   blank (game/g_cmds.c ConcatArgs in Cmd_Say_f and Cmd_Voice_f): blanks, tabs and
//   control characters only separate arguments, so runs of them become one blank and
//   those at either end vanish; outside quotes "//" ends the line and "/* */" vanishes
//   (an unclosed "/*" takes the rest). With no argument left, Cmd_Say_f says nothing.
// - G_Say keeps at most 149 bytes (MAX_SAY_TEXT 150).
// - A mod's autoexec.cfg hides the base one: "exec autoexec.cfg" (qcommon/common.c
//   Com_ExecuteCfg, then cmd.c Cmd_Exec_f) reads the file with FS_ReadFile, and
//   qcommon/files.c FS_FOpenFileRead returns the first match on the search path, where
//   FS_Startup puts the mod folder (fs_game) before the base folder.
// - "echo" prints Cmd_Args(), the same join, so a binding whose first word is replaced
//   by "echo" prints what the server makes of it, and each further command it runs shows
//   as output of its own.

#include "bindcorpus.h"
#include "testengines.h"
#include "testhost.h"

#include "binds/add/rtcw.h"
#include "binds/engine/console.h"
#include "binds/engine/keys.h"
#include "binds/files/bindline.h"
#include "binds/files/bindremoval.h"
#include "binds/files/consolefile.h"
#include "binds/files/startrun.h"
#include "binds/folders/whatruns.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QMap>
#include <QProcess>
#include <QRandomGenerator>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>

namespace {

using Binds = QMap<QByteArray, QByteArray>; // key as the engine spells it, lower case -> command

// One case's place in a config file and what the program made of it.
struct Judged {
    BindCase bind;
    bool lineAccepted = false; // the line alone, as the file holds it
    bool accepted = false;     // the whole bind, as the panels take it
    QString refusal;
};

// What the engine did with one line: its binds afterwards, and whether anything else
// ran or was complained about.
struct Reading {
    Binds binds;
    bool troubled = false;
    QByteArray console;
    QList<QByteArray> pressed; // the console lines of running its binding
};

const QByteArray lineMark = "BWLINE ";
const QByteArray pressMark = "BWPRESS ";
const QByteArray commentClosers = "// */\r\n// \" */\r\n";
const QByteArray gameName = "bw";     // not baseq3: the engine runs standalone, without game data
constexpr qint64 batchBytes = 100000; // below what ioquake3 reads, with room for the last line

QByteArray canonicalKey(const QString &key)
{
    return key.trimmed().toLower().toLatin1();
}

// A key the games know can hold a sentinel before its line, so that a line binding it
// to nothing shows: the sentinel is gone.
bool takesSentinel(const BindCase &bind)
{
    QString unknown;
    return binds::isBindableKey(bind.key.trimmed(), &unknown);
}

// Written around each line, so the engine's reading of every line stands apart.
QByteArray scaffoldBefore(int index, const BindCase &bind)
{
    QByteArray before = "echo " + lineMark + QByteArray::number(index) + "\r\n";
    if (takesSentinel(bind))
        before += "bind " + canonicalKey(bind.key) + " BWSENTINEL\r\n";
    return before;
}

// ioquake3 carries a /* comment opened outside quotes across lines until a */ outside
// quotes, and a refused line may open one, with an odd count of quotes or an even one:
// the first two lines close it either way, and run nothing when none is open.
const QByteArray scaffoldAfter = commentClosers + "bindlist\r\nunbindall\r\n";

// The words of the commands a chat or voice bind sends to the server.
const QList<QByteArray> chatWords = {"say", "say_team", "vsay", "vsay_team"};

// The binding run as a pressed key runs it, with "echo" for the chat command that starts
// it, and the network's dots in: the engine prints what the server would make of it.
// Empty for a binding that is no chat or voice command.
QByteArray pressedAsEcho(const QByteArray &binding)
{
    const qsizetype blank = binding.indexOf(' ');
    if (blank < 0 || !chatWords.contains(binding.left(blank)))
        return {};
    QByteArray line = "echo" + binding.mid(blank);
    for (char &byte : line) {
        if (static_cast<unsigned char>(byte) > 127 || byte == '%')
            byte = '.';
    }
    return line;
}

// Chat binds, and the voice commands of the list. A console command the player types
// runs as typed, chains and comments included: there is nothing else to compare it with.
bool judgedByItsPress(const BindCase &bind)
{
    return bind.scope != binds::ChatScope::None || binds::voiceCommands().contains(bind.text);
}

// What the player asked the others to receive: the text after the command word, with the
// network's dots, which no bind can avoid.
QByteArray askedToReceive(const QByteArray &binding)
{
    return pressedAsEcho(binding).mid(int(sizeof("echo")));
}

// The engines built or installed here, as the tests start them.
enum class Oracle {
    Ioquake3, // Debian's ioquake3 client, run as a server
    Quake3e,  // Quake3e's dedicated server, built beside the tests
};

// The program of an oracle.
QString oracleProgram(Oracle oracle)
{
    return oracle == Oracle::Ioquake3 ? QStringLiteral(BINDWRIGHT_IOQUAKE3) : QStringLiteral(BINDWRIGHT_QUAKE3E);
}

// Fails in CI, and says it skipped elsewhere, without the engine's program.
#define REQUIRE_PROGRAM(program)                                                                                       \
    do {                                                                                                               \
        if (!QFileInfo(program).isExecutable()) {                                                                      \
            if (qEnvironmentVariableIsSet("CI"))                                                                       \
                QFAIL(qPrintable(program + QStringLiteral(" is not there (../shared/engine): it must run in CI")));    \
            QSKIP(qPrintable(program + QStringLiteral(" is not there (../shared/engine): skipped")));                  \
        }                                                                                                              \
    } while (false)

class Engine
{
public:
    explicit Engine(const QString &program, Oracle oracle = Oracle::Ioquake3)
        : m_program(program)
        , m_oracle(oracle)
    { }

    // Runs the engine on a config file and splits its console by line marks.
    // Other files of the game folder, for the config file to exec, come in `files`.
    QMap<int, Reading> read(const QByteArray &autoexec, QString *failure,
                            const QMap<QString, QByteArray> &files = {}) const
    {
        QMap<QString, QByteArray> game = files;
        game.insert(QStringLiteral("default.cfg"), "set bw_started 1\r\n");
        game.insert(QStringLiteral("autoexec.cfg"), autoexec + "echo " + lineMark + "end\r\n");
        const QByteArray console = run(game, {}, failure);
        return failure->isEmpty() ? readings(console) : QMap<int, Reading>();
    }

    // Starts the engine on a game folder of these files, with these commands after its
    // start, and returns its console; failure says why it did not run.
    QByteArray run(const QMap<QString, QByteArray> &files, const QStringList &commands, QString *failure) const
    {
        QTemporaryDir base, home;
        const QString gameFolder = base.filePath(QString::fromLatin1(gameName));
        QDir().mkpath(gameFolder);
        for (auto it = files.cbegin(); it != files.cend(); ++it)
            writeAll(gameFolder + u'/' + it.key(), it.value());

        QProcess engine;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("SDL_VIDEODRIVER"), QStringLiteral("offscreen"));
        env.insert(QStringLiteral("SDL_AUDIODRIVER"), QStringLiteral("dummy"));
        env.insert(QStringLiteral("HOME"), home.path());
        engine.setProcessEnvironment(env);
        engine.setProcessChannelMode(QProcess::MergedChannels);
        // Quake3e's server names its base game fs_basegame; the ioquake3 client is told to be a server.
        const QStringList start = m_oracle == Oracle::Quake3e
            ? QStringList {"+set", "fs_basegame", QString::fromLatin1(gameName)}
            : QStringList {"+set", "dedicated", "1", "+set", "com_basegame", QString::fromLatin1(gameName)};
        engine.start(m_program,
                     start
                         + QStringList {"+set", "net_enabled", "0", "+set", "fs_basepath", base.path(), "+set",
                                        "fs_homepath", home.path()}
                         + commands + QStringList {"+quit"});
        failure->clear();
        if (!engine.waitForFinished(60000)) {
            *failure = QStringLiteral("the engine did not finish: ") + engine.errorString();
            engine.kill();
            return {};
        }
        const QByteArray console = engine.readAll();
        if (engine.exitStatus() != QProcess::NormalExit || engine.exitCode() != 0)
            *failure = QStringLiteral("the engine failed:\n") + QString::fromLocal8Bit(console);
        return console;
    }

private:
    static void writeAll(const QString &path, const QByteArray &bytes)
    {
        QFile file(path);
        if (file.open(QIODevice::WriteOnly))
            file.write(bytes);
    }

    static QMap<int, Reading> readings(const QByteArray &console)
    {
        static const QRegularExpression bindlistLine(QStringLiteral("^(\\S+) \"(.*)\"$"));
        QMap<int, Reading> result;
        Reading *current = nullptr;
        bool pressing = false;
        for (const QByteArray &line : console.split('\n')) {
            if (line.startsWith(lineMark) || line.startsWith(pressMark)) {
                pressing = line.startsWith(pressMark);
                bool isNumber = false;
                const int index = line.mid(pressing ? pressMark.size() : lineMark.size()).toInt(&isNumber);
                current = isNumber ? &result[index] : nullptr;
                continue;
            }
            if (!current)
                continue;
            if (pressing) {
                current->pressed << line;
                continue;
            }
            current->console += line + '\n';
            const QRegularExpressionMatch bound = bindlistLine.match(QString::fromUtf8(line));
            if (bound.hasMatch()) {
                current->binds.insert(bound.captured(1).toLower().toLatin1(), bound.captured(2).toUtf8());
            } else if (line == injectedMarker || line.contains("isn't a valid key") || line.contains("Unknown command")
                       || line.contains("overflowed") || line.startsWith("bind <key>")) {
                current->troubled = true;
            }
        }
        return result;
    }

    QString m_program;
    Oracle m_oracle;
};

// The engine read the line as the bind it asks for, and did nothing else.
bool readAsAsked(const BindCase &bind, const Reading &reading)
{
    // A key bound to nothing is not listed: its sentinel is gone.
    const QByteArray command = commandOf(bind).toUtf8();
    const Binds asked = command.isEmpty() ? Binds {} : Binds {{canonicalKey(bind.key), command}};
    return !reading.troubled && reading.binds == asked;
}

// Pressing the key sent exactly the asked chat or voice command, its text received as
// asked: one line of output, and not an empty one (say with nothing to say says nothing).
bool sentAsAsked(const BindCase &bind, const Reading &reading)
{
    const QByteArray asked = askedToReceive(commandOf(bind).toUtf8());
    return reading.pressed == QList<QByteArray> {asked} && !asked.isEmpty();
}

// Refusals that the engine in this test cannot confirm, each for a reason of its own.
bool onlyTheOriginalGamesMisread(const BindCase &bind)
{
    // Quake III Arena 1.32 and RTCW bind "A" to key 65, which no keyboard sends;
    // ioquake3 lower-cases it first.
    const QString key = bind.key.trimmed();
    if (key.size() == 1 && key.at(0).isUpper())
        return true;
    // A line of exactly 1024 bytes loses its closing quote only, which changes nothing.
    return binds::bindLine(bind.key, bind.text).toUtf8().size() == binds::maxLineBytes + 1;
}

} // namespace

class TestEngine : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void theEngineReadsEveryLineAsWritten();
    void theModelBindsEveryKeyAsTheEngineDoes_data();
    void theModelBindsEveryKeyAsTheEngineDoes();
    void theHomeTheProgramNamesIsTheOneTheEngineReads_data();
    void theHomeTheProgramNamesIsTheOneTheEngineReads();
    void aFileLessSomeBinds_runsAllElseAsBefore_data();
    void aFileLessSomeBinds_runsAllElseAsBefore();

private:
    QString m_program = QStringLiteral(BINDWRIGHT_IOQUAKE3);
};

void TestEngine::initTestCase()
{
    if (QFileInfo(m_program).isExecutable())
        return;
    if (qEnvironmentVariableIsSet("CI"))
        QFAIL("ioquake3 is not installed (Debian: apt-get install ioquake3); the engine test must run in CI");
    QSKIP("ioquake3 is not installed (Debian: apt-get install ioquake3): the engine test is skipped");
}

void TestEngine::theEngineReadsEveryLineAsWritten()
{
    QList<BindCase> corpus = generatedCases(4000) + hostileCases();
    // A NUL hides the rest of the file from the game: such lines go last.
    std::stable_partition(corpus.begin(), corpus.end(), [](const BindCase &c) { return !c.text.contains(QChar(0)); });

    QTemporaryDir dir;
    const QString folder = dir.path() + u'/';
    const QString file = folder + QStringLiteral("autoexec.cfg");
    const host::Host host = testHost();
    const Engine engine(m_program);

    QList<Judged> batch;
    int accepted = 0, refused = 0, unconfirmed = 0, unobservable = 0, runs = 0;
    int sentAsTyped = 0, pressCaught = 0, runsNothing = 0;
    // A chat or voice bind the engine read as written: its press sends what was typed
    // when the program wrote it, and something else, or more, when it refused it. The
    // program's own account of what the others receive agrees with the engine's.
    auto judgePress = [&](const Judged &judged, const Reading &reading) {
        const QString what = QStringLiteral("key [%1] text [%2]").arg(judged.bind.key, judged.bind.text);
        const QString console = QString::fromUtf8(reading.pressed.join('\n'));
        if (judged.accepted) {
            QVERIFY2(sentAsAsked(judged.bind, reading),
                     qPrintable(what + QStringLiteral(" was written, but its press ran: ") + console));
            ++sentAsTyped;
        } else {
            QVERIFY2(
                !sentAsAsked(judged.bind, reading),
                qPrintable(what + QStringLiteral(" was refused, yet its press sends it as typed. ") + judged.refusal));
            ++pressCaught;
        }
        if (judged.bind.scope != binds::ChatScope::None) {
            const QByteArray first = reading.pressed.value(0).left(binds::maxSayBytes);
            QCOMPARE(binds::chatAsReceived(judged.bind.text).text.toUtf8(), first);
        }
    };
    auto runBatch = [&] {
        QString failure;
        QFile written(file);
        const QByteArray script = written.open(QIODevice::ReadOnly) ? written.readAll() : QByteArray();
        written.close();
        written.remove();
        const QMap<int, Reading> readings = engine.read(script, &failure);

        ++runs;
        QVERIFY2(failure.isEmpty(), qPrintable(failure));
        bool afterNul = false;
        for (int i = 0; i < batch.size(); ++i) {
            const Judged &judged = batch.at(i);
            const QString what = QStringLiteral("key [%1] text [%2]").arg(judged.bind.key, judged.bind.text);
            // Only a NUL ends the game's reading early, hiding the lines after it.
            const bool hidden = !readings.contains(i);
            QVERIFY2(!hidden || afterNul, qPrintable(QStringLiteral("the engine stopped reading at ") + what));
            afterNul = afterNul || (!judged.accepted && judged.bind.text.contains(QChar(0)));
            const Reading reading = readings.value(i);
            const bool asAsked = !hidden && readAsAsked(judged.bind, reading);
            if (judged.lineAccepted) {
                QVERIFY2(asAsked,
                         qPrintable(what + QStringLiteral(" was written, but the engine read: ")
                                    + QString::fromUtf8(reading.console)));
                if (judgedByItsPress(judged.bind)) {
                    judgePress(judged, reading);
                } else if (!judged.accepted) {
                    // Refused for running nothing: the key would only lose what it does.
                    QVERIFY2(binds::consoleArguments(commandOf(judged.bind).toUtf8()).isEmpty(), qPrintable(what));
                    ++runsNothing;
                }
            } else if (asAsked && judged.bind.text.isEmpty() && !takesSentinel(judged.bind)) {
                ++unobservable; // nothing bound to a key with no sentinel: nothing shows
            } else if (asAsked) {
                QVERIFY2(onlyTheOriginalGamesMisread(judged.bind),
                         qPrintable(what + QStringLiteral(" was refused, yet the engine reads it as asked. ")
                                    + judged.refusal));
                ++unconfirmed;
            }
        }
        batch.clear();
    };

    for (const BindCase &bind : std::as_const(corpus)) {
        const int index = int(batch.size());
        QFile out(file);
        QVERIFY(out.open(QIODevice::Append));
        out.write(scaffoldBefore(index, bind));
        out.close();

        Judged judged {bind, false, false, {}};
        judged.accepted = writeAsThePanelsDo(bind, folder, host, &judged.refusal);
        QString lineRefusal;
        judged.lineAccepted = binds::encodedLine(bind.key, commandOf(bind), &lineRefusal).has_value();
        QVERIFY(out.open(QIODevice::Append));
        if (!judged.accepted) {
            // Written as it stands, to see the engine misread it, or send what was not typed.
            out.write(binds::bindLine(bind.key, commandOf(bind)).toUtf8() + "\r\n");
            ++refused;
        } else {
            QVERIFY2(judged.lineAccepted, qPrintable(lineRefusal));
            ++accepted;
        }
        out.write(scaffoldAfter);
        if (judged.lineAccepted && judgedByItsPress(bind)) {
            out.write("echo " + pressMark + QByteArray::number(index) + "\r\n" + pressedAsEcho(commandOf(bind).toUtf8())
                      + "\r\n" + commentClosers);
        }
        const qint64 size = out.size();
        out.close();
        batch.append(judged);
        if (size > batchBytes)
            runBatch();
        if (QTest::currentTestFailed())
            return;
    }
    if (!batch.isEmpty())
        runBatch();
    const int misread = refused - unconfirmed - unobservable - pressCaught - runsNothing;
    qInfo("%d cases in %d engine runs: %d written and read as asked; %d refused and misread by the engine, "
          "%d refused for the original games only, %d refused with nothing to observe",
          accepted + refused, runs, accepted, misread, unconfirmed, unobservable);
    qInfo("pressed: %d chat and voice binds sent as typed; %d refused chat texts read as written but sent "
          "otherwise; %d refused binds that would run nothing",
          sentAsTyped, pressCaught, runsNothing);
    QVERIFY(accepted > 300);
    QVERIFY(refused > 300);
    QVERIFY(sentAsTyped > 100);
    QVERIFY(pressCaught > 100);
}

// Lines players' files hold, and the hostile ones: chains, comments of both kinds, unbind
// and unbindall, keys by number and in capitals, Latin-1 bytes, empty and long binds.
static const QList<QByteArray> &hostileLines()
{
    static const QList<QByteArray> lines = {
        "bind f1 \"say ^2Adieu Monde Cruel :); kill\"",
        "bind f2 say b; bind f3 c",
        "unbindall",
        "unbind f2",
        "unbind a b",
        "bind 0x09 tabcmd",
        "bind TAB other",
        "bind A upper",
        "bind a lower",
        "bind SEMICOLON semi",
        "bind \";\" semi2",
        "// bind f4 commented; bind f5 after",
        "/* bind f6 x */ bind f7 y",
        "/*",
        "*/",
        "bind f8 \"x /* y\"",
        "bind kp_uparrow kp",
        "bind kp_up bad",
        "bind f9 \"\"",
        "bind f10 \xe9t\xe9",
        "bind f11 \"say \xe9 \xe7"
        "a va\"",
        "bind mouse1 +attack",
        "bind 0x3ff hi",
        "bind 0x173 last",
        "bind 0x174 toohigh",
        "BIND F12 upper",
        "bind f1",
        "bind f1 // x",
        "bind x \"a\" b \"c\"",
        "bind y \"" + QByteArray(1100, 'y') + "\"",
        "bind z x // y; bind f12 z",
        "seta name \"x\"",
        "echo hi",
        "bind 0X61 capitalx",
        "bind 0x6 six",
        "bind \"\" none",
        "unbind mouse1",
        "bind kp_star star",
        "bind mouse6 m6",
        "bind 0x1F hexupper",
        "bind 0X1f hexx",
        "bind 0x00000062 eightdigits",
        "echo http://x.org/a // c; bind f9 url",
        "bind f3 \"" + QByteArray(1100, 't') + "\"; bind f4 tail",
        "  ;; bind f5 \"after blanks\"",
        "bind f6 http://x.org/y",
        "exec bwother",
        "// exec bwother.cfg",
        // Names a pressed key gets: an ISO key, a world key, the Windows key, the keypad.
        "bind world_51 \"say oe\"",
        "bind < lt",
        "bind \\ backslash",
        "bind windows +attack",
        "bind kp_home +zoom",
        "bind mwheelup weapnext",
    };
    return lines;
}

static QByteArray hostileFile(QRandomGenerator &random, int lines)
{
    static const QList<QByteArray> ends = {"\r\n", "\n", "\r", ";", " ; "};
    QByteArray file;
    for (int i = 0; i < lines; ++i)
        file +=
            hostileLines().at(random.bounded(int(hostileLines().size()))) + ends.at(random.bounded(int(ends.size())));
    return file;
}

// The key of a bindlist line, as a number: a single character is that byte, and
// Key_KeynumToString writes "0x" and two digits from '0' on, the first past 'f' for keys
// above 255 ("0xn3" is 371).
static std::optional<int> listedKey(const QByteArray &name, const binds::ConsoleRules &rules)
{
    if (name.size() == 1)
        return static_cast<unsigned char>(name.at(0));
    auto digit = [](char c) { return c >= 'a' ? c - 'a' + 10 : c - '0'; };
    if (name.size() == 4 && name.startsWith("0x"))
        return digit(name.at(2)) * 16 + digit(name.at(3));
    return binds::keyNumber(name, rules);
}

void TestEngine::theModelBindsEveryKeyAsTheEngineDoes_data()
{
    QTest::addColumn<Oracle>("oracle");
    QTest::addColumn<QString>("engine"); // the row of the engine table that models it
    QTest::newRow("Debian's ioquake3") << Oracle::Ioquake3 << "ioquake3-1.36";
    QTest::newRow("Quake3e") << Oracle::Quake3e << "quake3e";
}

void TestEngine::theModelBindsEveryKeyAsTheEngineDoes()
{
    QFETCH(Oracle, oracle);
    QFETCH(QString, engine);
    REQUIRE_PROGRAM(oracleProgram(oracle));
    const binds::Engine &row = binds::engineNamed(engine);
    const qint64 limit = row.rules.fileLimit;
    // A dedicated Quake3e runs the server's config, not the client's (qcommon/qcommon.h:710-715).
    const QString configName =
        oracle == Oracle::Quake3e ? QStringLiteral("q3config_server.cfg") : QStringLiteral("q3config.cfg");
    // A file the others exec, from the game folder: the first of its name on the search path.
    const QByteArray other = "bind f12 \"say other\"\r\nunbind f1\r\nbind mouse2 +zoom\r\n";
    QTemporaryDir searched;
    QFile otherFile(searched.filePath(QStringLiteral("bwother.cfg")));
    QVERIFY(otherFile.open(QIODevice::WriteOnly) && otherFile.write(other) == other.size());
    otherFile.close();
    QRandomGenerator random(24); // the same corpus in every run
    int pairs = 0, keys = 0, overLimit = 0, atLimit = 0;
    for (int pair = 0; pair < 40; ++pair) {
        const QByteArray config = "unbindall\r\n" + hostileFile(random, 6);
        QByteArray autoexec = hostileFile(random, 12);
        if (pair % 10 == 3) {
            autoexec.insert(autoexec.size() / 2, '\0'); // the rest is not read
        } else if (pair % 10 == 5) {
            // The largest file that runs; what it execs first finds no room beside it.
            autoexec.prepend("exec bwother\r\n");
            autoexec += QByteArray(limit - autoexec.size(), '\n');
            ++atLimit;
        } else if (pair % 10 == 7) {
            autoexec += QByteArray(limit + 1 - autoexec.size(), '\n'); // runs not at all
            ++overLimit;
        } else if (pair % 10 == 9) {
            // Only the bytes before a NUL count: a file far past the limit still runs.
            autoexec += QByteArray(1, '\0') + QByteArray(limit + 5000, 'x');
        }
        QString failure;
        const QByteArray console = Engine(oracleProgram(oracle), oracle)
                                       .run({{QStringLiteral("default.cfg"), "set bw 1\r\n"},
                                             {configName, config},
                                             {QStringLiteral("bwother.cfg"), other},
                                             {QStringLiteral("autoexec.cfg"), autoexec}},
                                            {"+echo", "BWLIST", "+bindlist"}, &failure);
        QVERIFY2(failure.isEmpty(), qPrintable(failure));
        QHash<int, QByteArray> listed;
        bool inList = false;
        for (const QByteArray &line : console.split('\n')) {
            inList = inList || line == "BWLIST";
            const qsizetype quote = line.indexOf(" \"");
            if (!inList || quote <= 0 || !line.endsWith('"'))
                continue;
            const std::optional<int> key = listedKey(line.left(quote), row.rules);
            QVERIFY2(key, line.constData());
            listed.insert(*key, line.mid(quote + 2, line.size() - quote - 3));
        }
        const binds::StartRun run = binds::StartRun::of(
            {{QStringLiteral("q3config.cfg"), config, true, {}}, {QStringLiteral("autoexec.cfg"), autoexec, true, {}}},
            {&row}, {searched.path()});
        QHash<int, QByteArray> model = run.bindings(0);
        model.removeIf([](const auto &binding) { return binding.value().isEmpty(); }); // bindlist skips empty ones
        if (oracle == Oracle::Quake3e) {
            // Its console prints only printable ASCII, tabs and line ends (unix_main.c printableChar).
            for (QByteArray &binding : model)
                binding.removeIf([](char c) { return (c < ' ' || c > '~') && c != '\t' && c != '\n' && c != '\r'; });
        }
        if (model != listed) {
            for (auto it = listed.cbegin(); it != listed.cend(); ++it) {
                QVERIFY2(
                    model.value(it.key()) == it.value(),
                    qPrintable(QStringLiteral(
                                   "pair %1, key %2: the engine runs [%3], the model [%4]\nconfig:\n%5\nautoexec:\n%6")
                                   .arg(pair)
                                   .arg(binds::keyNameOf(it.key()), QString::fromLatin1(it.value()),
                                        QString::fromLatin1(model.value(it.key())), QString::fromLatin1(config),
                                        QString::fromLatin1(autoexec.left(3000)))));
            }
            QStringList extra;
            for (auto it = model.cbegin(); it != model.cend(); ++it) {
                if (!listed.contains(it.key()))
                    extra << binds::keyNameOf(it.key()) + QStringLiteral(" [") + QString::fromLatin1(it.value()) + u']';
            }
            QFAIL(qPrintable(
                QStringLiteral("pair %1: the model binds keys the engine does not: %2\nconfig:\n%3\nautoexec:\n%4")
                    .arg(pair)
                    .arg(extra.join(QStringLiteral(", ")), QString::fromLatin1(config),
                         QString::fromLatin1(autoexec.left(3000)))));
        }
        ++pairs;
        keys += int(listed.size());
    }
    qInfo(
        "%d (game config, autoexec.cfg) pairs, %d of them at the engine's limit of %lld bytes and %d over it: %d bound "
        "keys, each as the engine binds it",
        pairs, atLimit, limit, overLimit, keys);
    QVERIFY(keys > 150);
}

void TestEngine::theHomeTheProgramNamesIsTheOneTheEngineReads_data()
{
    // Below the home folder: folders, "FOLDER=TEXT" for an autoexec.cfg there that echoes TEXT,
    // and the file the engine leaves when the player refused its move.
    QTest::addColumn<QStringList>("made");
    QTest::addColumn<QString>("install"); // what the install folder's autoexec.cfg echoes; empty: none
    QTest::addColumn<bool>("typedHome");  // the root typed is ~/.q3a, else the install folder
    QTest::addColumn<Oracle>("server");   // the current ioquake3's server, or Quake3e's
    const QString old = QStringLiteral(".q3a/bw"), current = QStringLiteral(".config/Quake3/bw");
    QTest::newRow("both homes") << QStringList {old + "=old", current + "=new"} << "" << true << Oracle::Ioquake3;
    QTest::newRow("only the old home, which the engine moves")
        << QStringList {old + "=old"} << "" << true << Oracle::Ioquake3;
    QTest::newRow("the new home without an autoexec.cfg")
        << QStringList {old + "=old", current} << "" << true << Oracle::Ioquake3;
    QTest::newRow("the move refused") << QStringList {old + "=old", ".q3a/.xdgMigrationRefused="} << "" << true
                                      << Oracle::Ioquake3;
    QTest::newRow("only the new home") << QStringList {current + "=new"} << "" << true << Oracle::Ioquake3;
    QTest::newRow("the new home's file hides the install folder's")
        << QStringList {current + "=new"} << "install" << false << Oracle::Ioquake3;
    QTest::newRow("the install folder's file") << QStringList {current} << "install" << false << Oracle::Ioquake3;
    QTest::newRow("Quake3e: both homes") << QStringList {old + "=old", current + "=new"} << "" << true
                                         << Oracle::Quake3e;
    QTest::newRow("Quake3e: only the new home") << QStringList {current + "=new"} << "" << true << Oracle::Quake3e;
    QTest::newRow("Quake3e: ~/.q3a's file hides the install folder's")
        << QStringList {old + "=old", current + "=new"} << "install" << false << Oracle::Quake3e;
    QTest::newRow("Quake3e: the install folder's file")
        << QStringList {old, current + "=new"} << "install" << false << Oracle::Quake3e;
}

// The current ioquake3 and Quake3e (their dedicated servers, built from the source beside
// the tests) run the autoexec.cfg of the home they read: it is the one the program names.
void TestEngine::theHomeTheProgramNamesIsTheOneTheEngineReads()
{
    QFETCH(QStringList, made);
    QFETCH(QString, install);
    QFETCH(bool, typedHome);
    QFETCH(Oracle, server);
    const QString program = server == Oracle::Quake3e ? oracleProgram(server) : QStringLiteral(BINDWRIGHT_IOQ3DED);
    REQUIRE_PROGRAM(program);
    QTemporaryDir home, base;
    for (const QString &entry : made) {
        const QString name = entry.section(u'=', 0, 0);
        const bool marker = name.endsWith(QLatin1String("Refused")); // a file, not a folder
        QVERIFY(QDir().mkpath(marker ? QFileInfo(home.filePath(name)).absolutePath() : home.filePath(name)));
        if (!entry.contains(u'='))
            continue;
        QFile out(marker ? home.filePath(name) : home.filePath(name + QStringLiteral("/autoexec.cfg")));
        QVERIFY(out.open(QIODevice::WriteOnly));
        if (!marker)
            out.write("echo BWHOME " + entry.section(u'=', 1).toUtf8() + "\r\n");
    }
    QVERIFY(QDir().mkpath(base.filePath(QStringLiteral("bw"))));
    QFile defaults(base.filePath(QStringLiteral("bw/default.cfg")));
    QVERIFY(defaults.open(QIODevice::WriteOnly) && defaults.write("set bw 1\r\n") > 0);
    defaults.close();
    if (!install.isEmpty()) {
        QFile installed(base.filePath(QStringLiteral("bw/autoexec.cfg")));
        QVERIFY(installed.open(QIODevice::WriteOnly)
                && installed.write("echo BWHOME " + install.toUtf8() + "\r\n") > 0);
    }

    binds::Engine row = server == Oracle::Quake3e ? binds::engineNamed(u"quake3e") : binds::ioquake3();
    row.baseFolder = QStringLiteral("bw"); // a game of its own: the server needs no game data
    host::Host host = testHost();
    host.home = home.path();
    host.configHome = home.path() + QStringLiteral("/.config");
    const QString typed = typedHome ? home.path() + QStringLiteral("/.q3a/") : base.path() + u'/';
    const QList<binds::StartFolders> starts = binds::startFolders({&row}, typed, {}, row.game(), host);
    QVERIFY(starts.size() == 1);
    const QString named = starts.first().autoexec.isEmpty() ? *binds::autoexecPath(starts.first().writeFolder, host)
                                                            : starts.first().autoexec;
    QFile namedFile(named);
    const QByteArray expected = namedFile.open(QIODevice::ReadOnly) ? namedFile.readAll().trimmed() : QByteArray();

    QProcess engine;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("HOME"), home.path());
    for (const char *variable : {"XDG_CONFIG_HOME", "XDG_DATA_HOME", "XDG_STATE_HOME"})
        env.remove(QString::fromLatin1(variable));
    engine.setProcessEnvironment(env);
    engine.setProcessChannelMode(QProcess::MergedChannels);
    const QStringList start = server == Oracle::Quake3e
        ? QStringList {"+set", "fs_basegame", "bw"}
        : QStringList {"+set", "dedicated", "1", "+set", "com_basegame", "bw"};
    engine.start(program,
                 start + QStringList {"+set", "net_enabled", "0", "+set", "fs_basepath", base.path(), "+quit"});
    QVERIFY2(engine.waitForFinished(30000), "the server did not finish");
    QByteArray ran;
    for (const QByteArray &line : engine.readAll().split('\n')) {
        if (line.startsWith("BWHOME "))
            ran = "echo " + line.trimmed();
    }
    QVERIFY2(ran == expected,
             qPrintable(QStringLiteral("the program names %1 (\"%2\"); the engine ran \"%3\"")
                            .arg(named, QString::fromUtf8(expected), QString::fromUtf8(ran))));
}

void TestEngine::aFileLessSomeBinds_runsAllElseAsBefore_data()
{
    QTest::addColumn<QByteArray>("file");
    QTest::addColumn<QByteArray>("removedKey");
    QTest::addColumn<bool>("removable"); // false: the program says why and leaves the line
    const QByteArray keep = "echo BWKEEP\r\n";
    QTest::newRow("comments and echoes") << "// mine\r\nbind f1 \"say a\"\r\nbind f2 \"say b\"\r\n" + keep
                                         << QByteArray("f1") << true;
    QTest::newRow("no final line end") << QByteArray("bind f1 x\r\nbind f2 y") << QByteArray("f2") << true;
    QTest::newRow("CR-only lines") << "bind f1 x\rbind f2 y\r" + keep << QByteArray("f1") << true;
    QTest::newRow("LF-only lines") << "bind f1 x\nbind f2 y\n" + keep << QByteArray("f2") << true;
    QTest::newRow("a /* */ block") << "/* old\r\nbind f4 z\r\n*/\r\nbind f1 x\r\n" + keep << QByteArray("f1") << true;
    QTest::newRow("commands chained") << QByteArray("unbindall; bind f1 x; bind f2 y; echo BWKEEP\r\n")
                                      << QByteArray("f1") << true;
    QTest::newRow("bound twice") << QByteArray("bind f1 a\r\nbind f1 b\r\nbind f2 c\r\n") << QByteArray("f1") << true;
    QTest::newRow("a NUL hides the rest") << QByteArray("bind f1 x\r\n\0bind f2 y\r\n", 22) << QByteArray("f1") << true;
    QTest::newRow("a line past 1023 bytes") << "echo " + QByteArray(1100, 'x') + "\r\nbind f1 x\r\nbind f2 y\r\n"
                                            << QByteArray("f1") << true;
    const QByteArray tail = "bind f1 x\r\nbind f2 y\r\n" + keep;
    QTest::newRow("at the original games' limit")
        << QByteArray(binds::quake3Arena132().rules.fileLimit - tail.size(), '\n') + tail << QByteArray("f2") << true;
    QTest::newRow("a ; in a // comment") << "bind f1 x // y; bind f12 z\r\n" + keep << QByteArray("f1") << false;
    QTest::newRow("before an unclosed /*") << "bind f1 x; /* y\r\nbind f2 z\r\n" + keep << QByteArray("f1") << true;
    QTest::newRow("a bind line past 1023 bytes")
        << "bind f1 \"" + QByteArray(1100, 'x') + "\"\r\nbind f2 y\r\n" + keep << QByteArray("f1") << true;
    QTest::newRow("a bind past 1023 bytes, its tail a command")
        << "bind f1 \"" + QByteArray(1014, 'x') + "ab;echo BWTAIL\"\r\n" + keep << QByteArray("f1") << true;
    QTest::newRow("a key by its number") << "bind 0x61 y\r\nbind b z\r\n" + keep << QByteArray("0x61") << true;
    QTest::newRow("an empty bind") << "bind f1 \"\"\r\nbind f2 x\r\n" + keep << QByteArray("f2") << true;
}

void TestEngine::aFileLessSomeBinds_runsAllElseAsBefore()
{
    QFETCH(QByteArray, file);
    QFETCH(QByteArray, removedKey);
    QFETCH(bool, removable);
    // As the two families of engines with the tail of a long line run read it; Quake3e, which
    // drops that tail, would refuse both rows of a bind past 1023 bytes.
    const binds::StartRun read = binds::StartRun::of({{QStringLiteral("bwfile.cfg"), file, true, {}}},
                                                     enginesNamed(QStringLiteral("ioquake3,quake3-1.32")));
    QList<binds::StartBind> removed;
    for (const binds::StartBind &bind : read.bindsIn(0)) {
        if (bind.shown().key == removedKey)
            removed << bind;
    }
    QVERIFY(!removed.isEmpty());
    QString refusal;
    const std::optional<QByteArray> rewritten = binds::withoutBinds(file, removed, read.engines(), &refusal);
    QCOMPARE(rewritten.has_value(), removable);
    if (!rewritten) {
        QVERIFY2(refusal.contains(QLatin1String("line 1")), qPrintable(refusal));
        return;
    }

    // The engine runs the file from its own exec, then lists its binds, before and after.
    const QByteArray autoexec = "echo BWLINE 0\r\nexec bwfile.cfg\r\n// */\r\necho BWLINE 1\r\nbindlist\r\n";
    const Engine engine(m_program);
    QString failure;
    const QMap<int, Reading> before = engine.read(autoexec, &failure, {{QStringLiteral("bwfile.cfg"), file}});
    QVERIFY2(failure.isEmpty(), qPrintable(failure));
    const QMap<int, Reading> after = engine.read(autoexec, &failure, {{QStringLiteral("bwfile.cfg"), *rewritten}});
    QVERIFY2(failure.isEmpty(), qPrintable(failure));
    const QByteArray listed = removedKey.size() == 4 && removedKey.startsWith("0x")
        ? QByteArray(1, char(removedKey.mid(2).toInt(nullptr, 16)))
        : removedKey;
    QVERIFY2(before.value(1).binds.contains(listed), "the engine never bound the key: the test shows nothing");
    QCOMPARE(after.value(0).console, before.value(0).console); // all else ran as before
    Binds expected = before.value(1).binds;
    expected.remove(listed);
    QCOMPARE(after.value(1).binds, expected);
}

QTEST_GUILESS_MAIN(TestEngine)
#include "tst_engine.moc"
