// The picture of the keys after a change of the largest autoexec.cfg the games read
// (131,071 bytes): reading it as the game runs it, marking every key and drawing the
// window, against one frame at 60 Hz.

#include "benchtiming.h"
#include "keyboardwindow.h"

#include "binds/engine/games.h"
#include "binds/files/startrun.h"

#include <QApplication>
#include <QFile>
#include <QTemporaryDir>

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("autoexec.cfg"));
    const QList<const binds::Engine *> engines = binds::enginesOf(binds::quake3Game());
    const qint64 largest = binds::largestFileLimit(engines);
    // Binds of every kind over many keys, the last of each deciding.
    const QList<QByteArray> commands = {"+attack", "say_team ^1Incoming", "vsay_team Medic", "cg_fov 110"};
    if (!writeFileOfLines(path, largest, [&](int i) {
            return "bind " + QByteArray(1, char('a' + i % 26)) + " \"" + commands.at(i % commands.size()) + "\"\r\n";
        }))
        return 2;

    QWidget main;
    auto *window = new KeyboardWindow(KeyboardLayout::xkbNamed(QStringLiteral("us")), &main);
    window->showRun(binds::StartRun::read({path}, engines), *engines.first(), QStringLiteral("Quake 3"));
    const double redraw = medianMicroseconds(9, [&] {
        window->updateRun(binds::StartRun::read({path}, engines), *engines.first());
        window->grab();
    });
    // The picture's own share, the reading (which the line under the panel shares) apart.
    const binds::StartRun run = binds::StartRun::read({path}, engines);
    const double marking = medianMicroseconds(9, [&] {
        window->updateRun(run, *engines.first());
        window->grab();
    });
    const bool fast = reportRatio("keys", redraw, "one frame at 60 Hz", 16667, 1.0);
    return reportRatio("keys only", marking, "one frame at 60 Hz", 16667, 0.5) && fast ? 0 : 1;
}
