#include "bindcorpus.h"

#include "binds/add/rtcw.h"
#include "binds/files/bindline.h"

#include <QRandomGenerator>
#include <QStringList>

namespace {

const QString echoMarker = QStringLiteral("; echo ") + QString::fromLatin1(injectedMarker);

// A chat text whose line, bind f1 "say ...", takes exactly lineBytes bytes in UTF-8,
// ending in a tail that echoes the marker if the game cuts it off.
QString textForLine(int lineBytes, QChar filler)
{
    const int fixed = int(QByteArrayLiteral("bind f1 \"say \"").size() + echoMarker.size());
    const int fillerBytes = int(QString(filler).toUtf8().size());
    const int room = lineBytes - fixed;
    QString text = QStringLiteral("say ") + QString(room / fillerBytes, filler);
    text += QString(room % fillerBytes, u'x');
    return text + echoMarker;
}

} // namespace

QString commandOf(const BindCase &bind)
{
    return binds::chatCommand(bind.scope, bind.text);
}

bool writeAsThePanelsDo(const BindCase &bind, const QString &folder, const host::Host &host, QString *refusal)
{
    return binds::sendsAsTyped(bind.scope, bind.text, refusal)
        && binds::writeLine({bind.key, commandOf(bind), folder}, host, refusal);
}

QList<BindCase> generatedCases(int count)
{
    const QStringList pieces = {"a",
                                "f1",
                                " ",
                                ";",
                                "//",
                                "/",
                                "/*",
                                "*/",
                                "ä",
                                "é",
                                "😀",
                                "^1",
                                "\"",
                                "\t",
                                "\n",
                                "\r",
                                "say ",
                                "vsay Hi",
                                "kp_up",
                                "*",
                                "\\",
                                "x",
                                "%",
                                echoMarker,
                                QString(200, u'x'),
                                QString(100, u'é'),
                                "gg",
                                "   ",
                                "http://x.org",
                                "\x01"};
    const binds::ChatScope scopes[] = {binds::ChatScope::None, binds::ChatScope::Team, binds::ChatScope::Public};
    const QStringList keyPieces = {"f1", "mouse3", "kp_up", "kp_uparrow", "a",  "A",  "/",    "*",    "\\",
                                   "ä",  " ",      ";",     "//",         "\"", "\t", "0x1f", "space"};
    QRandomGenerator random(20261207);
    auto generate = [&random](const QStringList &from, int most) {
        QString s;
        for (int n = random.bounded(most + 1); n > 0; --n)
            s += from.at(random.bounded(int(from.size())));
        return s;
    };
    QList<BindCase> cases;
    for (int i = 0; i < count; ++i) {
        const QString key = generate(keyPieces, 2);
        const binds::ChatScope scope = scopes[random.bounded(4) % 3];
        const QString text = generate(pieces, scope == binds::ChatScope::None ? 9 : 5);
        cases.append({key, text, scope});
    }
    return cases;
}

QList<BindCase> hostileCases()
{
    QList<BindCase> cases;
    for (int bytes : {1021, 1022, 1023, 1024, 1025, 1026, 1100}) {
        cases.append({"f1", textForLine(bytes, u'x')});
        cases.append({"f1", textForLine(bytes, u'é')});          // the cut may fall inside a letter
        cases.append({"f1", textForLine(bytes, QChar(0x20AC))}); // €: three bytes
    }
    const QList<BindCase> edges = {
        {"f1", "say a" + echoMarker},
        {"f1", "say a // b" + echoMarker},
        {"f1", "say a /* b" + echoMarker + " */"},
        {"f1", "say */ a" + echoMarker},
        {"f1", "say ^1red ^7white 100% é"},
        // Refused keys and their neighbours.
        {"f1;echo " + QString::fromLatin1(injectedMarker), "x"},
        {"f1", ";echo x"},
        {"kp_up", "x"},
        {"kp_uparrow", "x"},
        {"A", "x"},
        {"a", "x"},
        {"f 1", "x"},
        {" f1 ", "x"},
        {"//", "x"},
        {"/", "x"},
        {"/*", "x"},
        {"*", "x"},
        {"0x3ff", "x"},
        {"0x1f", "x"},
        {"f\"1", "x"},
        {"ä", "x"},
        // Refused texts and their neighbours.
        {"f1", "say \"hi\"" + echoMarker},
        {"f1", "say 'hi'" + echoMarker},
        {"f1", "say hi\n echo " + QString::fromLatin1(injectedMarker)},
        {"f1", "say hi\r echo " + QString::fromLatin1(injectedMarker)},
        {"f1", "say hi\t echo x"},
        {"f1", "say a" + QString(QChar(1))},
        // Chat as typed, and chat the press would change.
        {"f1", "gg, wp ^1:)", binds::ChatScope::Public},
        {"f1", "1/2 * 3 */ 4", binds::ChatScope::Team},
        {"f1", "100% é", binds::ChatScope::Public},
        {"f1", "gg" + echoMarker, binds::ChatScope::Public},
        {"f1", "visit http://example.org", binds::ChatScope::Public},
        {"f1", "a /* b */ echo " + QString::fromLatin1(injectedMarker), binds::ChatScope::Team},
        {"f1", "a /* b", binds::ChatScope::Team},
        {"f1", "a // b" + echoMarker, binds::ChatScope::Team},
        {"f1", "gg   wp", binds::ChatScope::Public},
        {"f1", "gg\twp", binds::ChatScope::Public},
        {"f1", " gg", binds::ChatScope::Team},
        {"f1", "gg ", binds::ChatScope::Team},
        {"f1", "", binds::ChatScope::Public},
        {"f1", "", binds::ChatScope::None},
        {"f1", "say a; vsay Hi", binds::ChatScope::None}, // a chain of the player's own
        {"f1", "say a" + QString(QChar(0)) + "b"},        // last: the game reads no further
    };
    cases.append(edges);
    for (const QString &voice : binds::voiceCommands())
        cases.append({"f2", voice});
    return cases;
}
