// The names engines give pressed keys where no X server can press them (dead keys,
// places Bindwright does not know, the mouse beyond the engine's buttons, RTCW's tables
// per cl_language), what the panel says of a press, and the keyboards xkb-data describes.
// Real presses under real layouts are tst_keycatcher's.
#include "binds/engine/engines.h"
#include "binds/engine/keyboardgeometry.h"
#include "binds/engine/keypress.h"
#include "binds/engine/keys.h"

#include <QTest>

namespace {

// A press: "AD01:a" is the key at AD01 typing a; "AD01:^dead" a dead key; ":a" a key of no
// known place; "mouse6", "wheelup".
binds::Press pressOf(const QString &written)
{
    binds::Press press;
    if (written.startsWith(u"mouse")) {
        press.kind = binds::Press::Kind::MouseButton;
        press.mouseButton = written.mid(5).toInt();
    } else if (written == u"wheelup") {
        press.kind = binds::Press::Kind::WheelUp;
    } else {
        press.key = binds::keyPositionByXkbName(written.section(u':', 0, 0));
        const QString typed = written.section(u':', 1);
        press.deadKey = typed.endsWith(u"dead");
        press.character = press.deadKey ? QString() : typed;
    }
    return press;
}

} // namespace

class TestKeyPress : public QObject
{
    Q_OBJECT

private slots:
    void pressName_data();
    void pressName();
    void answerPress_data();
    void answerPress();
    void keyboardGeometry_data();
    void keyboardGeometry();
    void everyPlaceNamesAKeyTheEnginesKnow();
};

void TestKeyPress::pressName_data()
{
    QTest::addColumn<QString>("press");
    QTest::addColumn<QString>("engine");
    QTest::addColumn<QString>("expected"); // the name, or "-" and words of why there is none
    QTest::addColumn<QString>("variants"); // words the other settings' names hold; empty: none
    struct Row {
        const char *name, *press, *engine, *expected, *variants;
    };
    const QList<Row> rows = {
        {"dead key, by character", "TLDE:^dead", "ioquake3", "-accent over the next letter", ""},
        {"dead key, by place", "TLDE:^dead", "quake3e", "-console key", ""},
        {"German Y in RTCW", "AD06:z", "rtcw-1.4", "y", "with cl_language 2 (German): z"},
        {"AZERTY A in RtcwPro", "AD01:a", "rtcwpro", "q", "with cl_language 1 (French): a"},
        {"ISO key in RTCW", "LSGT:<", "rtcw-1.4", "-has no name", "(French): <"},
        {"keypad / in German RTCW", "KPDV:/", "rtcw-1.4", "kp_slash", "(German): -"},
        {"ISO key typing é", "LSGT:é", "ioquake3", "-beyond ASCII", ""},
        {"ISO key typing é, Quake3e", "LSGT:é", "quake3e", "\\", ""},
        {"place unknown, a", ":a", "ioquake3", "a", ""},
        {"place unknown, id", ":a", "quake3-1.32", "-has no name", ""},
        {"capital from Caps Lock", "AC01:A", "iortcw", "a", ""},
        {"semicolon", "AC10:;", "ioquake3", "-a bind line cannot hold", ""},
        {"Escape", "ESC:", "ioquake3", "-menu", ""},
        {"Windows key, id", "LWIN:", "quake3-1.32", "-has no name", ""},
        {"Windows key, SDL", "LWIN:", "quake3e", "windows", ""},
        {"sixth button", "mouse6", "quake3e", "-sees 5 mouse buttons", ""},
        {"fifth button, CNQ3", "mouse5", "cnq3", "mouse5", ""},
        {"fifth button, RTCW 1.4", "mouse5", "rtcw-1.4", "-sees 4 mouse buttons", ""},
        {"wheel", "wheelup", "quake3-1.32", "mwheelup", ""},
    };
    for (const Row &row : rows) {
        QTest::newRow(row.name) << QString::fromUtf8(row.press) << QString::fromLatin1(row.engine)
                                << QString::fromUtf8(row.expected) << QString::fromUtf8(row.variants);
    }
}

void TestKeyPress::pressName()
{
    QFETCH(QString, press);
    QFETCH(QString, engine);
    QFETCH(QString, expected);
    QFETCH(QString, variants);
    const binds::PressName named = binds::pressName(pressOf(press), binds::engineNamed(engine));
    if (expected.startsWith(u'-') && expected.size() > 1) {
        QVERIFY2(named.name.isEmpty(), qPrintable(named.name));
        QVERIFY2(named.noneWhy.contains(expected.mid(1)), qPrintable(named.noneWhy));
    } else {
        QCOMPARE(named.name, expected);
    }
    QVERIFY2(variants.isEmpty() ? named.variants.isEmpty() : named.variants.contains(variants),
             qPrintable(named.variants));
}

void TestKeyPress::answerPress_data()
{
    QTest::addColumn<QString>("press");
    QTest::addColumn<QStringList>("engines"); // the player's first
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("note");
    QTest::newRow("AZERTY A, ioquake3 first")
        << "AD01:a" << QStringList {"ioquake3", "quake3e", "quake3-1.32"} << "a"
        << "ioquake3 binds it as a. Quake3e and Quake III Arena 1.32 bind it as q.";
    QTest::newRow("AZERTY A, Quake3e first") << "AD01:a" << QStringList {"quake3e", "ioquake3"} << "q"
                                             << "Quake3e binds it as q. ioquake3 binds it as a.";
    QTest::newRow("the same everywhere") << "FK01:" << QStringList {"quake3e", "cnq3"} << "f1"
                                         << "Quake3e and CNQ3 bind it as f1.";
    QTest::newRow("the player's engine cannot")
        << "LSGT:<" << QStringList {"quake3-1.32", "ioquake3"} << ""
        << "Quake III Arena 1.32 cannot bind it: Quake III Arena 1.32 has no name for this key. ioquake3 binds it "
           "as <.";
    QTest::newRow("RTCW's languages said")
        << "AB01:y" << QStringList {"rtcw-1.4"} << "z"
        << "RTCW 1.4 binds it as z (with cl_language 1 (French): w; with cl_language 2 (German): y).";
}

void TestKeyPress::answerPress()
{
    QFETCH(QString, press);
    QFETCH(QStringList, engines);
    QFETCH(QString, name);
    QFETCH(QString, note);
    QList<const binds::Engine *> asked;
    for (const QString &id : engines)
        asked << &binds::engineNamed(id);
    const binds::PressAnswer answer = binds::answerPress(pressOf(press), asked);
    QCOMPARE(answer.name, name);
    QCOMPARE(answer.note, note);
}

void TestKeyPress::keyboardGeometry_data()
{
    QTest::addColumn<bool>("iso");
    QTest::addColumn<int>("keys");
    QTest::addColumn<QString>("key");
    QTest::addColumn<QRectF>("place"); // in millimetres, as xkb-data's pc file gives them
    QTest::addColumn<int>("corners");  // of its outline; 0: a plain rectangle
    QTest::newRow("ANSI Escape") << false << 104 << "ESC" << QRectF(21, 23, 18, 18) << 0;
    QTest::newRow("ANSI Return") << false << 104 << "RTRN" << QRectF(264, 100, 42, 18) << 0;
    QTest::newRow("ANSI: no ISO key") << false << 104 << "LSGT" << QRectF() << 0;
    QTest::newRow("ISO Return") << true << 105 << "RTRN" << QRectF(278, 81, 28, 37) << 6;
    QTest::newRow("ISO key") << true << 105 << "LSGT" << QRectF(47, 119, 18, 18) << 0;
    QTest::newRow("space bar") << true << 105 << "SPCE" << QRectF(97, 138, 113, 18) << 0;
    QTest::newRow("keypad Enter") << true << 105 << "KPEN" << QRectF(435, 119, 18, 37) << 0;
}

void TestKeyPress::keyboardGeometry()
{
    QFETCH(bool, iso);
    QFETCH(int, keys);
    QFETCH(QString, key);
    QFETCH(QRectF, place);
    QFETCH(int, corners);
    QString error;
    const std::optional<binds::KeyboardGeometry> keyboard = binds::pcKeyboard(iso, &error);
    QVERIFY2(keyboard, qPrintable(error));
    QCOMPARE(keyboard->keys.size(), keys);
    const auto cap = std::find_if(keyboard->keys.cbegin(), keyboard->keys.cend(),
                                  [&](const binds::KeyCap &each) { return each.xkbName == key; });
    QCOMPARE(cap != keyboard->keys.cend() ? cap->rect : QRectF(), place);
    if (cap != keyboard->keys.cend())
        QCOMPARE(cap->outline.size(), corners);
    // Every key of the picture is one the engines' tables place.
    for (const binds::KeyCap &each : keyboard->keys)
        QVERIFY2(binds::keyPositionByXkbName(each.xkbName == u"MENU" ? QStringLiteral("COMP") : each.xkbName),
                 qPrintable(each.xkbName));
    QVERIFY(!binds::readKeyboardGeometry("xkb_geometry \"pc105\" {", QStringLiteral("pc104"), &error));
    QVERIFY2(error.contains(QLatin1String("pc104")), qPrintable(error));
}

// The names of the places table are the engines' own: id's for its scan code table, the
// SDL engines' for theirs.
void TestKeyPress::everyPlaceNamesAKeyTheEnginesKnow()
{
    for (const binds::KeyPosition &key : binds::keyPositions()) {
        QString why;
        const QString us = QString::fromLatin1(key.usName).toLower();
        QVERIFY2(us.isEmpty() || us == u"`" || us == u";" || us == u"escape"
                     || binds::isBindableKey(us, {&binds::quake3Arena132()}, &why),
                 qPrintable(QStringLiteral("%1: %2").arg(QLatin1String(key.xkbName), why)));
        const QString sdl = QString::fromLatin1(key.sdlKeyName ? key.sdlKeyName : "").toLower();
        QVERIFY2(sdl.isEmpty() || sdl == u"escape" || binds::isBindableKey(sdl, {&binds::ioquake3()}, &why),
                 qPrintable(QStringLiteral("%1: %2").arg(QLatin1String(key.xkbName), why)));
    }
}

QTEST_MAIN(TestKeyPress)
#include "tst_keypress.moc"
