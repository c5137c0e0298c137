#include "windows/reference_window.h"

#include <QPushButton>

#include "windows/design_scaling.h"

namespace kestrani {

QtTimerDevice::QtTimerDevice(QObject* parent) : QObject(parent) {
    timer_.setTimerType(Qt::PreciseTimer);
    QObject::connect(&timer_, &QTimer::timeout, this, [this] {
        if (handler_)
            handler_();
    });
}

void QtTimerDevice::startCount(int milliseconds) { timer_.start(milliseconds); }

void QtTimerDevice::stopCount() { timer_.stop(); }

TSubmCheck::TSubmCheck(const ScreenMetrics& screen, ExerciseScreen& host)
    : SurfaceWidget(QColor(192, 192, 192), host), screen_(screen) {
    setWindowTitle(QStringLiteral("SubmCheck"));
    placeExactly(230, 41, 384, 483);
    setFont(designFont(sansSerifFamily, 11));
    Button1 = new QPushButton(QStringLiteral("Начали?"), this);
    Button1->setFont(designFont(timesFamily, 11));
    Button1->setGeometry(280, 464, 105, 25);
    Button2 = new QPushButton(QStringLiteral("Изменить эталон"), this);
    Button2->setFont(designFont(timesFamily, 11));
    Button2->setGeometry(8, 464, 105, 25);
    Timer1 = new QtTimerDevice(this);
    Timer2 = new QtTimerDevice(this);
}

void TSubmCheck::setActions(ExerciseActions* actions) {
    connect(Button1, &QPushButton::clicked, this, [actions] { actions->step(Sender::Button1); });
    connect(Button2, &QPushButton::clicked, this, [actions] { actions->generateReference(); });
}

void TSubmCheck::fitToScreen() {
    const ScreenSize screen = screen_.screenSize();
    if (referenceWindowIsFitted(exactLeft(), screen))
        return;
    scaleContents(*this, referenceWindowScale(screen));
    const WindowRect g = referenceWindowGeometry(screen);
    placeExactly(g.left, g.top, g.width, g.height);
}

}  // namespace kestrani
