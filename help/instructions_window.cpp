#include "help/instructions_window.h"

namespace kestrani {

TForm5::TForm5(const ScreenMetrics& screen) : QWidget(nullptr, Qt::Window), screen_(screen) {
    setWindowTitle(QStringLiteral("Instructions to Kestrani 1.01 rus"));
    setAutoFillBackground(true);
    QPalette palette = this->palette();
    palette.setColor(QPalette::Window, QColor(128, 128, 128));
    setPalette(palette);
    resize(790, 545);
}

void TForm5::openPage(HelpPage) {
    show();
    raise();
    activateWindow();
}

}  // namespace kestrani
