#include "testengines.h"
#include "testhost.h"

#include "binds/add/addplan.h"
#include "binds/add/quake3.h"
#include "binds/add/rtcw.h"
#include "binds/add/status.h"
#include "binds/files/keyactions.h"
#include "binds/folders/whatruns.h"
#include "host/textencoding.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QTest>

using namespace binds;
using host::Style;

namespace {

// Assemblies on a host of each style; the folders named here do not exist.
host::Host hostOf(Style style)
{
    return {style, QStringLiteral("/nonexistent-wine-prefix"), QStringLiteral("/home/you")};
}

} // namespace

class TestAssembly : public QObject
{
    Q_OBJECT

private slots:
    void quake3_target_data();
    void quake3_target();
    void quake3_chatPrefix_data();
    void quake3_chatPrefix();
    void chatRefusal_data();
    void chatRefusal();
    void chatAsReceived_data();
    void chatAsReceived();
    void quake3_emptyRoot_isRefused();
    void customMod_normalised_data();
    void customMod_normalised();

    void rtcw_rootGainsSeparator_andTargetsMain();
    void rtcw_command_data();
    void rtcw_command();
    void rtcw_emptyRoot_isRefusedAndLeftEmpty();
    void relativeRoots_areRefusedInBothPanels_data();
    void relativeRoots_areRefusedInBothPanels();
    void rtcw_voicePlaceholder_isRefused();
    void rtcw_voiceList_inOrder();

    void keyNow_data();
    void keyNow();
    void addPlan_refusesThenAsksThenWrites_data();
    void addPlan_refusesThenAsksThenWrites();
    void addPlan_missingFolderSaysWhatToDo_data();
    void addPlan_missingFolderSaysWhatToDo();

    void status_quake3_data();
    void status_quake3();
};

void TestAssembly::quake3_target_data()
{
    QTest::addColumn<Style>("style");
    QTest::addColumn<QString>("root");
    QTest::addColumn<int>("mod");
    QTest::addColumn<QString>("custom");
    QTest::addColumn<QString>("gameFolder");

    const int none = int(Quake3Mod::None), base = int(Quake3Mod::Baseq3), osp = int(Quake3Mod::Osp),
              custom = int(Quake3Mod::Custom);
    QTest::newRow("baseq3") << Style::Windows << "C:\\Q3\\" << base << "other"
                            << "C:\\Q3\\baseq3\\";
    QTest::newRow("osp") << Style::Windows << "C:\\Q3\\" << osp << "other"
                         << "C:\\Q3\\osp\\";
    QTest::newRow("custom, normalised") << Style::Windows << "C:\\Q3\\" << custom << "cpma\\"
                                        << "C:\\Q3\\cpma\\";
    QTest::newRow("custom, never left the box") << Style::Windows << "C:\\Q3\\" << custom << "mymod"
                                                << "C:\\Q3\\mymod\\";
    QTest::newRow("custom, empty: refused") << Style::Windows << "C:\\Q3\\" << custom << ""
                                            << "";
    QTest::newRow("custom, blanks: refused") << Style::Windows << "C:\\Q3\\" << custom << "  "
                                             << "";
    QTest::newRow("custom, a separator only: refused") << Style::Posix << "/q3/" << custom << "/"
                                                       << "";
    QTest::newRow("no mod chosen") << Style::Windows << "C:\\Q3\\" << none << "other"
                                   << "C:\\Q3\\";
    QTest::newRow("root without separator") << Style::Windows << "C:\\Quake3" << base << ""
                                            << "C:\\Quake3\\baseq3\\";
    QTest::newRow("posix root") << Style::Posix << "/home/p/.q3a" << base << ""
                                << "/home/p/.q3a/baseq3/";
    QTest::newRow("posix, windows-style root") << Style::Posix << "C:\\Q3" << osp << ""
                                               << "C:\\Q3\\osp\\";
    QTest::newRow("posix custom") << Style::Posix << "/q3/" << custom << "defrag"
                                  << "/q3/defrag/";
}

void TestAssembly::quake3_target()
{
    QFETCH(Style, style);
    QFETCH(QString, root);
    QFETCH(int, mod);
    QFETCH(QString, custom);
    QFETCH(QString, gameFolder);
    Quake3Fields panel {root, custom, QStringLiteral("hi"), QStringLiteral("f1"), Quake3Mod(mod), ChatScope::Team};
    QString error;
    const std::optional<BindRequest> request = quake3Request(panel, hostOf(style), &error);
    if (gameFolder.isEmpty()) {
        QVERIFY(!request);
        QVERIFY2(error.contains(QLatin1String("Type the mod folder's name")), qPrintable(error));
        return;
    }
    QVERIFY2(request, qPrintable(error));
    QCOMPARE(request->gameFolder, gameFolder);
    QCOMPARE(request->key, QStringLiteral("f1"));
}

void TestAssembly::quake3_chatPrefix_data()
{
    QTest::addColumn<int>("scope");
    QTest::addColumn<QString>("text");
    QTest::newRow("team") << int(ChatScope::Team) << "say_team ^1hi";
    QTest::newRow("public") << int(ChatScope::Public) << "say ^1hi";
    QTest::newRow("neither: raw console text") << int(ChatScope::None) << "^1hi";
}

void TestAssembly::quake3_chatPrefix()
{
    QFETCH(int, scope);
    QFETCH(QString, text);
    Quake3Fields panel {"C:\\Q3\\", "other", "^1hi", "f1", Quake3Mod::Osp, ChatScope(scope)};
    QString error;
    QCOMPARE(quake3Request(panel, hostOf(Style::Windows), &error)->text, text);
}

void TestAssembly::chatRefusal_data()
{
    QTest::addColumn<int>("scope");
    QTest::addColumn<QString>("say");
    QTest::addColumn<QString>("refusal"); // what it says; empty: the text is bound
    const int none = int(ChatScope::None), team = int(ChatScope::Team), pub = int(ChatScope::Public);
    QTest::newRow("chat") << pub << "^1gg wp"
                          << "";
    QTest::newRow("single blanks, colours between blanks") << team << "a ^1 ^2 b"
                                                           << "";
    QTest::newRow("a lone /, * and */") << pub << "1/2 * 3 */"
                                        << "";
    QTest::newRow("; in chat") << pub << "gg; quit"
                               << "a ; ends the chat and runs the rest as a console command";
    QTest::newRow("; in team chat, at the end") << team << "gg;"
                                                << "receive only \"gg\"";
    QTest::newRow("//") << pub << "visit http://example.org"
                        << "receive only \"visit http:\"";
    QTest::newRow("/* */") << team << "a /* b */ c"
                           << "start of a comment";
    QTest::newRow("run of blanks") << pub << "gg   wp"
                                   << "receive \"gg wp\"";
    QTest::newRow("tab") << pub << "gg\twp"
                         << "receive \"gg wp\"";
    QTest::newRow("leading blank") << team << " gg"
                                   << "receive \"gg\"";
    QTest::newRow("trailing blank") << team << "gg "
                                    << "drops blanks at the start and the end";
    QTest::newRow("empty chat") << pub << ""
                                << "Type the text to say first";
    QTest::newRow("blank chat") << team << "  "
                                << "Type the text to say first";
    QTest::newRow("raw: ; chains on purpose") << none << "say a; vsay Hi"
                                              << "";
    QTest::newRow("raw: blanks as typed") << none << "say  a "
                                          << "";
    QTest::newRow("raw: empty") << none << ""
                                << "or a console command";
    QTest::newRow("raw: a tab only") << none << "\t"
                                     << "or a console command";
    QTest::newRow("raw: a comment only") << none << "/* x */ // y"
                                         << "or a console command";
}

void TestAssembly::chatRefusal()
{
    QFETCH(int, scope);
    QFETCH(QString, say);
    QFETCH(QString, refusal);
    QString refused;
    QCOMPARE(binds::sendsAsTyped(ChatScope(scope), say, &refused), refusal.isEmpty());
    QVERIFY2(refused.contains(refusal), qPrintable(refused));
    // The two panels refuse alike.
    Quake3Fields quake3 {"C:\\Q3\\", "other", say, "f1", Quake3Mod::Osp, ChatScope(scope)};
    QString error;
    QCOMPARE(quake3Request(quake3, hostOf(Style::Windows), &error).has_value(), refusal.isEmpty());
    if (ChatScope(scope) != ChatScope::None) {
        const RtcwFields rtcw {"C:\\RTCW\\", "f1", "", say, RtcwKind::Say, ChatScope(scope)};
        QString rtcwError;
        QCOMPARE(rtcwRequest(rtcw, hostOf(Style::Windows), &rtcwError).has_value(), refusal.isEmpty());
        QCOMPARE(rtcwError, refused);
    }
}

void TestAssembly::chatAsReceived_data()
{
    QTest::addColumn<QString>("say");
    QTest::addColumn<QString>("received");
    QTest::addColumn<bool>("cut");
    QTest::addColumn<bool>("dotted");
    QTest::newRow("as typed") << "^1gg"
                              << "^1gg" << false << false;
    QTest::newRow("149 bytes") << QString(149, u'a') << QString(149, u'a') << false << false;
    QTest::newRow("150 bytes") << QString(150, u'a') << QString(149, u'a') << true << false;
    QTest::newRow("149 bytes once blanks merge") << "  " + QString(149, u'a') << QString(149, u'a') << false << false;
    QTest::newRow("percent") << "100%"
                             << "100." << false << true;
    // ioquake3 and Quake3e cut a pressed binding at every ";", quotes unseen (CL_ParseBinding).
    QTest::newRow("a ; in quotes still cuts") << "\"a;b\""
                                              << "a" << false << false;
    const QString accented = QStringLiteral("é");
    const QString dots(host::toFileEncoding(accented).value_or(QByteArray()).size(), u'.');
    QTest::newRow("beyond ASCII, a dot a byte") << accented << dots << false << true;
    QTest::newRow("dots are no blanks") << "a " + accented + " b"
                                        << "a " + dots + " b" << false << true;
    QTest::newRow("runs of blanks and tabs") << " gg \t  wp "
                                             << "gg wp" << false << false;
    QTest::newRow("// ends it") << "visit http://example.org"
                                << "visit http:" << false << false;
    QTest::newRow("/* */ ends the command after */") << "a /* b */ c"
                                                     << "a" << false << false;
    QTest::newRow("/* unclosed") << "a /* b"
                                 << "a" << false << false;
    QTest::newRow("; ends it") << "gg; quit"
                               << "gg" << false << false;
    QTest::newRow("// hides a ;") << "a // b; c"
                                  << "a" << false << false;
}

void TestAssembly::chatAsReceived()
{
    QFETCH(QString, say);
    QFETCH(QString, received);
    QFETCH(bool, cut);
    QFETCH(bool, dotted);
    const ChatReceived result = binds::chatAsReceived(say);
    QCOMPARE(result.text, received);
    QCOMPARE(result.cut, cut);
    QCOMPARE(result.dotted, dotted);
}

void TestAssembly::quake3_emptyRoot_isRefused()
{
    for (const QString &root : {QString(), QStringLiteral("  ")}) {
        Quake3Fields panel {root, "other", "hi", "f1", Quake3Mod::Osp, ChatScope::None};
        QString error;
        QVERIFY(!quake3Request(panel, hostOf(Style::Windows), &error));
        QVERIFY2(error.contains(QLatin1String("Quake 3 folder")), qPrintable(error));
    }
}

void TestAssembly::customMod_normalised_data()
{
    QTest::addColumn<Style>("style");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("normalised");
    QTest::newRow("start text") << Style::Windows << "other"
                                << "other\\";
    QTest::newRow("already there") << Style::Windows << "other\\"
                                   << "other\\";
    QTest::newRow("empty stays empty") << Style::Windows << ""
                                       << "";
    QTest::newRow("posix, no separator yet") << Style::Posix << "other"
                                             << "other/";
    QTest::newRow("posix, backslash counts") << Style::Posix << "other\\"
                                             << "other\\";
    QTest::newRow("posix, nested keeps its style") << Style::Posix << "a\\b"
                                                   << "a\\b\\";
}

void TestAssembly::customMod_normalised()
{
    QFETCH(Style, style);
    QFETCH(QString, typed);
    QFETCH(QString, normalised);
    QCOMPARE(normalisedCustomMod(typed, style), normalised);
    QCOMPARE(normalisedCustomMod(normalised, style), normalised);
}

void TestAssembly::rtcw_rootGainsSeparator_andTargetsMain()
{
    const QString root = QStringLiteral("C:\\Program Files\\Return to Castle Wolfenstein");
    RtcwFields panel {root, "mouse3", "vsay_team Medic", "", RtcwKind::Voice, ChatScope::None};
    const QString shown = rtcwRootShown(root, Style::Windows);
    QCOMPARE(shown, root + u'\\');
    QCOMPARE(rtcwRootShown(shown, Style::Windows), shown); // a second "Add" never doubles the separator
    QString error;
    const std::optional<BindRequest> request = rtcwRequest(panel, hostOf(Style::Windows), &error);
    QVERIFY2(request, qPrintable(error));
    QCOMPARE(request->gameFolder, root + QStringLiteral("\\main\\"));
    QCOMPARE(request->text, QStringLiteral("vsay_team Medic"));

    panel.root = QStringLiteral("/home/p/rtcw");
    QCOMPARE(rtcwRequest(panel, hostOf(Style::Posix), &error)->gameFolder, QStringLiteral("/home/p/rtcw/main/"));
}

void TestAssembly::rtcw_command_data()
{
    QTest::addColumn<int>("kind");
    QTest::addColumn<int>("scope");
    QTest::addColumn<QString>("voice");
    QTest::addColumn<QString>("text"); // or, for a refusal, what it says
    const int voice = int(RtcwKind::Voice), say = int(RtcwKind::Say), none = int(RtcwKind::None);
    const int team = int(ChatScope::Team), pub = int(ChatScope::Public), noScope = int(ChatScope::None);
    QTest::newRow("voice wins over scope") << voice << team << "vsay Hi"
                                           << "vsay Hi";
    QTest::newRow("typed voice, as typed") << voice << noScope << "vsay_team Custom"
                                           << "vsay_team Custom";
    QTest::newRow("team chat") << say << team << "vsay Hi"
                               << "say_team ^1go";
    QTest::newRow("public chat") << say << pub << "vsay Hi"
                                 << "say ^1go";
    QTest::newRow("say without scope: refused") << say << noScope << "vsay Hi"
                                                << "Choose Team Talk or Public";
    QTest::newRow("nothing chosen: refused") << none << pub << "vsay Hi"
                                             << "Choose what the key sends";
    QTest::newRow("voice box emptied: refused") << voice << noScope << " "
                                                << "Pick a voice command";
    QTest::newRow("typed voice keeps its ;") << voice << noScope << "vsay Hi; vsay Bye"
                                             << "vsay Hi; vsay Bye";
}

void TestAssembly::rtcw_command()
{
    QFETCH(int, kind);
    QFETCH(int, scope);
    QFETCH(QString, voice);
    QFETCH(QString, text);
    RtcwFields panel {"C:\\RTCW\\", "f1", voice, "^1go", RtcwKind(kind), ChatScope(scope)};
    QString error;
    const std::optional<BindRequest> request = rtcwRequest(panel, hostOf(Style::Windows), &error);
    if (!request) {
        QVERIFY2(error.startsWith(text), qPrintable(error));
        return;
    }
    QCOMPARE(request->text, text);
}

void TestAssembly::rtcw_emptyRoot_isRefusedAndLeftEmpty()
{
    RtcwFields panel {"", "f1", "vsay Hi", "", RtcwKind::Voice, ChatScope::None};
    QString error;
    QVERIFY(!rtcwRequest(panel, hostOf(Style::Windows), &error));
    QCOMPARE(rtcwRootShown(panel.root, Style::Windows), QString());
    QVERIFY2(error.contains(QLatin1String("RTCW folder")), qPrintable(error));
}

void TestAssembly::rtcw_voicePlaceholder_isRefused()
{
    RtcwFields panel {"C:\\RTCW", "f1", voicePlaceholder.toString(), "", RtcwKind::Voice, ChatScope::None};
    QString error;
    QVERIFY(!rtcwRequest(panel, hostOf(Style::Windows), &error));
    QCOMPARE(rtcwRootShown(panel.root, Style::Windows), QStringLiteral("C:\\RTCW\\"));
    QVERIFY2(error.contains(QLatin1String("voice command")), qPrintable(error));

    panel.kind = RtcwKind::Say; // the placeholder only matters when the voice is bound
    panel.scope = ChatScope::Team;
    panel.say = QStringLiteral("go");
    QVERIFY2(rtcwRequest(panel, hostOf(Style::Windows), &error), qPrintable(error));
}

void TestAssembly::rtcw_voiceList_inOrder()
{
    const QStringList &list = voiceCommands();
    QCOMPARE(list.size(), 35);
    QCOMPARE(list.first(), QStringLiteral("vsay GoodGame"));
    QCOMPARE(list.at(6), QStringLiteral("vsay Oops"));
    QCOMPARE(list.at(7), QStringLiteral("vsay_team FireInTheHole"));
    QCOMPARE(list.at(20), QStringLiteral("vsay_team Medic"));
    QCOMPARE(list.last(), QStringLiteral("vsay_team IamSoldier"));
    for (int i = 0; i < list.size(); ++i)
        QVERIFY(list.at(i).startsWith(i < 7 ? QLatin1String("vsay ") : QLatin1String("vsay_team ")));
    QVERIFY(!list.contains(voicePlaceholder.toString()));
}

void TestAssembly::keyNow_data()
{
    QTest::addColumn<QByteArray>("config");      // baseq3/q3config.cfg; empty: none
    QTest::addColumn<QByteArray>("autoexec");    // baseq3/autoexec.cfg
    QTest::addColumn<QByteArray>("ospAutoexec"); // osp/autoexec.cfg
    QTest::addColumn<QString>("mod");
    QTest::addColumn<QString>("key");
    QTest::addColumn<QString>("now");      // empty: nothing is shown
    QTest::addColumn<QByteArray>("other"); // baseq3/other.cfg, which a file may exec
    const QByteArray menus =
        "unbindall\r\nbind SPACE \"+moveup\"\r\nbind MOUSE1 \"+attack\"\r\nbind t \"messagemode\"\r\n"
        "bind f1 \"+attack\"\r\nbind f3 \"vsay_team Medic\"\r\n";
    QTest::newRow("jump") << menus << QByteArray() << QByteArray() << ""
                          << "space"
                          << "space: jump (+moveup)" << QByteArray();
    QTest::newRow("fire") << menus << QByteArray() << QByteArray() << ""
                          << "mouse1"
                          << "mouse1: fire (+attack)" << QByteArray();
    QTest::newRow("chat") << menus << QByteArray() << QByteArray() << ""
                          << "t"
                          << "t: open chat (messagemode)" << QByteArray();
    QTest::newRow("voice") << menus << QByteArray() << QByteArray() << ""
                           << "f3"
                           << "f3: team voice Medic" << QByteArray();
    QTest::newRow("autoexec.cfg runs after the menus' binds")
        << menus << QByteArray("bind f1 \"say gg   wp\"\r\n") << QByteArray() << ""
        << "f1"
        << "f1: says \"gg wp\"" << QByteArray();
    QTest::newRow("the mod's autoexec.cfg hides the base one")
        << menus << QByteArray("bind f2 \"say base\"") << QByteArray("bind f2 \"say osp\"") << "osp"
        << "f2"
        << "f2: says \"osp\"" << QByteArray();
    QTest::newRow("without the mod, the base one")
        << menus << QByteArray("bind f2 \"say base\"") << QByteArray("bind f2 \"say osp\"") << ""
        << "f2"
        << "f2: says \"base\"" << QByteArray();
    QTest::newRow("unbindall in autoexec.cfg") << menus << QByteArray("unbindall\r\n") << QByteArray() << ""
                                               << "space"
                                               << "space: nothing yet" << QByteArray();
    QTest::newRow("nothing bound") << menus << QByteArray() << QByteArray() << ""
                                   << "f9"
                                   << "f9: nothing yet" << QByteArray();
    QTest::newRow("no config found") << QByteArray() << QByteArray() << QByteArray() << ""
                                     << "space"
                                     << "" << QByteArray();
    QTest::newRow("a ; chains two commands")
        << menus << QByteArray("bind k \"say ^2Adieu Monde Cruel :); kill\"") << QByteArray() << ""
        << "k"
        << "k: says \"Adieu Monde Cruel :)\", then kill yourself (kill)" << QByteArray();
    QTest::newRow("two chats") << menus << QByteArray("bind k \"say ^1red; say ^2green\"") << QByteArray() << ""
                               << "k"
                               << "k: says \"red\", then says \"green\"" << QByteArray();
    QTest::newRow("unbindall at the top of autoexec.cfg")
        << menus << QByteArray("unbindall\r\nbind f2 x\r\n") << QByteArray() << ""
        << "mouse1"
        << "mouse1: nothing yet" << QByteArray();
    QTest::newRow("an empty bind frees the key") << menus << QByteArray("bind space \"\"\r\n") << QByteArray() << ""
                                                 << "space"
                                                 << "space: nothing yet" << QByteArray();
    QTest::newRow("over every game's limit") << menus << QByteArray(131072, '\n') + "bind f1 x\r\n"
                                             << QByteArray() << ""
                                             << "f1"
                                             << "f1: fire (+attack)" << QByteArray();
    QTest::newRow("over the original games' limit")
        << menus << QByteArray(16384, '\n') + "bind f1 x\r\n"
        << QByteArray() << ""
        << "f1"
        << "f1: x in ioquake3; fire (+attack) in Quake III Arena 1.32" << QByteArray();
    QTest::newRow("inside /* */, for ioquake3")
        << menus << QByteArray("/*\r\nbind f9 x\r\n*/\r\n") << QByteArray() << ""
        << "f9"
        << "f9: nothing yet in ioquake3; x in Quake III Arena 1.32" << QByteArray();
    QTest::newRow("Latin-1 bytes kept") << menus
                                        << QByteArray("bind f1 \"say ^1Salut \xe9 \xe7"
                                                      "a va\"")
                                        << QByteArray() << ""
                                        << "f1" << QString::fromUtf8("f1: says \"Salut \u00e9 \u00e7a va\"")
                                        << QByteArray();
    QTest::newRow("a key by its number") << menus << QByteArray("bind 0x09 x\r\n") << QByteArray() << ""
                                         << "TAB"
                                         << "TAB: x" << QByteArray();
    QTest::newRow("unbind of two keys does nothing") << menus << QByteArray("unbind space f1\r\n") << QByteArray() << ""
                                                     << "space"
                                                     << "space: jump (+moveup)" << QByteArray();
    QTest::newRow("the mod's own config") << menus << QByteArray() << QByteArray() << "osp"
                                          << "f4"
                                          << "f4: says \"osp config\"" << QByteArray();
    QTest::newRow("a key bound in a file exec'd")
        << menus << QByteArray("exec other\r\n") << QByteArray() << ""
        << "f7"
        << "f7: says \"from other\"" << QByteArray("bind f7 \"say from other\"\r\n");
    QTest::newRow("an exec'd file binds over the config")
        << menus << QByteArray("exec other.cfg\r\n") << QByteArray() << ""
        << "space"
        << "space: says \"from other\"" << QByteArray("bind space \"say from other\"\r\n");
    QTest::newRow("exec inside a comment, for ioquake3")
        << menus << QByteArray("// exec other.cfg; exec other.cfg\r\n") << QByteArray() << ""
        << "f7"
        << "f7: nothing yet in ioquake3; says \"from other\" in Quake III Arena 1.32"
        << QByteArray("bind f7 \"say from other\"\r\n");
}

void TestAssembly::keyNow()
{
    QFETCH(QByteArray, config);
    QFETCH(QByteArray, autoexec);
    QFETCH(QByteArray, ospAutoexec);
    QFETCH(QString, mod);
    QFETCH(QString, key);
    QFETCH(QString, now);
    QFETCH(QByteArray, other);
    QTemporaryDir root;
    QList<std::pair<QString, QByteArray>> files = {{"baseq3/q3config.cfg", config},
                                                   {"baseq3/autoexec.cfg", autoexec},
                                                   {"osp/autoexec.cfg", ospAutoexec},
                                                   {"baseq3/other.cfg", other}};
    if (key == QLatin1String("f4")) // the game writes its config into the mod folder it plays
        files.append({QStringLiteral("osp/q3config.cfg"), QByteArray("unbindall\r\nbind f4 \"say osp config\"\r\n")});
    for (const auto &[name, bytes] : files) {
        if (bytes.isEmpty())
            continue;
        QVERIFY(QDir().mkpath(QFileInfo(root.filePath(name)).absolutePath()));
        QFile file(root.filePath(name));
        QVERIFY(file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size());
    }
    // The two engines whose readings differ most: id's release and ioquake3.
    QList<StartRun> runs;
    for (const StartFolders &start :
         startFolders(enginesNamed(QStringLiteral("ioquake3,quake3-1.32")), withSeparator(root.path()), mod,
                      quake3Game(), withHomeIn(testHost(), root.path()))) {
        QStringList run;
        for (const QString &file : {start.config, start.autoexec}) {
            if (!file.isEmpty())
                run << file;
        }
        runs << StartRun::read(run, start.engines, start.searched);
    }
    QCOMPARE(whatKeyDoes(key, runs), now);
}

void TestAssembly::addPlan_refusesThenAsksThenWrites_data()
{
    QTest::addColumn<QByteArray>("config"); // baseq3/q3config.cfg; null: none
    QTest::addColumn<QByteArray>("base");   // baseq3/autoexec.cfg; null: none
    QTest::addColumn<QByteArray>("target"); // osp/autoexec.cfg when the mod is osp; null: none
    QTest::addColumn<QString>("mod");
    QTest::addColumn<QString>("key");
    QTest::addColumn<ChatScope>("scope");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QList<Answer>>("answers"); // to each question, in turn
    QTest::addColumn<QList<Question>>("asked");
    QTest::addColumn<QString>("said");         // a part of the refusal, or of the questions
    QTest::addColumn<QByteArray>("written");   // the file bound afterwards; null: none
    QTest::addColumn<QByteArray>("other");     // baseq3/other.cfg, which a file may exec; null: none
    QTest::addColumn<QByteArray>("ospConfig"); // osp/q3config.cfg, from earlier OSP games; null: none
    const QByteArray none;
    const QByteArray menus = "unbindall\r\nbind t \"messagemode\"\r\nbind mouse4 \"+button2\"\r\n";
    const QByteArray f1 = "bind f1 \"say gg\"\r\n";
    QTest::newRow("a free key") << menus << none << none << ""
                                << "f1" << ChatScope::Public << "gg" << QList<Answer>() << QList<Question>() << "" << f1
                                << QByteArray() << QByteArray();
    QTest::newRow("capital letter refused before the question")
        << menus << none << none << ""
        << "T" << ChatScope::Public << "gg" << QList<Answer>() << QList<Question>() << "lower case" << none
        << QByteArray() << QByteArray();
    QTest::newRow("double quote refused before the question")
        << menus << none << none << ""
        << "t" << ChatScope::None << "say \"hi\"" << QList<Answer>() << QList<Question>() << "double quote" << none
        << QByteArray() << QByteArray();
    QTest::newRow("the menus' key, yes") << menus << none << none << ""
                                         << "mouse4" << ChatScope::Public << "gg" << QList<Answer> {Answer::Yes}
                                         << QList<Question> {Question::TakeOver} << "use item (+button2)"
                                         << QByteArray("bind mouse4 \"say gg\"\r\n") << QByteArray() << QByteArray();
    QTest::newRow("the menus' key, no") << menus << none << none << ""
                                        << "mouse4" << ChatScope::Public << "gg" << QList<Answer> {Answer::No}
                                        << QList<Question> {Question::TakeOver} << "Replace it?" << none << QByteArray()
                                        << QByteArray();
    QTest::newRow("unbindall in autoexec.cfg frees it")
        << menus << QByteArray("unbindall\r\n") << none << ""
        << "mouse4" << ChatScope::Public << "gg" << QList<Answer>() << QList<Question>() << ""
        << QByteArray("unbindall\r\nbind mouse4 \"say gg\"\r\n") << QByteArray() << QByteArray();
    QTest::newRow("an empty bind is a free key")
        << none << QByteArray("bind f1 \"\"\r\n") << none << ""
        << "f1" << ChatScope::Public << "gg" << QList<Answer>() << QList<Question>() << ""
        << QByteArray("bind f1 \"\"\r\n") + f1 << QByteArray() << QByteArray();
    QTest::newRow("replaced in place") << none << QByteArray("bind f1 x\r\nbind f2 y\r\n") << none << ""
                                       << "f1" << ChatScope::Public << "gg" << QList<Answer> {Answer::Yes}
                                       << QList<Question> {Question::TakeOver} << "already binds it to x"
                                       << f1 + "bind f2 y\r\n"
                                       << QByteArray() << QByteArray();
    QTest::newRow("replaced where the last of its binds stood")
        << none << QByteArray("bind f1 x\r\nbind f2 y\r\nseta a 1; bind f1 z\r\nbind f3 w") << none << ""
        << "f1" << ChatScope::Public << "gg" << QList<Answer> {Answer::Yes} << QList<Question> {Question::TakeOver}
        << "already binds it to z" << QByteArray("bind f2 y\r\nseta a 1; bind f1 \"say gg\"\r\nbind f3 w")
        << QByteArray() << QByteArray();
    QTest::newRow("a chained bind named as its commands")
        << none << QByteArray("bind f1 \"say ^2Adieu; kill\"\r\n") << none << ""
        << "f1" << ChatScope::Public << "gg" << QList<Answer> {Answer::Yes} << QList<Question> {Question::TakeOver}
        << "says \"Adieu\", then kill yourself (kill)" << f1 << QByteArray() << QByteArray();
    QTest::newRow("a key by its number replaced")
        << none << QByteArray("bind 0x61 y\r\nbind b z\r\n") << none << ""
        << "a" << ChatScope::Public << "gg" << QList<Answer> {Answer::Yes} << QList<Question> {Question::TakeOver}
        << "y" << QByteArray("bind a \"say gg\"\r\nbind b z\r\n") << QByteArray() << QByteArray();
    QTest::newRow("a line the engines read otherwise stays")
        << none << QByteArray("bind f1 x // y; bind f12 z\r\n") << none << ""
        << "f1" << ChatScope::Public << "gg" << QList<Answer> {Answer::Yes} << QList<Question> {Question::TakeOver}
        << "x" << QByteArray("bind f1 x // y; bind f12 z\r\n") + f1 << QByteArray() << QByteArray();
    QTest::newRow("a NUL: said, not written after it")
        << none << QByteArray("bind a x\r\n\0\r\n", 12) << none << ""
        << "a" << ChatScope::Public << "gg" << QList<Answer>() << QList<Question>() << "null character on line 2"
        << QByteArray("bind a x\r\n\0\r\n", 12) << QByteArray() << QByteArray();
    QTest::newRow("an unclosed /*: said")
        << none << QByteArray("bind a x\r\n/* old\r\n") << none << ""
        << "f1" << ChatScope::Public << "gg" << QList<Answer>() << QList<Question>() << "on line 2"
        << QByteArray("bind a x\r\n/* old\r\n") << QByteArray() << QByteArray();
    QTest::newRow("chat the server cuts, yes")
        << none << none << none << ""
        << "f1" << ChatScope::Public << QString(160, u'g') << QList<Answer> {Answer::Yes}
        << QList<Question> {Question::ChatChanged} << "first 149 bytes"
        << "bind f1 \"say " + QByteArray(160, 'g') + "\"\r\n"
        << QByteArray() << QByteArray();
    QTest::newRow("chat turned into dots, no")
        << none << none << none << ""
        << "f1" << ChatScope::Public << QString::fromUtf8("caf\u00e9 100%") << QList<Answer> {Answer::No}
        << QList<Question> {Question::ChatChanged} << "receive \"caf." << none << QByteArray() << QByteArray();
    QTest::newRow("a command no game knows, no")
        << none << none << none << ""
        << "f1" << ChatScope::None << "good game" << QList<Answer> {Answer::No}
        << QList<Question> {Question::UnknownCommand} << "Team Talk or Public" << none << QByteArray() << QByteArray();
    QTest::newRow("a command the games know")
        << none << none << none << ""
        << "f1" << ChatScope::None << "kill" << QList<Answer>() << QList<Question>() << ""
        << QByteArray("bind f1 \"kill\"\r\n") << QByteArray() << QByteArray();
    const QByteArray baseLines = "bind f5 \"say base\"\r\nbind f6 x\r\n";
    QTest::newRow("mod's first file: copy, then the key replaced")
        << none << baseLines << none << "osp"
        << "f5" << ChatScope::Public << "gg" << QList<Answer> {Answer::Yes, Answer::Yes}
        << QList<Question> {Question::ModFirstFile, Question::TakeOver} << "Start it with the lines"
        << QByteArray("bind f5 \"say gg\"\r\nbind f6 x\r\n") << QByteArray() << QByteArray();
    QTest::newRow("mod's first file: the bind alone")
        << none << baseLines << none << "osp"
        << "f5" << ChatScope::Public << "gg" << QList<Answer> {Answer::No} << QList<Question> {Question::ModFirstFile}
        << "Start it with the lines" << QByteArray("bind f5 \"say gg\"\r\n") << QByteArray() << QByteArray();
    QTest::newRow("mod's first file: cancel") << none << baseLines << none << "osp"
                                              << "f5" << ChatScope::Public << "gg" << QList<Answer> {Answer::Cancel}
                                              << QList<Question> {Question::ModFirstFile} << "Start it with the lines"
                                              << none << QByteArray() << QByteArray();
    QTest::newRow("a key an exec'd file binds")
        << none << QByteArray("exec other\r\n") << none << ""
        << "f7" << ChatScope::Public << "gg" << QList<Answer> {Answer::Yes} << QList<Question> {Question::TakeOver}
        << "which the game runs by exec" << QByteArray("exec other\r\nbind f7 \"say gg\"\r\n")
        << QByteArray("bind f7 x\r\n") << QByteArray();
    QTest::newRow("a file past id's limit: asked before")
        << none << QByteArray(16370, '\n') << none << ""
        << "f7" << ChatScope::Public << "gg" << QList<Answer> {Answer::No} << QList<Question> {Question::FileSize}
        << "Quake III Arena 1.32 ignores the whole file" << QByteArray(16370, '\n') << none << QByteArray();
    QTest::newRow("a capital key that id's 1.32 reads apart stays")
        << none << QByteArray("bind G x\r\nbind g y\r\n") << none << ""
        << "g" << ChatScope::Public << "gg" << QList<Answer> {Answer::Yes} << QList<Question> {Question::TakeOver}
        << "taken" << QByteArray("bind G x\r\nbind g \"say gg\"\r\n") << none << none;
    QTest::newRow("a missing mod folder: refused before the key's question")
        << menus << none << none << "cpma"
        << "t" << ChatScope::Public << "gg" << QList<Answer>() << QList<Question>() << "does not exist" << none << none
        << none;
    QTest::newRow("a base bind that OSP games clear, yes")
        << none << none << none << ""
        << "f7" << ChatScope::Public << "gg" << QList<Answer> {Answer::Yes} << QList<Question> {Question::ModSwitch}
        << "Quake III Arena 1.32 runs this autoexec.cfg only when the game starts"
        << QByteArray("bind f7 \"say gg\"\r\n") << none << QByteArray("unbindall\r\nbind f1 x\r\n");
    QTest::newRow("a base bind that OSP games clear, no")
        << none << none << none << ""
        << "f7" << ChatScope::Public << "gg" << QList<Answer> {Answer::No} << QList<Question> {Question::ModSwitch}
        << "begins with unbindall" << none << none << QByteArray("unbindall\r\n");
}

void TestAssembly::addPlan_refusesThenAsksThenWrites()
{
    QFETCH(QByteArray, config);
    QFETCH(QByteArray, base);
    QFETCH(QByteArray, target);
    QFETCH(QString, mod);
    QFETCH(QString, key);
    QFETCH(ChatScope, scope);
    QFETCH(QString, text);
    QFETCH(QList<Answer>, answers);
    QFETCH(QList<Question>, asked);
    QFETCH(QString, said);
    QFETCH(QByteArray, written);
    QFETCH(QByteArray, other);
    QFETCH(QByteArray, ospConfig);
    QTemporaryDir root;
    QVERIFY(QDir(root.path()).mkpath(QStringLiteral("baseq3")) && QDir(root.path()).mkpath(QStringLiteral("osp")));
    const QString bound =
        root.filePath(mod.isEmpty() ? QStringLiteral("baseq3/autoexec.cfg") : mod + QStringLiteral("/autoexec.cfg"));
    for (const auto &[name, bytes] : {std::pair {QStringLiteral("baseq3/q3config.cfg"), config},
                                      {QStringLiteral("baseq3/autoexec.cfg"), base},
                                      {QStringLiteral("osp/autoexec.cfg"), target},
                                      {QStringLiteral("baseq3/other.cfg"), other},
                                      {QStringLiteral("osp/q3config.cfg"), ospConfig}}) {
        QFile file(root.filePath(name));
        QVERIFY(bytes.isNull() || (file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size()));
    }
    const QString folder = withSeparator(root.filePath(mod.isEmpty() ? QStringLiteral("baseq3") : mod));
    const AddRequest request {{key, chatCommand(scope, text), folder},
                              scope,
                              text,
                              withSeparator(root.path()),
                              mod,
                              enginesNamed(QStringLiteral("quake3-1.32,ioquake3,quake3e"))};
    Answers given;
    QList<Question> questions;
    QString words;
    AddPlan plan;
    for (;;) {
        plan = planAdd(request, quake3Game(), given, withHomeIn(testHost(), root.path()));
        if (!plan.question)
            break;
        QVERIFY2(questions.size() < answers.size(), qPrintable(QStringLiteral("unanswered: ") + plan.question->text));
        given.insert(plan.question->kind, answers.at(questions.size()));
        questions << plan.question->kind;
        words += plan.question->text;
    }
    QCOMPARE(questions, asked);
    QVERIFY2(plan.refusal.isEmpty() || questions.isEmpty(), "a refusal comes before any question");
    QVERIFY2((plan.refusal + words).contains(said), qPrintable(plan.refusal + words));
    QString error;
    QVERIFY2(!plan.write || carryOut(*plan.write, &error), qPrintable(error));
    QFile file(bound);
    QCOMPARE(file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray(), written);
}

void TestAssembly::addPlan_missingFolderSaysWhatToDo_data()
{
    QTest::addColumn<QString>("made"); // the folders there, under the game's folder
    QTest::addColumn<QString>("root"); // as typed, under it
    QTest::addColumn<QString>("mod");
    QTest::addColumn<QString>("said");
    QTest::newRow("the base folder typed as the root")
        << "baseq3"
        << "baseq3"
        << ""
        << "holds \"baseq3\": type \"%1\" as the Root Quake3 Dir, one level up";
    QTest::newRow("the mod folder typed as the root, OSP chosen")
        << "baseq3,osp"
        << "osp"
        << "osp"
        << "holds \"osp\": type \"%1\" as the Root Quake3 Dir, one level up";
    QTest::newRow("the base folder typed as the root, OSP chosen") << "baseq3"
                                                                   << "baseq3"
                                                                   << "osp"
                                                                   << "holds \"baseq3\": type \"%1\"";
    QTest::newRow("OSP chosen, no osp folder: Baseq3 offered")
        << "baseq3"
        << ""
        << "osp"
        << "This game has no \"osp\" folder: choose Baseq3 to write into \"%1/baseq3\"";
    QTest::newRow("no game here") << ""
                                  << ""
                                  << ""
                                  << "Check the game folder and try again";
}

void TestAssembly::addPlan_missingFolderSaysWhatToDo()
{
    QFETCH(QString, made);
    QFETCH(QString, root);
    QFETCH(QString, mod);
    QFETCH(QString, said);
    QTemporaryDir game;
    for (const QString &folder : made.split(u',', Qt::SkipEmptyParts))
        QVERIFY(QDir(game.path()).mkpath(folder));
    const QString typed = withSeparator(root.isEmpty() ? game.path() : game.filePath(root));
    const QString folder = withSeparator(typed + (mod.isEmpty() ? QStringLiteral("baseq3") : mod));
    const AddRequest request {{QStringLiteral("f1"), QStringLiteral("say gg"), folder},
                              ChatScope::Public,
                              QStringLiteral("gg"),
                              typed,
                              mod,
                              enginesNamed(QStringLiteral("quake3-1.32"))};
    const AddPlan plan = planAdd(request, quake3Game(), {}, withHomeIn(testHost(), game.path()));
    QVERIFY(!plan.question && !plan.write);
    const QString expected = QDir::toNativeSeparators(said.contains(u'%') ? said.arg(game.path()) : said);
    QVERIFY2(plan.refusal.contains(expected), qPrintable(plan.refusal + QStringLiteral("\nlacks: ") + expected));
}

void TestAssembly::status_quake3_data()
{
    QTest::addColumn<QString>("say");
    QTest::addColumn<QString>("status");
    QTest::newRow("short") << "hi"
                           << "Status: Added hi....";
    QTest::newRow("six characters") << "abcdef"
                                    << "Status: Added abcde....";
    QTest::newRow("empty") << ""
                           << "Status: Added ....";
    QTest::newRow("colour codes count") << "^1hello"
                                        << "Status: Added ^1hel....";
    QTest::newRow("surrogate pairs kept whole") << "😀😀😀😀😀😀"
                                                << "Status: Added 😀😀😀😀😀....";
    QTest::newRow("combining marks kept") << "e\u0301e\u0301e\u0301e\u0301e\u0301e\u0301"
                                          << "Status: Added e\u0301e\u0301e\u0301e\u0301e\u0301....";
}

void TestAssembly::status_quake3()
{
    QFETCH(QString, say);
    QFETCH(QString, status);
    QCOMPARE(QStringLiteral("Status:") + quake3StatusNote(say), status);
}

void TestAssembly::relativeRoots_areRefusedInBothPanels_data()
{
    QTest::addColumn<Style>("style");
    QTest::addColumn<QString>("root");
    QTest::addColumn<QString>("example"); // empty: accepted
    QTest::newRow("posix, relative") << Style::Posix << "games/q3"
                                     << "/home/you/";
    QTest::newRow("posix, dot") << Style::Posix << "."
                                << "C:\\Program Files\\";
    QTest::newRow("posix, home") << Style::Posix << "~/.q3a/"
                                 << "";
    QTest::newRow("posix, wine drive") << Style::Posix << "c:\\Games\\"
                                       << "";
    QTest::newRow("windows, relative") << Style::Windows << "Games\\Quake3"
                                       << "C:\\Program Files\\";
    QTest::newRow("windows, drive") << Style::Windows << "D:\\Q3"
                                    << "";
}

void TestAssembly::relativeRoots_areRefusedInBothPanels()
{
    QFETCH(Style, style);
    QFETCH(QString, root);
    QFETCH(QString, example);
    QString error;
    const bool quake3 =
        quake3Request({root, "other", "hi", "f1", Quake3Mod::Baseq3, ChatScope::None}, hostOf(style), &error)
            .has_value();
    QString rtcwError;
    const bool rtcw =
        rtcwRequest({root, "f1", "vsay Hi", "", RtcwKind::Voice, ChatScope::None}, hostOf(style), &rtcwError)
            .has_value();
    QCOMPARE(quake3, example.isEmpty());
    QCOMPARE(rtcw, example.isEmpty());
    for (const QString &message : {error, rtcwError}) {
        QVERIFY2(message.contains(example), qPrintable(message));
        QVERIFY2(example.isEmpty() || message.contains(root), qPrintable(message));
    }
}

QTEST_GUILESS_MAIN(TestAssembly)
#include "tst_assembly.moc"
