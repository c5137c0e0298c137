// A bare Qt window in the program's grey over the whole screen, with a lime
// box where the benchmark looks for the instructions window's title: what the
// start-up benchmark measures for the toolkit alone, e.g.
//   xvfb-run -s '-screen 0 1024x768x24' build/tools/benchmarks/startup_benchmark build/tools/benchmarks/bare_window

#include <QApplication>
#include <QPainter>
#include <QScreen>
#include <QWidget>

namespace {

class BareWindow : public QWidget {
protected:
    void paintEvent(QPaintEvent*) override {
        QPainter painter(this);
        painter.fillRect(rect(), QColor(128, 128, 128));
        painter.fillRect(450, 20, 110, 35, QColor(0, 255, 0));
    }
};

}  // namespace

int main(int argc, char* argv[]) {
    QApplication application(argc, argv);
    BareWindow window;
    window.setGeometry(QGuiApplication::primaryScreen()->geometry());
    window.show();
    return QApplication::exec();
}
