// The real program in a real X server: it starts from a copy of itself, shows its
// window, and writes settings.cfg beside itself when the window is asked to close.
// With BINDWRIGHT_INSTALLED set, the installed program at that path is run in place
// instead, and keeps its settings in the per-user folder, as every installed copy does.

#include <QDir>
#include <QFileInfo>
#include <QFile>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

#include <X11/Xatom.h>
#include <X11/Xlib.h>

namespace {

const QByteArray caption = "Quillfen Q3/RTCW Bindwright 1.1";

QByteArray windowName(Display *display, Window window)
{
    Atom type = None;
    int format = 0;
    unsigned long items = 0, after = 0;
    unsigned char *data = nullptr;
    const Atom wmName = XInternAtom(display, "WM_NAME", False);
    if (XGetWindowProperty(display, window, wmName, 0, 1024, False, AnyPropertyType, &type, &format, &items,
                           &after, &data) != Success || !data)
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

private:
    QProcess m_xvfb;
    QString m_display;
    Display *m_x = nullptr;
};

void TestExecutable::initTestCase()
{
    const QString xvfb = QStandardPaths::findExecutable(QStringLiteral("Xvfb"));
    QVERIFY2(!xvfb.isEmpty(), "Xvfb is needed for this test (Debian package xvfb)");
    int number = 40 + int(QCoreApplication::applicationPid() % 200);
    while (QFile::exists(QStringLiteral("/tmp/.X%1-lock").arg(number)))
        ++number;
    m_display = QStringLiteral(":%1").arg(number);
    m_xvfb.start(xvfb, {m_display, QStringLiteral("-screen"), QStringLiteral("0"), QStringLiteral("1024x768x24"),
                        QStringLiteral("-nolisten"), QStringLiteral("tcp")});
    QVERIFY(m_xvfb.waitForStarted());
    QTRY_VERIFY_WITH_TIMEOUT((m_x = XOpenDisplay(m_display.toLatin1().constData())) != nullptr, 10000);
}

void TestExecutable::cleanupTestCase()
{
    if (m_x)
        XCloseDisplay(m_x);
    m_xvfb.terminate();
    m_xvfb.waitForFinished();
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
    const QString expectedSettings = beside
                                         ? programFolder.filePath() + QStringLiteral("/settings.cfg")
                                         : dir.filePath(QStringLiteral("config/bindwright/settings.cfg"));
    QFile::remove(expectedSettings);

    QProcess program;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("DISPLAY"), m_display);
    env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("xcb"));
    env.insert(QStringLiteral("HOME"), dir.filePath(QStringLiteral("home")));
    env.insert(QStringLiteral("XDG_CONFIG_HOME"), dir.filePath(QStringLiteral("config")));
    program.setProcessEnvironment(env);
    program.start(programPath, {});
    QVERIFY(program.waitForStarted());

    Window window = None;
    QTRY_VERIFY_WITH_TIMEOUT((window = findMainWindow(m_x)) != None, 15000);
    XWindowAttributes attributes;
    QVERIFY(XGetWindowAttributes(m_x, window, &attributes));
    QCOMPARE(QSize(attributes.width, attributes.height), QSize(747, 335));

    requestClose(m_x, window);
    QVERIFY2(program.waitForFinished(10000), "the program did not end when its window closed");
    QCOMPARE(program.exitStatus(), QProcess::NormalExit);
    QCOMPARE(program.exitCode(), 0);

    QFile settings(expectedSettings);
    QVERIFY2(settings.open(QIODevice::ReadOnly), qPrintable(expectedSettings + QStringLiteral(" was not written")));
    QCOMPARE(settings.readAll(), QByteArray("\r\n\r\n11\r\n"));
}

QTEST_GUILESS_MAIN(TestExecutable)
#include "tst_executable.moc"
