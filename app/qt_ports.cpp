#include "app/qt_ports.h"

#include <QApplication>
#include <QMessageBox>
#include <QPushButton>
#include <QScreen>
#include <QWidget>
#include <chrono>
#include <thread>

#include "windows/exercise_screen.h"

namespace kestrani {

void QtMessageBoxes::showInformation(std::string_view text) {
    QWidget* owner = owner_ && owner_->isVisible() ? owner_.data() : nullptr;
    QMessageBox box(QMessageBox::Information, QStringLiteral("Kestrani"),
                    QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size())), QMessageBox::Ok, owner);
    box.setDefaultButton(QMessageBox::Ok);
    box.button(QMessageBox::Ok)->setFocus();
    box.exec();
    // The owner may have gone while the box was open.
    if (owner_ && owner_->isVisible()) {
        owner_->raise();
        owner_->activateWindow();
    }
}

void QtBlockingWait::waitBlocking(int milliseconds) {
    for (QWidget* window : QApplication::topLevelWidgets()) {
        if (auto* screen = dynamic_cast<ExerciseScreen*>(window))
            screen->settle();
        if (window->isVisible())
            window->repaint();
    }
    const auto until = std::chrono::steady_clock::now() + std::chrono::milliseconds(milliseconds);
    std::this_thread::sleep_until(until);
}

ScreenSize QtScreenMetrics::screenSize() const {
    const QRect geometry = QGuiApplication::primaryScreen()->geometry();
    return {geometry.width(), geometry.height()};
}

}  // namespace kestrani
