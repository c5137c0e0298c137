#include "app/qt_ports.h"

#include <QApplication>
#include <QMessageBox>
#include <QScreen>
#include <QWidget>
#include <chrono>
#include <thread>

namespace kestrani {

void QtMessageBoxes::showInformation(std::string_view text) {
    QMessageBox box(QMessageBox::Information, QStringLiteral("Kestrani"),
                    QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size())), QMessageBox::Ok);
    box.exec();
}

void QtBlockingWait::waitBlocking(int milliseconds) {
    for (QWidget* window : QApplication::topLevelWidgets())
        if (window->isVisible())
            window->repaint();
    const auto until = std::chrono::steady_clock::now() + std::chrono::milliseconds(milliseconds);
    std::this_thread::sleep_until(until);
}

ScreenSize QtScreenMetrics::screenSize() const {
    const QRect geometry = QGuiApplication::primaryScreen()->geometry();
    return {geometry.width(), geometry.height()};
}

}  // namespace kestrani
