// Start-up, from the start of main to the main window's first paint, against a bare
// window with one line edit started the same way. Each start is a fresh process, on
// whatever platform QT_QPA_PLATFORM names; with --reference the ratio is printed
// without a verdict.

#include "benchtiming.h"

#include "appearance.h"
#include "mainwindow.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QLineEdit>
#include <QProcess>
#include <QTemporaryDir>
#include <QTextStream>
#include <QTimer>

namespace {

// Ends the application once the window's first frame is painted, children and all,
// printing the time since main began.
class FirstPaint : public QObject
{
public:
    explicit FirstPaint(const QElapsedTimer &sinceMain) : m_sinceMain(sinceMain) {}

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() == QEvent::Paint && watched->isWidgetType()
            && static_cast<QWidget *>(watched)->isWindow()) {
            watched->removeEventFilter(this);
            // The children paint in the same pass; the event loop comes back after it.
            QTimer::singleShot(0, qApp, [this] {
                QTextStream(stdout) << m_sinceMain.nsecsElapsed() / 1000.0 << '\n';
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
        window = std::make_unique<MainWindow>(dir.filePath(QStringLiteral("settings.cfg")));
    }
    window->installEventFilter(&firstPaint);
    window->show();
    return app.exec();
}

// Median start-up of one kind of window over fresh processes, in microseconds.
double medianStart(const QString &self, const QString &kind, int runs)
{
    std::vector<double> times;
    for (int i = 0; i < runs; ++i) {
        QProcess process;
        process.start(self, {kind});
        if (!process.waitForFinished(30000) || process.exitCode() != 0)
            return -1;
        times.push_back(process.readAllStandardOutput().trimmed().toDouble());
    }
    std::nth_element(times.begin(), times.begin() + runs / 2, times.end());
    return times[runs / 2];
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
    const double bindwright = medianStart(self, QStringLiteral("bindwright"), 21);
    const double bare = medianStart(self, QStringLiteral("bare"), 21);
    if (bindwright < 0 || bare < 0) {
        std::printf("start-up: a start did not finish\n");
        return 2;
    }
    const QByteArray platform = qgetenv("QT_QPA_PLATFORM");
    if (reference) {
        std::printf("%-10s %10.1f us  vs %-34s %10.1f us  ratio %.2f (%s, for reference)\n", "start-up", bindwright,
                    "a bare window with one line edit", bare, bindwright / bare, platform.constData());
        return 0;
    }
    std::printf("(start-up on the %s platform)\n", platform.isEmpty() ? "default" : platform.constData());
    return reportRatio("start-up", bindwright, "a bare window with one line edit", bare, 1.5) ? 0 : 1;
}
