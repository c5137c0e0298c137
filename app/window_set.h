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
    // Made when first asked for: at the first "Результаты", or at the first
    // result while the results file is kept, so that a result that cannot be
    // stored is reported.
    ResultsWindow& resultsWindow();

private:
    // Every window is laid out again from its design for a screen of another
    // size. An exercise on the screen is left, its result recorded, since its
    // objects were drawn for the old size; one whose end message is open has
    // ended already and keeps its backdrop. Another screen of the same size
    // only moves the exercise screen there, and an exercise goes on.
    void screenChanged();

    // Every result reaches the history from the start, through the results
    // window once it exists.
    class ResultRelay : public ResultListener {
    public:
        explicit ResultRelay(WindowSet& set) : set_(set) {}
        void resultRecorded(const ExerciseResult& result) override;

    private:
        WindowSet& set_;
    };

    QtScreenMetrics realScreen_;
    QtMessageBoxes configurationMessages_;
    QtMessageBoxes exerciseMessages_;
    QtBlockingWait realWait_;
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
    std::unique_ptr<ClickRouter> router_;
    SystemClock clock_;
    std::unique_ptr<ResultHistory> history_;
    std::unique_ptr<ResultsWindow> resultsWindow_;
    ResultRelay relay_{*this};
    std::unique_ptr<ResultRecorder> recorder_;
};

}  // namespace kestrani
