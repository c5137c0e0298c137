#include "app/window_set.h"

#include <QApplication>
#include <QPushButton>
#include <QScreen>
#include <QTimer>

#include "results/perceptual_units.h"
#include "windows/keyboard.h"

namespace kestrani {

namespace {

// Millimetres across one pixel of the program's screen, where it reports
// its physical size; many report none, or the 96 dpi they assume.
std::optional<double> screenMillimetresPerPixel() {
    const QScreen* screen = QGuiApplication::primaryScreen();
    if (!screen)
        return std::nullopt;
    const QSize pixels = screen->size() * screen->devicePixelRatio();
    const QSizeF millimetres = screen->physicalSize();
    return millimetresPerPixel(pixels.width(), pixels.height(), millimetres.width(), millimetres.height());
}

}  // namespace

WindowSet::WindowSet(PlatformPorts ports)
    : screen_(ports.screen ? *ports.screen : realScreen_),
      configurationMessagesPort_(ports.messages ? *ports.messages : configurationMessages_),
      exerciseMessagesPort_(ports.messages ? *ports.messages : exerciseMessages_),
      wait_(ports.wait ? *ports.wait : realWait_),
      outputPixelGrid_(ports.outputPixel) {
    if (ports.outputPixel > 1)
        qApp->installEventFilter(&outputPixelGrid_);
    kestrani_ = std::make_unique<TKestrani>(screen_, state_, configurationMessagesPort_);
    kestrani_->show();
    exerciseScreen_ = std::make_unique<ExerciseScreen>();
    exerciseScreen_->setWindowBeneath(kestrani_.get());
    exerciseScreen_->setOutputPixel(ports.outputPixel);
    form2_ = std::make_unique<TForm2>(screen_, *exerciseScreen_);
    submCheck_ = std::make_unique<TSubmCheck>(screen_, *exerciseScreen_);
    form1_ = std::make_unique<TForm1>(screen_, *exerciseScreen_);
    form3_ = std::make_unique<TForm3>(screen_, *exerciseScreen_);
    form4_ = std::make_unique<TForm4>(screen_, *exerciseScreen_);
    pressButtonsOnReturn(*exerciseScreen_);
    orderTabsByLayout(*exerciseScreen_);
    form5_ = std::make_unique<TForm5>(screen_);
    form5_->setConfigurationWindow(kestrani_.get());
    form5_->show();
    form5_->raise();
    form5_->activateWindow();
    configurationMessages_.setOwner(kestrani_.get());
    configurationMessages_.setScreen(&screen_);
    exerciseMessages_.setOwner(exerciseScreen_.get());
    exerciseMessages_.setScreen(&screen_);

    exerciseWindows_.reset(new ExerciseWindows{*submCheck_, *form2_, *form1_, *form4_, *form3_});
    TimerDevice& timer1 = ports.timer1 ? *ports.timer1 : *submCheck_->Timer1;
    TimerDevice& timer2 = ports.timer2 ? *ports.timer2 : *submCheck_->Timer2;
    engine_ = std::make_unique<ExerciseEngine>(kestrani_->settings(), state_, random_, *exerciseWindows_,
                                               exerciseMessagesPort_, wait_, timer1, timer2);
    const SteadyClock& clock = ports.clock ? *ports.clock : realClock_;
    engine_->setClock(clock);
    if (ports.inputTimes) {
        inputTimes_ = ports.inputTimes;
    } else {
        // The offscreen platform has no input devices: its events carry no time of their own.
        if (QGuiApplication::platformName() == QLatin1String("offscreen"))
            realInputTimes_ = std::make_unique<ArrivalTimes>(clock);
        else
            realInputTimes_ = std::make_unique<InputClock>(clock);
        inputTimes_ = realInputTimes_.get();
    }
    router_ = std::make_unique<ClickRouter>(state_, *exerciseWindows_, *engine_, *inputTimes_);
    inputGate_ = std::make_unique<InputGate>(*inputTimes_, *engine_, *exerciseScreen_);
    qApp->installEventFilter(inputGate_.get());
    submCheck_->Timer1->setTickHandler([this] { engine_->timer1Tick(); });
    submCheck_->Timer2->setTickHandler([this] { engine_->timer2Tick(); });
    submCheck_->setActions(engine_.get());
    form2_->setRouter(router_.get());
    form1_->setRouter(router_.get());
    form4_->setRouter(router_.get());
    form3_->setRouter(router_.get(), engine_.get());
    exerciseScreen_->setCloseAction([this] { engine_->leaveExercise(); });
    // Every exercise leaves a result, for the results window and, when the
    // user keeps a history, for the results file.
    history_ = std::make_unique<ResultHistory>(resultsFilePath(), rememberResultsOption());
    history_->onWriteFailure = [this](const ResultStore& store) { resultsWindow().reportWriteFailure(store); };
    recorder_ = std::make_unique<ResultRecorder>(clock_, history_.get());
    recorder_->setMillimetresPerPixel(screenMillimetresPerPixel());
    engine_->setEvents(recorder_.get());
    QObject::connect(kestrani_->Button9, &QPushButton::clicked, kestrani_.get(), [this] { resultsWindow().open(); });
    QObject::connect(qApp, &QCoreApplication::aboutToQuit, kestrani_.get(), [this] { engine_->programEnded(); });

    kestrani_->connectWindows(engine_.get(), form5_.get(),
                              {form5_.get(), form1_.get(), form2_.get(), form3_.get(), form4_.get(), submCheck_.get(),
                               exerciseScreen_.get()});
    laidOutFor_ = screen_.screenSize();
    screen_.onChange([this] { screenChanged(); });
}

WindowSet::~WindowSet() { screen_.onChange(nullptr); }

void WindowSet::screenChanged() {
    const ScreenSize size = screen_.screenSize();
    if (size == laidOutFor_) {
        exerciseScreen_->followScreen();
        return;
    }
    laidOutFor_ = size;
    const bool leaving = exerciseScreen_->isVisible() && !engine_->busy();
    if (leaving)
        engine_->leaveExercise();
    kestrani_->screenChanged();
    form5_->screenChanged();
    if (resultsWindow_)
        resultsWindow_->screenChanged();
    exerciseScreen_->followScreen();
    form3_->screenChanged();
    for (SurfaceWidget* surface : std::initializer_list<SurfaceWidget*>{form2_.get(), submCheck_.get(), form1_.get(),
                                                                        form4_.get()})
        surface->screenChanged();
    // Told once the screen's own events are through, not inside them.
    if (leaving)
        QTimer::singleShot(0, kestrani_.get(), [this] {
            configurationMessagesPort_.showInformation(
                "Размер экрана изменился, и окна упражнения перестроены под него, поэтому упражнение прервано. "
                "Начните его снова кнопкой «Упражнения».");
        });
}

ResultsWindow& WindowSet::resultsWindow() {
    if (!resultsWindow_) {
        resultsWindow_ = std::make_unique<ResultsWindow>(*history_);
        pressButtonsOnReturn(*resultsWindow_);
        kestrani_->closeOnFinish(resultsWindow_.get());
    }
    return *resultsWindow_;
}


}  // namespace kestrani
