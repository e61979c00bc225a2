#include <QApplication>
#include <QWidget>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QWidget window;
    window.setWindowTitle(QStringLiteral("Quillfen Q3/RTCW Bindwright 1.1"));
    window.show();
    return app.exec();
}
