#pragma once
// TSubmCheck: the reference window with "Начали?" and "Изменить эталон" and
// the two phase timers.

#include <QTimer>
#include <chrono>
#include <functional>
#include <optional>

#include "windows/click_routing.h"
#include "windows/design_scaling.h"
#include "windows/surface_widget.h"
#include "windows/window_geometry.h"

class QPushButton;

namespace kestrani {

// A periodic count on a precise toolkit timer. The toolkit keeps such a
// timer to the millisecond and wakes it up to a few of them late, so it is
// set a little short of each tick and the rest is slept on the monotonic
// clock: ticks come within a fraction of a millisecond and never drift. A
// tick missed while the program was busy is not made up.
class QtTimerDevice : public QObject, public TimerDevice {
public:
    explicit QtTimerDevice(QObject* parent);
    void setTickHandler(std::function<void()> handler) { handler_ = std::move(handler); }
    void startCount(int milliseconds) override;
    void stopCount() override;
    bool counting() const { return timer_.isActive(); }

private:
    void waitForNextTick();
    void tick();

    QTimer timer_;
    std::chrono::milliseconds interval_{0};
    std::chrono::steady_clock::time_point next_;
    std::function<void()> handler_;
};

class TSubmCheck : public SurfaceWidget {
public:
    TSubmCheck(const ScreenMetrics& screen, ExerciseScreen& host);

    void setActions(ExerciseActions* actions);
    // Shown with the keyboard on "Начали?".
    void show() override;

    QPushButton* Button1;  // "Начали?"
    QPushButton* Button2;  // "Изменить эталон"
    QtTimerDevice* Timer1;
    QtTimerDevice* Timer2;

protected:
    void fitToScreen() override;

private:
    const ScreenMetrics& screen_;
    std::optional<DesignLayout> design_;
};

}  // namespace kestrani
