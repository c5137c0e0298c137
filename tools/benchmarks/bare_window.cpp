// A bare Qt window in the program's grey over the whole screen, with a lime
// box where the benchmark looks for the instructions window's title: what the
// start-up benchmark measures for the toolkit alone, e.g.
//   xvfb-run -s '-screen 0 1024x768x24' build/tools/benchmarks/startup_benchmark build/tools/benchmarks/bare_window
// Built as two_bare_windows it opens a second window in front of the first,
// as the program opens the instructions window over the configuration window:
// the toolkit's cost of two windows of nearly the screen's size.

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
    const QRect screen = QGuiApplication::primaryScreen()->geometry();
    BareWindow window;
    window.setGeometry(screen);
    window.show();
#ifdef KESTRANI_TWO_WINDOWS
    // Leaves the screen's right-most column and its lowest 31 rows to the
    // first window, as the instructions window does.
    BareWindow inFront;
    inFront.setGeometry(screen.adjusted(0, 0, -1, -31));
    inFront.show();
#endif
    return QApplication::exec();
}
