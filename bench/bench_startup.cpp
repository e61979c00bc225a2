// Start-up, from the start of main to the main window's first paint, and the memory the
// process holds then, against a bare window with one line edit started the same way.
// Each start is a fresh process, on whatever platform QT_QPA_PLATFORM names; with
// --reference the ratios are printed without a verdict.

#include "appearance.h"
#include "benchtiming.h"
#include "mainwindow.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QLineEdit>
#include <QProcess>
#include <QTemporaryDir>
#include <QTextStream>
#include <QTimer>

namespace {

// The resident memory of this process in KiB (Linux), or -1 where there is no telling.
double residentKiB()
{
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly))
        return -1;
    for (const QByteArray &line : status.readAll().split('\n')) {
        if (line.startsWith("VmRSS:"))
            return line.mid(6).trimmed().split(' ').value(0).toDouble();
    }
    return -1;
}

// Ends the application once the window's first frame is painted, children and all,
// printing the time since main began.
class FirstPaint : public QObject
{
public:
    explicit FirstPaint(const QElapsedTimer &sinceMain)
        : m_sinceMain(sinceMain)
    { }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() == QEvent::Paint && watched->isWidgetType() && static_cast<QWidget *>(watched)->isWindow()) {
            watched->removeEventFilter(this);
            // The children paint in the same pass; the event loop comes back after it.
            QTimer::singleShot(0, qApp, [this] {
                QTextStream(stdout) << m_sinceMain.nsecsElapsed() / 1000.0 << ' ' << residentKiB() << '\n';
                QCoreApplication::quit();
            });
        }
        return false;
    }

private:
    const QElapsedTimer &m_sinceMain;
};

int startOnce(int argc, char *argv[], const QElapsedTimer &sinceMain, bool bare)
{
    QApplication app(argc, argv);
    FirstPaint firstPaint(sinceMain);
    QTemporaryDir dir;
    std::unique_ptr<QWidget> window;
    if (bare) {
        window = std::make_unique<QWidget>();
        auto *edit = new QLineEdit(window.get());
        edit->setGeometry(10, 10, 200, 20);
    } else {
        applyAppearance();
        window = std::make_unique<MainWindow>(host::Host::current(), dir.filePath(QStringLiteral("settings.cfg")),
                                              dir.filePath(QStringLiteral("undo")));
    }
    window->installEventFilter(&firstPaint);
    window->show();
    return app.exec();
}

struct Start {
    double microseconds = -1;
    double residentKiB = -1;
};

double median(std::vector<double> values)
{
    std::nth_element(values.begin(), values.begin() + values.size() / 2, values.end());
    return values[values.size() / 2];
}

// Median start-up and memory of one kind of window over fresh processes.
Start medianStart(const QString &self, const QString &kind, int runs)
{
    std::vector<double> times, memory;
    for (int i = 0; i < runs; ++i) {
        QProcess process;
        process.start(self, {kind});
        if (!process.waitForFinished(30000) || process.exitCode() != 0)
            return {};
        const QList<QByteArray> figures = process.readAllStandardOutput().trimmed().split(' ');
        times.push_back(figures.value(0).toDouble());
        memory.push_back(figures.value(1).toDouble());
    }
    return {median(times), median(memory)};
}

} // namespace

int main(int argc, char *argv[])
{
    QElapsedTimer sinceMain;
    sinceMain.start();
    const QString kind = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QString();
    if (kind == QLatin1String("bindwright") || kind == QLatin1String("bare"))
        return startOnce(argc, argv, sinceMain, kind == QLatin1String("bare"));

    QCoreApplication app(argc, argv);
    const bool reference = kind == QLatin1String("--reference");
    const QString self = QCoreApplication::applicationFilePath();
    medianStart(self, QStringLiteral("bare"), 3); // warm the caches for both
    const Start bindwright = medianStart(self, QStringLiteral("bindwright"), 21);
    const Start bare = medianStart(self, QStringLiteral("bare"), 21);
    if (bindwright.microseconds < 0 || bare.microseconds < 0) {
        std::printf("start-up: a start did not finish\n");
        return 2;
    }
    const char *against = "a bare window with one line edit";
    const QByteArray platform = qgetenv("QT_QPA_PLATFORM");
    if (reference) {
        std::printf("%-10s %10.1f us  vs %-34s %10.1f us  ratio %.2f (%s, for reference)\n", "start-up",
                    bindwright.microseconds, against, bare.microseconds, bindwright.microseconds / bare.microseconds,
                    platform.constData());
        return 0;
    }
    std::printf("(start-up on the %s platform)\n", platform.isEmpty() ? "default" : platform.constData());
    bool ok = reportRatio("start-up", bindwright.microseconds, against, bare.microseconds, 1.5);
    if (bindwright.residentKiB > 0 && bare.residentKiB > 0) {
        const double ratio = bindwright.residentKiB / bare.residentKiB;
        std::printf("%-10s %10.0f KiB vs %-34s %10.0f KiB ratio %.2f (target <= 1.2) %s\n", "memory",
                    bindwright.residentKiB, against, bare.residentKiB, ratio, ratio <= 1.2 ? "ok" : "OVER TARGET");
        ok = ok && ratio <= 1.2;
    }
    return ok ? 0 : 1;
}
