// Kestrani: a trainer for visual calibration and visual memory.

#include <QApplication>

#include "app/window_set.h"

int main(int argc, char* argv[]) {
    QApplication application(argc, argv);
    QApplication::setQuitOnLastWindowClosed(false);
    kestrani::WindowSet windows;
    return QApplication::exec();
}
