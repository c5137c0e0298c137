#pragma once
// TSubmCheck: the reference window with "Начали?" and "Изменить эталон" and
// the two phase timers.

#include <QTimer>
#include <functional>

#include "windows/click_routing.h"
#include "windows/surface_widget.h"
#include "windows/window_geometry.h"

class QPushButton;

namespace kestrani {

// A periodic count on a precise toolkit timer.
class QtTimerDevice : public QObject, public TimerDevice {
public:
    explicit QtTimerDevice(QObject* parent);
    void setTickHandler(std::function<void()> handler) { handler_ = std::move(handler); }
    void startCount(int milliseconds) override;
    void stopCount() override;
    bool counting() const { return timer_.isActive(); }

private:
    QTimer timer_;
    std::function<void()> handler_;
};

class TSubmCheck : public SurfaceWidget {
public:
    TSubmCheck(const ScreenMetrics& screen, ExerciseScreen& host);

    void setActions(ExerciseActions* actions);

    QPushButton* Button1;  // "Начали?"
    QPushButton* Button2;  // "Изменить эталон"
    QtTimerDevice* Timer1;
    QtTimerDevice* Timer2;

protected:
    void fitToScreen() override;

private:
    const ScreenMetrics& screen_;
};

}  // namespace kestrani
