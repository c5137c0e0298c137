#include "windows/reference_window.h"

#include <QPushButton>
#include <algorithm>
#include <thread>

#include "windows/design_scaling.h"

namespace kestrani {

namespace {

// How much earlier than a tick the toolkit's timer is set: more than it is
// late on a busy machine, and short enough to block nothing a user notices.
constexpr std::chrono::milliseconds earlyBy{4};

}  // namespace

QtTimerDevice::QtTimerDevice(QObject* parent) : QObject(parent) {
    timer_.setTimerType(Qt::PreciseTimer);
    timer_.setSingleShot(true);
    QObject::connect(&timer_, &QTimer::timeout, this, [this] { tick(); });
}

void QtTimerDevice::startCount(int milliseconds) {
    interval_ = std::chrono::milliseconds(milliseconds);
    next_ = std::chrono::steady_clock::now() + interval_;
    waitForNextTick();
}

void QtTimerDevice::stopCount() { timer_.stop(); }

void QtTimerDevice::waitForNextTick() {
    using namespace std::chrono;
    const auto early = duration_cast<milliseconds>(next_ - earlyBy - steady_clock::now());
    timer_.start(static_cast<int>(std::max<milliseconds::rep>(0, early.count())));
}

void QtTimerDevice::tick() {
    std::this_thread::sleep_until(next_);
    const auto now = std::chrono::steady_clock::now();
    next_ += interval_;
    if (next_ <= now)
        next_ = now + interval_;
    // Set before the handler, which may stop the count or start another.
    waitForNextTick();
    if (handler_)
        handler_();
}

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
    design_.emplace(*this);
}

void TSubmCheck::setActions(ExerciseActions* actions) {
    connect(Button1, &QPushButton::clicked, this, [actions] { actions->step(Sender::Button1); });
    connect(Button2, &QPushButton::clicked, this, [actions] { actions->generateReference(); });
}

void TSubmCheck::show() {
    SurfaceWidget::show();
    Button1->setFocus(Qt::OtherFocusReason);
}

void TSubmCheck::fitToScreen() {
    const ScreenSize screen = screen_.screenSize();
    if (referenceWindowIsFitted(exactLeft(), screen))
        return;
    design_->scaleTo(referenceWindowScale(screen));
    const WindowRect g = referenceWindowGeometry(screen);
    placeExactly(g.left, g.top, g.width, g.height);
}

}  // namespace kestrani
