// The real program in a real X server: it starts from a copy of itself, shows its
// window, takes a player's clicks (one of them on a control under the chat preview), and
// writes settings.cfg beside itself when the window is asked to close.
// With BINDWRIGHT_INSTALLED set, the installed program at that path is run in place
// instead, and keeps its settings in the per-user folder, as every installed copy does.

#include "version.h"

#include "settings/settingsfile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

#include <X11/Xatom.h>
#include <X11/Xlib.h>

namespace {

const QByteArray caption = bindwrightCaption;

QByteArray windowName(Display *display, Window window)
{
    Atom type = None;
    int format = 0;
    unsigned long items = 0, after = 0;
    unsigned char *data = nullptr;
    const Atom wmName = XInternAtom(display, "WM_NAME", False);
    if (XGetWindowProperty(display, window, wmName, 0, 1024, False, AnyPropertyType, &type, &format, &items, &after,
                           &data)
            != Success
        || !data)
        return {};
    const QByteArray name(reinterpret_cast<const char *>(data), int(items));
    XFree(data);
    return name;
}

// The mapped top-level window with the program's caption, or None.
Window findMainWindow(Display *display)
{
    Window root = 0, parent = 0, *children = nullptr;
    unsigned int count = 0;
    Window found = None;
    if (!XQueryTree(display, DefaultRootWindow(display), &root, &parent, &children, &count))
        return None;
    for (unsigned int i = 0; i < count && found == None; ++i) {
        XWindowAttributes attributes;
        if (XGetWindowAttributes(display, children[i], &attributes) && attributes.map_state == IsViewable
            && windowName(display, children[i]) == caption)
            found = children[i];
    }
    if (children)
        XFree(children);
    return found;
}

// The viewable top-level windows of a process other than one, each with its place on the
// screen.
QList<QRect> otherWindowsOf(Display *display, qint64 pid, Window except)
{
    QList<QRect> found;
    Window root = 0, parent = 0, *children = nullptr;
    unsigned int count = 0;
    if (!XQueryTree(display, DefaultRootWindow(display), &root, &parent, &children, &count))
        return found;
    const Atom pidAtom = XInternAtom(display, "_NET_WM_PID", False);
    for (unsigned int i = 0; i < count; ++i) {
        XWindowAttributes attributes;
        Atom type = None;
        int format = 0;
        unsigned long items = 0, after = 0;
        unsigned char *data = nullptr;
        if (children[i] == except || !XGetWindowAttributes(display, children[i], &attributes)
            || attributes.map_state != IsViewable
            || XGetWindowProperty(display, children[i], pidAtom, 0, 1, False, XA_CARDINAL, &type, &format, &items,
                                  &after, &data)
                != Success
            || !data)
            continue;
        const qint64 windowPid = *reinterpret_cast<unsigned long *>(data);
        XFree(data);
        if (windowPid == pid)
            found << QRect(attributes.x, attributes.y, attributes.width, attributes.height);
    }
    if (children)
        XFree(children);
    return found;
}

QPoint originOf(Display *display, Window window)
{
    int x = 0, y = 0;
    Window child = None;
    XTranslateCoordinates(display, window, DefaultRootWindow(display), 0, 0, &x, &y, &child);
    return {x, y};
}

void requestClose(Display *display, Window window)
{
    XEvent event = {};
    event.xclient.type = ClientMessage;
    event.xclient.window = window;
    event.xclient.message_type = XInternAtom(display, "WM_PROTOCOLS", False);
    event.xclient.format = 32;
    event.xclient.data.l[0] = long(XInternAtom(display, "WM_DELETE_WINDOW", False));
    event.xclient.data.l[1] = CurrentTime;
    XSendEvent(display, window, False, NoEventMask, &event);
    XFlush(display);
}

} // namespace

class TestExecutable : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void cleanupTestCase();
    void startsShowsWindowAndSavesBesideItselfOnClose();
    void aLogoutsEnd_keepsTheRootJustTyped();

private:
    // xdotool, as a player's mouse and keyboard: false when it failed.
    bool xdotool(const QStringList &arguments);
    bool clickAt(Window window, QPoint at);
    // Starts the program on the test's display, its home and config folders in dir.
    void start(QProcess &program, const QString &path, const QTemporaryDir &dir) const;

    QProcess m_xvfb;
    QString m_display;
    Display *m_x = nullptr;
};

void TestExecutable::initTestCase()
{
    const QString xvfb = QStandardPaths::findExecutable(QStringLiteral("Xvfb"));
    QVERIFY2(!xvfb.isEmpty(), "Xvfb is needed for this test (Debian package xvfb)");
    // As tools/xvfb.sh does: Xvfb picks a free display and says which, here on stdout.
    m_xvfb.start(xvfb,
                 {QStringLiteral("-displayfd"), QStringLiteral("1"), QStringLiteral("-screen"), QStringLiteral("0"),
                  QStringLiteral("1024x768x24"), QStringLiteral("-nolisten"), QStringLiteral("tcp")});
    QVERIFY(m_xvfb.waitForStarted());
    QTRY_VERIFY_WITH_TIMEOUT(m_xvfb.canReadLine(), 10000);
    m_display = u':' + QString::fromLatin1(m_xvfb.readLine().trimmed());
    QVERIFY2((m_x = XOpenDisplay(m_display.toLatin1().constData())) != nullptr, qPrintable(m_display));
}

void TestExecutable::cleanupTestCase()
{
    if (m_x)
        XCloseDisplay(m_x);
    m_xvfb.terminate();
    m_xvfb.waitForFinished();
}

bool TestExecutable::xdotool(const QStringList &arguments)
{
    QProcess tool;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("DISPLAY"), m_display);
    tool.setProcessEnvironment(env);
    tool.start(QStringLiteral("xdotool"), arguments);
    return tool.waitForFinished(10000) && tool.exitStatus() == QProcess::NormalExit && tool.exitCode() == 0;
}

void TestExecutable::start(QProcess &program, const QString &path, const QTemporaryDir &dir) const
{
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("DISPLAY"), m_display);
    env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("xcb"));
    env.insert(QStringLiteral("HOME"), dir.filePath(QStringLiteral("home")));
    env.insert(QStringLiteral("XDG_CONFIG_HOME"), dir.filePath(QStringLiteral("config")));
    program.setProcessEnvironment(env);
    program.start(path, {});
}

bool TestExecutable::clickAt(Window window, QPoint at)
{
    // No wait after it: the X server hands the program the click before the keys typed
    // next, and the program moves the focus as it reads the click.
    return xdotool({QStringLiteral("mousemove"), QStringLiteral("--window"), QString::number(window),
                    QString::number(at.x()), QString::number(at.y()), QStringLiteral("click"), QStringLiteral("1")});
}

void TestExecutable::startsShowsWindowAndSavesBesideItselfOnClose()
{
    QTemporaryDir dir;
    QString programPath = qEnvironmentVariable("BINDWRIGHT_INSTALLED");
    if (programPath.isEmpty()) {
        programPath = dir.filePath(QStringLiteral("bindwright"));
        QVERIFY(QFile::copy(QStringLiteral(BINDWRIGHT_EXECUTABLE), programPath));
    }
    const QFileInfo programFolder(QFileInfo(programPath).absolutePath());
    // An installed program (in PREFIX/bin) keeps them per user, as does one whose folder is read-only.
    const bool beside = programFolder.isWritable() && programFolder.fileName() != u"bin";
    const QString expectedSettings = beside ? programFolder.filePath() + QStringLiteral("/settings.cfg")
                                            : dir.filePath(QStringLiteral("config/bindwright/settings.cfg"));
    QFile::remove(expectedSettings);

    QProcess program;
    start(program, programPath, dir);
    QVERIFY(program.waitForStarted());

    Window window = None;
    QTRY_VERIFY_WITH_TIMEOUT((window = findMainWindow(m_x)) != None, 15000);
    XWindowAttributes attributes;
    QVERIFY(XGetWindowAttributes(m_x, window, &attributes));
    QCOMPARE(QSize(attributes.width, attributes.height), QSize(747, 363));

    // Public chat, then "Red": the preview shows under the text box, over "Team Talk",
    // and a click there still chooses "Team Talk". Client pixels, from the layout.
    if (QStandardPaths::findExecutable(QStringLiteral("xdotool")).isEmpty()) {
        if (qEnvironmentVariableIsSet("CI"))
            QFAIL("xdotool is needed for this test (Debian package xdotool)");
        QSKIP("xdotool is not installed (Debian package xdotool): the clicks are not tried");
    }
    const QString game = dir.filePath(QStringLiteral("q3"));
    QVERIFY(QDir().mkpath(game + QStringLiteral("/baseq3")));
    const QPoint teamTalk(110, 176);
    QVERIFY(clickAt(window, {232, 41}) && xdotool({QStringLiteral("type"), game + u'/'})); // Text1
    QVERIFY(clickAt(window, {24, 64}));                                                    // Option1, "Baseq3"
    QVERIFY(clickAt(window, {135, 176}));                                                  // Option4, "Public"
    QVERIFY(clickAt(window, {292, 129}) && xdotool({QStringLiteral("type"), QStringLiteral("f1")})); // txtkey
    QVERIFY(clickAt(window, {220, 153}) && xdotool({QStringLiteral("type"), QStringLiteral("gg")})); // txtsay
    QVERIFY(clickAt(window, {28, 212}));                                                             // Command2, "Red"
    const QPoint teamTalkOnScreen = originOf(m_x, window) + teamTalk;
    const QList<QRect> shown = otherWindowsOf(m_x, program.processId(), window);
    QVERIFY2(std::any_of(shown.cbegin(), shown.cend(), [&](const QRect &r) { return r.contains(teamTalkOnScreen); }),
             qPrintable(
                 QStringLiteral("the chat preview does not cover Team Talk: the click below tests nothing (%1 windows)")
                     .arg(shown.size())));
    QVERIFY(clickAt(window, teamTalk));
    QVERIFY(clickAt(window, {184, 248})); // Command1, "Add"
    const QString autoexec = game + QStringLiteral("/baseq3/autoexec.cfg");
    QTRY_VERIFY_WITH_TIMEOUT(QFileInfo(autoexec).size() > 0, 5000);
    QFile written(autoexec);
    QVERIFY(written.open(QIODevice::ReadOnly));
    QCOMPARE(written.readAll(), QByteArray("bind f1 \"say_team gg^1\"\r\n"));

    requestClose(m_x, window);
    QVERIFY2(program.waitForFinished(10000), "the program did not end when its window closed");
    QCOMPARE(program.exitStatus(), QProcess::NormalExit);
    QCOMPARE(program.exitCode(), 0);

    QFile settings(expectedSettings);
    QVERIFY2(settings.open(QIODevice::ReadOnly), qPrintable(expectedSettings + QStringLiteral(" was not written")));
    QCOMPARE(settings.readAll(), (game + QStringLiteral("/\r\n\r\n11\r\n")).toLocal8Bit());
}

// SIGTERM, as a logout sends it, straight after a root is typed: the window closes as the
// player would close it, and the root is remembered.
void TestExecutable::aLogoutsEnd_keepsTheRootJustTyped()
{
    if (QStandardPaths::findExecutable(QStringLiteral("xdotool")).isEmpty()) {
        if (qEnvironmentVariableIsSet("CI"))
            QFAIL("xdotool is needed for this test (Debian package xdotool)");
        QSKIP("xdotool is not installed (Debian package xdotool): nothing is typed");
    }
    QTemporaryDir dir;
    const QString programPath = dir.filePath(QStringLiteral("bindwright"));
    QVERIFY(QFile::copy(QStringLiteral(BINDWRIGHT_EXECUTABLE), programPath));
    QProcess program;
    start(program, programPath, dir);
    QVERIFY(program.waitForStarted());
    Window window = None;
    QTRY_VERIFY_WITH_TIMEOUT((window = findMainWindow(m_x)) != None, 15000);
    const QString game = dir.filePath(QStringLiteral("typed"));
    QVERIFY(clickAt(window, {232, 41}) && xdotool({QStringLiteral("type"), game + u'/'})); // Text1
    program.terminate();                                                                   // SIGTERM
    QVERIFY2(program.waitForFinished(10000), "the program did not end at SIGTERM");
    QCOMPARE(program.exitStatus(), QProcess::NormalExit);
    // The keys still on their way when the signal came are not the window's yet: what it had
    // of the root is what it keeps.
    const std::optional<settings::Folders> kept = settings::load(dir.filePath(QStringLiteral("settings.cfg")));
    QVERIFY2(kept, "settings.cfg was not written");
    QVERIFY2(!kept->quake3.isEmpty() && (game + u'/').startsWith(kept->quake3), qPrintable(kept->quake3));
}

QTEST_GUILESS_MAIN(TestExecutable)
#include "tst_executable.moc"
