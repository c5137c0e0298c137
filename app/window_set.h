#pragma once
// The seven windows of the program, each created once, in a fixed order, and
// the engine that connects them.

#include <memory>

#include "app/qt_ports.h"
#include "config/configuration_window.h"
#include "engine/exercise_engine.h"
#include "help/instructions_window.h"
#include "results/result_recorder.h"
#include "results/results_window.h"
#include "windows/backdrop_window.h"
#include "windows/exercise_screen.h"
#include "windows/input_clock.h"
#include "windows/input_gate.h"
#include "windows/object_field_windows.h"
#include "windows/output_pixel_grid.h"
#include "windows/reference_window.h"

namespace kestrani {

// What the windows use of the platform. A null entry means the real one;
// tests give fakes.
struct PlatformPorts {
    const ScreenMetrics* screen = nullptr;
    MessageBoxes* messages = nullptr;
    BlockingWait* wait = nullptr;
    TimerDevice* timer1 = nullptr;
    TimerDevice* timer2 = nullptr;
    // Device pixels across one pixel the toolkit hands the compositor: the
    // output's scale on a scaled Wayland output, otherwise 1.
    int outputPixel = 1;
    // The steady clock of the engine and of input; the system's by default.
    const SteadyClock* clock = nullptr;
    // How input events are dated on it: by their own times, estimated by an
    // InputClock; on a platform without input devices, as they arrive.
    InputTimes* inputTimes = nullptr;
};

class WindowSet {
public:
    // Creates TKestrani, TForm2, TSubmCheck, TForm1, TForm3, TForm4 and TForm5
    // in this order, the five exercise windows as surfaces of one exercise
    // screen; the configuration window and, in front of it and active, the
    // instructions window are shown.
    explicit WindowSet(PlatformPorts ports = {});
    explicit WindowSet(const ScreenMetrics* screen) : WindowSet(PlatformPorts{screen}) {}
    ~WindowSet();

    TKestrani& kestrani() { return *kestrani_; }
    ExerciseScreen& exerciseScreen() { return *exerciseScreen_; }
    TForm2& form2() { return *form2_; }
    TSubmCheck& submCheck() { return *submCheck_; }
    TForm1& form1() { return *form1_; }
    TForm3& form3() { return *form3_; }
    TForm4& form4() { return *form4_; }
    TForm5& form5() { return *form5_; }
    ExerciseEngine& engine() { return *engine_; }
    ExerciseState& state() { return state_; }
    RandomGenerator& random() { return random_; }
    // Made when first asked for: at the first "Результаты", or when a result
    // that cannot be stored is to be reported.
    ResultsWindow& resultsWindow();
    // Every answer and result reaches the history from the start.
    ResultHistory& history() { return *history_; }

private:
    // Every window is laid out again from its design for a screen of another
    // size. An exercise on the screen is left, its result recorded, since its
    // objects were drawn for the old size; one whose end message is open has
    // ended already and keeps its backdrop. Another screen of the same size
    // only moves the exercise screen there, and an exercise goes on.
    void screenChanged();

    QtScreenMetrics realScreen_;
    QtMessageBoxes configurationMessages_;
    QtMessageBoxes exerciseMessages_;
    QtBlockingWait realWait_;
    SystemSteadyClock realClock_;
    const ScreenMetrics& screen_;
    ScreenSize laidOutFor_;
    MessageBoxes& configurationMessagesPort_;
    MessageBoxes& exerciseMessagesPort_;
    BlockingWait& wait_;
    RandomGenerator random_;
    ExerciseState state_;
    OutputPixelGrid outputPixelGrid_;
    std::unique_ptr<TKestrani> kestrani_;
    std::unique_ptr<ExerciseScreen> exerciseScreen_;  // destroyed after its surfaces
    std::unique_ptr<TForm2> form2_;
    std::unique_ptr<TSubmCheck> submCheck_;
    std::unique_ptr<TForm1> form1_;
    std::unique_ptr<TForm3> form3_;
    std::unique_ptr<TForm4> form4_;
    std::unique_ptr<TForm5> form5_;
    std::unique_ptr<ExerciseWindows> exerciseWindows_;
    std::unique_ptr<ExerciseEngine> engine_;
    std::unique_ptr<InputTimes> realInputTimes_;
    InputTimes* inputTimes_ = nullptr;
    std::unique_ptr<ClickRouter> router_;
    std::unique_ptr<InputGate> inputGate_;
    SystemClock clock_;
    std::unique_ptr<ResultHistory> history_;
    std::unique_ptr<ResultsWindow> resultsWindow_;
    std::unique_ptr<ResultRecorder> recorder_;
};

}  // namespace kestrani
