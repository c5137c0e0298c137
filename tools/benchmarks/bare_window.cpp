// A bare Qt window in the program's grey over the whole screen: what the
// start-up benchmark measures for the toolkit alone, e.g.
//   xvfb-run -s '-screen 0 1024x768x24' build/tools/benchmarks/startup_benchmark build/tools/benchmarks/bare_window

#include <QApplication>
#include <QScreen>
#include <QWidget>

int main(int argc, char* argv[]) {
    QApplication application(argc, argv);
    QWidget window;
    QPalette palette = window.palette();
    palette.setColor(QPalette::Window, QColor(128, 128, 128));
    window.setPalette(palette);
    window.setAutoFillBackground(true);
    window.setGeometry(QGuiApplication::primaryScreen()->geometry());
    window.show();
    return QApplication::exec();
}
