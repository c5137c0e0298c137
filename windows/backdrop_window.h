#pragma once
// TForm3: the dark-grey backdrop with the two prompt lines and the buttons
// "Новое упражнение" and "Выйти из упражнения". The exercise screen is on
// screen exactly while the backdrop is.

#include <QWidget>
#include <optional>

#include "engine/exercise_ports.h"
#include "windows/click_routing.h"
#include "windows/design_scaling.h"
#include "windows/exercise_screen.h"
#include "windows/window_geometry.h"

class QLabel;
class QPushButton;

namespace kestrani {

class TForm3 : public QWidget, public Backdrop {
public:
    // Created closed, inside the exercise screen.
    TForm3(const ScreenMetrics& screen, ExerciseScreen& host);

    void setRouter(ClickRouter* router, ExerciseActions* actions);

    void show() override;
    void close() override;
    void setUpperPrompt(std::string_view text) override;
    void setLowerPrompt(std::string_view text) override;
    // The screen has changed: a backdrop on the screen is laid out for it now,
    // a closed one when it is next shown.
    void screenChanged();

    QLabel* Label1;
    QLabel* Label2;
    QPushButton* Button1;  // "Новое упражнение"
    QPushButton* Button2;  // "Выйти из упражнения"

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    void fitToScreen();

    const ScreenMetrics& screen_;
    ExerciseScreen& host_;
    // The width the program last gave the backdrop, which its guard reads: on
    // a scaled Wayland output the widget itself is widened to whole output
    // pixels.
    int setWidth_ = 790;
    std::optional<DesignLayout> design_;
    ClickRouter* router_ = nullptr;
    std::optional<std::uint64_t> pressTime_;  // a click is dated by its press
};

}  // namespace kestrani
