// The Binds window listing the largest autoexec.cfg the games read (131,071 bytes, about
// 2,800 binds): reading it as the game runs it and filling the list, against one frame
// at 60 Hz.

#include "benchtiming.h"
#include "bindswindow.h"

#include "binds/engine/games.h"
#include "binds/files/bindline.h"
#include "binds/files/startrun.h"

#include <QApplication>
#include <QFile>
#include <QTemporaryDir>

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("autoexec.cfg"));
    // The largest file any engine runs, read for every engine of the game: the engine not known.
    const QList<const binds::Engine *> engines = binds::enginesOf(binds::quake3Game());
    const qint64 largest = binds::largestFileLimit(engines);
    if (!writeFileOfLines(path, largest, [](int i) {
            return "bind f" + QByteArray::number(i % 12 + 1) + " \"say_team ^1Incoming ^7" + QByteArray::number(i)
                + "\"\r\n";
        }))
        return 2;

    QWidget main;
    binds::ChangeJournal journal(dir.filePath(QStringLiteral("undo")));
    BindsWindow *window = new BindsWindow(journal, &main);
    window->setAttribute(Qt::WA_DeleteOnClose, false);
    const double listing = medianMicroseconds(9, [&] {
        window->showFile(binds::StartRun::read({path}, engines), path);
        QCoreApplication::processEvents();
    });
    return reportRatio("binds list", listing, "one frame at 60 Hz", 16667, 1.0) ? 0 : 1;
}
