// Keys and buttons pressed through XTEST on an X server whose layout setxkbmap set (us,
// de or fr; on_layout.sh says which in BINDWRIGHT_LAYOUT): each row checks the name the
// engine binds for the press, as read in the engines' input code: id's and RTCW's
// win_wndproc.c (MapKey), ioquake3's and Quake3e's sdl_input.c (IN_TranslateSDLToQ3Key).
#include "keycatcher.h"

#include "binds/engine/engines.h"
#include "binds/engine/keypress.h"

#include <QApplication>
#include <QLineEdit>
#include <QProcess>
#include <QSignalSpy>
#include <QTest>

class TestKeyCatcher : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void aPressIsNamedAsTheEngineBindsIt_data();
    void aPressIsNamedAsTheEngineBindsIt();

private:
    QString m_layout;
    QLineEdit m_box;
};

void TestKeyCatcher::initTestCase()
{
    m_layout = qEnvironmentVariable("BINDWRIGHT_LAYOUT");
    QVERIFY2(!m_layout.isEmpty(), "run it through on_layout.sh, which sets the layout and says which");
    QCOMPARE(QGuiApplication::platformName(), QStringLiteral("xcb"));
    m_box.show();
    m_box.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&m_box));
    // The pointer over the box: a click reaches it even before the box holds the pointer.
    QProcess tool;
    tool.start(QStringLiteral("xdotool"),
               {QStringLiteral("mousemove"), QStringLiteral("--sync"), QStringLiteral("--window"),
                QString::number(m_box.winId()), QStringLiteral("5"), QStringLiteral("5")});
    QVERIFY(tool.waitForFinished(10000) && tool.exitCode() == 0);
}

void TestKeyCatcher::aPressIsNamedAsTheEngineBindsIt_data()
{
    QTest::addColumn<QStringList>("xdotool"); // what presses the key or button
    QTest::addColumn<QString>("engine");
    // The name, or "-" and words of why there is none.
    QTest::addColumn<QString>("expected");
    auto key = [](const char *xkbName) {
        const binds::KeyPosition *place = binds::keyPositionByXkbName(QString::fromLatin1(xkbName));
        // xdotool takes a number that names no keysym as an X key code, Linux's plus 8 (all
        // but Escape's 9, which names the keysym 9).
        return QStringList {QStringLiteral("key"), QString::number(place ? place->linuxCode + 8 : 0)};
    };
    auto click = [](int button) { return QStringList {QStringLiteral("click"), QString::number(button)}; };
    struct Row {
        const char *layout;
        const char *what;
        QStringList xdotool;
        const char *engine;
        const char *expected;
    };
    const QList<Row> rows = {
        // The physical Q, A, Z and Y keys: by their US place in id's, RTCW's and Quake3e's
        // tables, by the layout's letter in ioquake3's and iortcw's.
        {"us", "Q", key("AD01"), "ioquake3", "q"},
        {"us", "Q", key("AD01"), "quake3e", "q"},
        {"us", "Q", key("AD01"), "quake3-1.32", "q"},
        {"us", "A", key("AC01"), "cnq3", "a"},
        {"de", "Y", key("AD06"), "ioquake3", "z"},
        {"de", "Y", key("AD06"), "quake3e", "y"},
        {"de", "Y", key("AD06"), "quake3-1.32", "y"},
        {"de", "Y", key("AD06"), "iortcw", "z"},
        {"de", "Y", key("AD06"), "rtcw-1.4", "y"},
        {"de", "Z", key("AB01"), "ioquake3", "y"},
        {"de", "Z", key("AB01"), "quake3e", "z"},
        {"fr", "Q", key("AD01"), "ioquake3", "a"},
        {"fr", "Q", key("AD01"), "quake3e", "q"},
        {"fr", "Q", key("AD01"), "rtcwpro", "q"},
        {"fr", "A", key("AC01"), "ioquake3", "q"},
        {"fr", "A", key("AC01"), "quake3e", "a"},
        {"fr", "Z", key("AB01"), "iortcw", "w"},
        {"fr", "Z", key("AB01"), "quake3e", "z"},
        {"fr", "M", key("AC10"), "ioquake3", "m"},
        // The ISO key beside left Shift: no entry in id's table; Quake3e takes it as \.
        {"us", "ISO", key("LSGT"), "ioquake3", "<"},
        {"de", "ISO", key("LSGT"), "quake3e", "\\"},
        {"de", "ISO", key("LSGT"), "quake3-1.32", "-has no name for this key"},
        {"fr", "ISO", key("LSGT"), "rtcw-1.4", "-has no name for this key"},
        // A letter beyond ASCII: ioquake3's world key of its place; Quake3e's US place.
        {"de", "Ö", key("AC10"), "ioquake3", "world_51"},
        {"fr", "Ù", key("AC11"), "iortcw", "world_52"},
        {"fr", "²", key("TLDE"), "ioquake3", "world_53"},
        {"de", "Ö", key("AC10"), "quake3e", "-a bind line cannot hold"},
        // The console key: ` in id's table and ioquake3's keys, SDL's grave place in Quake3e.
        {"us", "`", key("TLDE"), "ioquake3", "-console key"},
        {"us", "`", key("TLDE"), "quake3-1.32", "-console key"},
        {"fr", "²", key("TLDE"), "quake3e", "-console key"},
        {"de", "^", key("TLDE"), "ioquake3", "-accent"},
        {"fr", "^", key("AD11"), "quake3e", "["},
        // The keypad, by place in every engine, the * apart; the number row by place in SDL's.
        {"us", "KP 7", key("KP7"), "ioquake3", "kp_home"},
        {"de", "KP 7", key("KP7"), "quake3-1.32", "kp_home"},
        {"fr", "KP Enter", key("KPEN"), "quake3e", "kp_enter"},
        {"us", "KP *", key("KPMU"), "ioquake3", "kp_star"},
        {"us", "KP *", key("KPMU"), "quake3e", "*"},
        {"us", "KP *", key("KPMU"), "quake3-1.32", "*"},
        {"us", "Home", key("HOME"), "quake3-1.32", "home"},
        {"fr", "number row 1", key("AE01"), "ioquake3", "1"},
        // Mouse buttons and the wheel (X's buttons 4 and 5 are the wheel, 8 and 9 the side ones).
        {"us", "mouse1", click(1), "ioquake3", "mouse1"},
        {"us", "mouse2", click(3), "quake3e", "mouse2"},
        {"us", "mouse3", click(2), "rtcw-1.4", "mouse3"},
        {"us", "mouse4", click(8), "quake3-1.32", "mouse4"},
        {"us", "mouse5", click(9), "quake3e", "mouse5"},
        {"us", "mouse5", click(9), "quake3-1.32", "-sees 4 mouse buttons"},
        {"us", "wheel up", click(4), "ioquake3", "mwheelup"},
        {"us", "wheel down", click(5), "rtcwpro", "mwheeldown"},
    };
    for (const Row &row : rows) {
        if (m_layout != QLatin1String(row.layout))
            continue; // the run on that layout takes it
        QTest::addRow("%s %s", row.what, row.engine)
            << row.xdotool << QString::fromLatin1(row.engine) << QString::fromUtf8(row.expected);
    }
}

void TestKeyCatcher::aPressIsNamedAsTheEngineBindsIt()
{
    QFETCH(QStringList, xdotool);
    QFETCH(QString, engine);
    QFETCH(QString, expected);
    KeyCatcher catcher(&m_box);
    QSignalSpy caught(&catcher, &KeyCatcher::caught);
    catcher.start();
    QProcess tool;
    tool.start(QStringLiteral("xdotool"), xdotool);
    QVERIFY2(tool.waitForFinished(10000) && tool.exitCode() == 0, tool.readAllStandardError().constData());
    QTRY_COMPARE(caught.count(), 1);
    QTRY_VERIFY(!catcher.isCatching()); // a button let go: the next row's press is its own
    const auto press = caught.first().first().value<binds::Press>();
    const binds::PressName named = binds::pressName(press, binds::engineNamed(engine));
    if (expected.startsWith(u'-')) {
        QVERIFY2(named.name.isEmpty(), qPrintable(named.name));
        QVERIFY2(named.noneWhy.contains(expected.mid(1)), qPrintable(named.noneWhy));
    } else {
        QCOMPARE(named.name, expected);
    }
}

QTEST_MAIN(TestKeyCatcher)
#include "tst_keycatcher.moc"
