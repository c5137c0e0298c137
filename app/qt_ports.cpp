#include "app/qt_ports.h"

#include <QApplication>
#include <QGridLayout>
#include <QMessageBox>
#include <QPushButton>
#include <QScreen>
#include <QWidget>
#include <chrono>
#include <thread>

#include "windows/design_scaling.h"
#include "windows/exercise_screen.h"

namespace kestrani {

namespace {

// The size of the backdrop's prompts, whose exercise the boxes mostly tell about.
constexpr int messagePixelHeight = 16;

}  // namespace

void styleMessageBox(QMessageBox& box, ScreenSize screen) {
    const DesignScale scale = designScale(screen);
    box.setFont(designFont(timesFamily, scaleFontPixelHeight(messagePixelHeight, scale)));
    QFont title = box.font();
    title.setBold(true);
    const int width = messageBoxMinimumWidth(QFontMetrics(title).horizontalAdvance(box.windowTitle()), scale);
    // The box sizes itself to its layout, so the width goes in as a spacer.
    if (auto* grid = qobject_cast<QGridLayout*>(box.layout()))
        grid->addItem(new QSpacerItem(width, 0, QSizePolicy::Fixed, QSizePolicy::Fixed), grid->rowCount(), 0, 1,
                      grid->columnCount());
}

void QtMessageBoxes::showInformation(std::string_view text) {
    QWidget* owner = owner_ && owner_->isVisible() ? owner_.data() : nullptr;
    QMessageBox box(QMessageBox::Information, QStringLiteral("Kestrani"),
                    QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size())), QMessageBox::Ok, owner);
    if (screen_)
        styleMessageBox(box, screen_->screenSize());
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

QtScreenMetrics::QtScreenMetrics() {
    QObject::connect(qApp, &QGuiApplication::primaryScreenChanged, &connections_, [this](QScreen* screen) {
        follow(screen);
        notifyChange();
    });
    follow(QGuiApplication::primaryScreen());
}

void QtScreenMetrics::follow(QScreen* screen) {
    QObject::disconnect(geometry_);
    if (screen)
        geometry_ = QObject::connect(screen, &QScreen::geometryChanged, &connections_, [this] { notifyChange(); });
}

// While the last monitor is gone there is no screen; the windows keep the
// size they were laid out for until one comes back.
ScreenSize QtScreenMetrics::screenSize() const {
    if (const QScreen* screen = QGuiApplication::primaryScreen(); screen && !screen->geometry().isEmpty())
        last_ = {screen->geometry().width(), screen->geometry().height()};
    return last_;
}

}  // namespace kestrani
