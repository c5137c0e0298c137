#include "widgets/program_driver.h"

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QToolButton>
#include <QtTest>
#include <sstream>

#include "config/configuration_controls.h"
#include "fakes/number_oracles.h"

namespace kestrani::testing {

using fakes::FakeClock;
using fakes::FakeTimerDevice;

// One run of the program: the fakes it is started with and its seven windows.
struct ProgramDriver::Program {
    fakes::EventLog log;
    fakes::FakeScreen screen{{1024, 768}};
    fakes::FakeMessageBoxes messages{log};
    fakes::FakeBlockingWait wait{log};
    FakeClock clock;
    FakeTimerDevice timer1{clock};
    FakeTimerDevice timer2{clock};
    WindowSet set{PlatformPorts{&screen, &messages, &wait, &timer1, &timer2}};

    Program() {
        // The ticks reach the engine as the reference window's timers deliver them.
        timer1.onTick = [this] { set.engine().timer1Tick(); };
        timer2.onTick = [this] { set.engine().timer2Tick(); };
    }
    std::vector<QWidget*> windows() {
        return {&set.kestrani(), &set.form2(), &set.submCheck(), &set.form1(), &set.form3(), &set.form4(), &set.form5()};
    }
};

struct ProgramDriver::Action {
    const char* name;
    int weight;
    std::function<bool(Program&)> applies;
    std::function<void(Program&, std::uint32_t)> run;
};

namespace {

constexpr int answerTheBox = -1;  // a recorded step: the open message box is answered

Qt::MouseButton mouseButton(std::uint32_t argument) {
    const std::uint32_t n = argument % 10;
    return n < 7 ? Qt::LeftButton : n < 9 ? Qt::RightButton : Qt::MiddleButton;
}

QPoint pointIn(const QWidget& widget, std::uint32_t argument) {
    const auto w = static_cast<std::uint32_t>(std::max(1, widget.width()));
    const auto h = static_cast<std::uint32_t>(std::max(1, widget.height()));
    return QPoint(int((argument >> 4) % w), int((argument >> 14) % h));
}

void click(QWidget& widget, std::uint32_t argument) {
    QTest::mouseClick(&widget, mouseButton(argument), Qt::NoModifier, pointIn(widget, argument));
}

// A free point of the backdrop: the band below the fields, the gap between
// the cards, or beside the single field.
QPoint backdropPoint(const QWidget& backdrop, const ScreenSize& screen, std::uint32_t argument) {
    const int w = backdrop.width(), h = backdrop.height();
    const auto n = static_cast<int>(argument >> 6);
    switch ((argument >> 4) % 3) {
    case 0: return {n % w, screen.height * 85 / 100 + 1 + n % std::max(1, h - screen.height * 85 / 100 - 1)};
    case 1: return {screen.width * 49 / 100 + 1 + n % std::max(1, screen.width * 2 / 100 - 1), n % h};
    default: return {n % std::max(1, screen.width / 4), n % h};
    }
}

// Types the text key by key; every key runs the field's change handler.
void typeKeys(QLineEdit* edit, const QString& text) {
    for (QChar key : text)
        QTest::sendKeyEvent(QTest::Click, edit, Qt::Key_unknown, QString(key), Qt::NoModifier);
}

// One edit of a number field: typing at the end or the front, replacing
// everything, erasing keys, or a very long text.
void editField(QLineEdit* edit, std::uint32_t argument) {
    fakes::TypedTextSource texts(argument);
    const std::uint32_t mode = argument % 7;
    QString text = QString::fromStdString(mode == 6 && texts.pick(4) == 0 ? texts.veryLong()
                                          : texts.pick(2) ? texts.fresh(4)
                                                          : texts.mutated());
    switch (mode) {
    case 0: case 1: QTest::keyClick(edit, Qt::Key_End); break;
    case 2: QTest::keyClick(edit, Qt::Key_Home); break;
    case 3: QTest::keyClick(edit, Qt::Key_A, Qt::ControlModifier); break;
    case 4:
        for (std::size_t keys = 1 + texts.pick(3); keys > 0; --keys)
            QTest::keyClick(edit, Qt::Key_Backspace);
        return;
    case 5:
        QTest::keyClick(edit, Qt::Key_A, Qt::ControlModifier);
        QTest::keyClick(edit, Qt::Key_Delete);
        return;
    default: QTest::keyClick(edit, Qt::Key_End); break;
    }
    typeKeys(edit, text);
}

QLineEdit* visibleField(WindowSet& set, std::uint32_t argument) {
    TKestrani& k = set.kestrani();
    QLineEdit* fields[] = {k.Edit1, k.Edit2, k.Edit3, k.Edit4};
    for (std::uint32_t i = 0; i < 4; ++i)
        if (QLineEdit* field = fields[(argument + i) % 4]; field->isVisible())
            return field;
    return nullptr;
}

template <typename T>
T* pick(std::initializer_list<T*> items, std::uint32_t argument) {
    return items.begin()[argument % items.size()];
}

}  // namespace

const std::vector<ProgramDriver::Action>& ProgramDriver::actions() {
    auto config = [](Program& p) { return p.set.kestrani().isVisible(); };
    static const std::vector<Action> table = {
        {"slot", 240, config,
         [](Program& p, std::uint32_t a) {
             const SlotRole role = static_cast<SlotRole>(a % 3);
             p.set.kestrani().slotBox(role, gridRows[(a / 3) % gridRows.size()])->click();
         }},
        {"exercise kind", 80, config,
         [](Program& p, std::uint32_t a) { p.set.kestrani().exerciseKindItems[a % 4]->click(); }},
        {"object kind", 80, config,
         [](Program& p, std::uint32_t a) { p.set.kestrani().objectKindItems[a % 5]->click(); }},
        {"phase limit box", 80, config,
         [](Program& p, std::uint32_t a) {
             TKestrani& k = p.set.kestrani();
             pick({k.CheckBox28, k.CheckBox29, k.CheckBox30}, a)->click();
         }},
        {"complication box", 40, config,
         [](Program& p, std::uint32_t a) {
             TKestrani& k = p.set.kestrani();
             pick({k.CheckBox32, k.CheckBox36}, a)->click();
         }},
        // "Разбивка" draws 3003 lines in every step: it is switched off three
        // times as often as on, so that it is on about a quarter of the time.
        {"splitting off", 60, [](Program& p) { return p.set.kestrani().isVisible() && p.set.kestrani().CheckBox31->isChecked(); },
         [](Program& p, std::uint32_t) { p.set.kestrani().CheckBox31->click(); }},
        {"splitting on", 20, [](Program& p) { return p.set.kestrani().isVisible() && !p.set.kestrani().CheckBox31->isChecked(); },
         [](Program& p, std::uint32_t) { p.set.kestrani().CheckBox31->click(); }},
        {"standard colour box", 40, config, [](Program& p, std::uint32_t) { p.set.kestrani().CheckBox37->click(); }},
        {"arrow", 60, [](Program& p) { return p.set.kestrani().SpinButton1->isVisible(); },
         [](Program& p, std::uint32_t a) {
             SpinButton* arrows = p.set.kestrani().SpinButton1;
             pick({arrows->upArrow, arrows->downArrow}, a)->click();
         }},
        {"type into a number field", 200, [](Program& p) { return visibleField(p.set, 0) != nullptr; },
         [](Program& p, std::uint32_t a) { editField(visibleField(p.set, a), a); }},
        {"help", 30, config,
         [](Program& p, std::uint32_t a) {
             TKestrani& k = p.set.kestrani();
             if (a % 8 == 7)
                 QTest::mouseClick(k.Image1, Qt::LeftButton, Qt::NoModifier, QPoint(5, 5));
             else
                 pick({k.Button3, k.Button4, k.Button5, k.Button6, k.Button7, k.Button10, k.Button8}, a)->click();
         }},
        {"Упражнения", 120, config, [](Program& p, std::uint32_t) { p.set.kestrani().Button1->click(); }},
        {"Завершить работу", 1, config, [](Program& p, std::uint32_t) { p.set.kestrani().Button2->click(); }},
        {"close box of the configuration window", 1, config, [](Program& p, std::uint32_t) { p.set.kestrani().close(); }},
        {"instructions button", 40, [](Program& p) { return p.set.form5().isVisible(); },
         [](Program& p, std::uint32_t a) {
             TForm5& f = p.set.form5();
             pick({f.Button1, f.Button2, f.Button3, f.Button4, f.Button5, f.Button6, f.Button7, f.Button8, f.Button9}, a)
                 ->click();
         }},
        {"close box of the instructions window", 10, [](Program& p) { return p.set.form5().isVisible(); },
         [](Program& p, std::uint32_t) { p.set.form5().close(); }},
        {"Начали?", 300, [](Program& p) { return p.set.submCheck().isVisible(); },
         [](Program& p, std::uint32_t) { p.set.submCheck().Button1->click(); }},
        {"Изменить эталон", 60, [](Program& p) { return p.set.submCheck().isVisible(); },
         [](Program& p, std::uint32_t) { p.set.submCheck().Button2->click(); }},
        {"click on the reference window", 20, [](Program& p) { return p.set.submCheck().isVisible(); },
         [](Program& p, std::uint32_t a) { click(p.set.submCheck(), a); }},
        {"click on a card", 900, [](Program& p) { return p.set.form1().isVisible() || p.set.form2().isVisible(); },
         [](Program& p, std::uint32_t a) {
             QWidget& card = (a % 2 == 0 && p.set.form2().isVisible()) || !p.set.form1().isVisible()
                                 ? static_cast<QWidget&>(p.set.form2())
                                 : static_cast<QWidget&>(p.set.form1());
             click(card, a >> 1);
         }},
        {"press on the object field", 700, [](Program& p) { return p.set.form4().isVisible(); },
         [](Program& p, std::uint32_t a) { click(p.set.form4(), a); }},
        {"click on the backdrop", 100, [](Program& p) { return p.set.form3().isVisible(); },
         [](Program& p, std::uint32_t a) {
             QTest::mouseClick(&p.set.form3(), mouseButton(a), Qt::NoModifier,
                               backdropPoint(p.set.form3(), p.screen.size, a));
         }},
        {"Новое упражнение", 50, [](Program& p) { return p.set.form3().isVisible(); },
         [](Program& p, std::uint32_t) { p.set.form3().Button1->click(); }},
        {"Выйти из упражнения", 25, [](Program& p) { return p.set.form3().isVisible(); },
         [](Program& p, std::uint32_t) { p.set.form3().Button2->click(); }},
        {"time passes", 160, [](Program&) { return true; },
         [](Program& p, std::uint32_t a) { p.clock.advance(a % 2 ? a % 2000 : a % 70001); }},
    };
    return table;
}

// The only action that reaches the program while a message box is open.
int ProgramDriver::timePasses() {
    static const int index = [] {
        int i = 0;
        while (std::string(actions()[std::size_t(i)].name) != "time passes")
            ++i;
        return i;
    }();
    return index;
}

ProgramDriver::ProgramDriver(bool observe) : program_(std::make_unique<Program>()), observe_(observe) {}

ProgramDriver::~ProgramDriver() = default;

long ProgramDriver::count(const std::string& what) const {
    const auto found = counts_.find(what);
    return found == counts_.end() ? 0 : found->second;
}

std::string ProgramDriver::describe(const Step& step) {
    std::ostringstream out;
    out << (step.whileBoxOpen ? "    (box open) " : "")
        << (step.action == answerTheBox ? "answer the message box" : actions()[std::size_t(step.action)].name);
    if (step.action != answerTheBox)
        out << " #" << step.argument;
    return out.str();
}

Step ProgramDriver::randomStep(std::mt19937& random, bool whileBoxOpen) const {
    const std::uint32_t argument = random();
    if (whileBoxOpen)
        return {timePasses(), argument, true};
    int total = 0;
    std::vector<int> weights;
    for (const Action& action : actions()) {
        weights.push_back(action.applies(*program_) ? action.weight : 0);
        total += weights.back();
    }
    int n = static_cast<int>(random() % static_cast<std::uint32_t>(total));
    int chosen = 0;
    while (n >= weights[std::size_t(chosen)])
        n -= weights[std::size_t(chosen++)];
    return {chosen, argument, false};
}

void ProgramDriver::run(StepSource& source, long maxSteps) {
    source_ = &source;
    for (long done = 0; done < maxSteps && failure_.empty(); ++done) {
        const std::optional<Step> step = source.next(false);
        if (!step)
            break;
        perform(*step);
        if (done % 16 == 15)
            QCoreApplication::processEvents();
        check(true);
        restartIfEnded();
        if (observe_)
            observe();
    }
    source_ = nullptr;
}

void ProgramDriver::perform(const Step& step) {
    record_.push_back(step);
    const Action& action = actions()[std::size_t(step.action)];
    ++counts_[action.name];
    program_->messages.whileOpen = [this] { messageBoxOpen(); };
    action.run(*program_, step.argument);
}

// The nested event loop of a modal box: only ticks come through. While a
// step or a reference generation has its box open, nothing may enter it again.
void ProgramDriver::messageBoxOpen() {
    Program& p = *program_;
    ++counts_["message boxes"];
    allMessages_.push_back(p.messages.shown.back());
    if (p.messages.openBoxes > 1 && failure_.empty())
        failure_ = "two message boxes open at once; the second: " + p.messages.shown.back();
    const bool engineBusy = p.set.engine().busy();
    const std::string before = stateDigest();
    while (failure_.empty()) {
        const std::optional<Step> step = source_->next(true);
        if (!step)
            break;
        perform(*step);
        check(false);
        if (engineBusy && stateDigest() != before && failure_.empty())
            failure_ = "an exercise step was entered again while its message box was open";
    }
    record_.push_back({answerTheBox, 0, true});
}

void ProgramDriver::check(bool topLevel) {
    if (!failure_.empty())
        return;
    failure_ = brokenInvariant(topLevel);
}

std::string ProgramDriver::brokenInvariant(bool topLevel) const {
    Program& p = *program_;
    const ExerciseSettings& s = p.set.kestrani().settings();
    for (Submodality row : gridRows) {
        for (SlotRole role : {SlotRole::Initial, SlotRole::Changeable, SlotRole::Calibrated}) {
            const SlotState state = s.column(role)[row].state;
            if (state != SlotState::Off && state != SlotState::On && state != SlotState::Unavailable)
                return "a slot holds an invalid state";
            const Qt::CheckState shown = p.set.kestrani().slotBox(role, row)->checkState();
            const Qt::CheckState expected = state == SlotState::On    ? Qt::Checked
                                            : state == SlotState::Off ? Qt::Unchecked
                                                                      : Qt::PartiallyChecked;
            if (shown != expected)
                return "a slot box does not show its slot's state";
        }
        if (s.isAsked(row) != (s.changeable[row].isOn() && s.calibrated[row].isOn()))
            return "asked of row " + std::to_string(int(row)) + " differs from changeable On and calibrated On";
    }
    if (s.isAsked(Submodality::Blue) != s.isAsked(Submodality::Hue) ||
        s.isAsked(Submodality::Green) != s.isAsked(Submodality::Hue))
        return "asked[Blue] or asked[Green] differs from asked[Hue]";
    if (p.messages.openBoxes > (topLevel ? 0 : 1))
        return "more message boxes open than may be";
    if (topLevel && p.set.engine().busy())
        return "the engine stayed busy after the action";
    if (p.set.state().successCount < 0)
        return "the count of successful moves is negative";
    const QRect screen(0, 0, p.screen.size.width, p.screen.size.height);
    // The window system's decoration of the two framed windows is not the
    // program's to place. A framed window is placed again once the window
    // system's answer to a placement has settled: it lies inside by then.
    for (QWidget* window : p.windows()) {
        const auto inside = [&] { return !window->isVisible() || screen.contains(window->geometry()); };
        if (!inside() && !QTest::qWaitFor(inside, 1000))
            return window->windowTitle().toStdString() + " lies outside the screen";
    }
    return {};
}

std::string ProgramDriver::stateDigest() const {
    const ExerciseState& s = program_->set.state();
    std::ostringstream out;
    out.precision(17);
#define KESTRANI_FIELD(f) out << #f "=" << +s.f << ' ';
    KESTRANI_FIELD(exerciseStarted) KESTRANI_FIELD(exerciseFinished) KESTRANI_FIELD(continueExercise)
    KESTRANI_FIELD(answerGiven) KESTRANI_FIELD(singleObject) KESTRANI_FIELD(clickedFirst)
    KESTRANI_FIELD(clickedObject) KESTRANI_FIELD(referenceFirst) KESTRANI_FIELD(askedMore)
    KESTRANI_FIELD(noDifference) KESTRANI_FIELD(shapeIsRectangle) KESTRANI_FIELD(successCount)
    KESTRANI_FIELD(referenceRed) KESTRANI_FIELD(referenceGreen) KESTRANI_FIELD(referenceBlue)
    KESTRANI_FIELD(baseRed) KESTRANI_FIELD(baseGreen) KESTRANI_FIELD(baseBlue)
    KESTRANI_FIELD(deltaRed) KESTRANI_FIELD(deltaGreen) KESTRANI_FIELD(deltaBlue)
    KESTRANI_FIELD(referenceBrightness) KESTRANI_FIELD(referenceHue) KESTRANI_FIELD(referenceSaturation)
    KESTRANI_FIELD(objectBrightness) KESTRANI_FIELD(objectHue) KESTRANI_FIELD(objectSaturation)
    KESTRANI_FIELD(brightnessStep) KESTRANI_FIELD(hueStep) KESTRANI_FIELD(saturationStep)
    KESTRANI_FIELD(brightnessShift) KESTRANI_FIELD(hueShift) KESTRANI_FIELD(saturationShift)
    KESTRANI_FIELD(referenceX1) KESTRANI_FIELD(referenceY1) KESTRANI_FIELD(referenceX2) KESTRANI_FIELD(referenceY2)
    KESTRANI_FIELD(referenceWidth) KESTRANI_FIELD(referenceHeight)
    KESTRANI_FIELD(objectX1) KESTRANI_FIELD(objectY1) KESTRANI_FIELD(objectX2) KESTRANI_FIELD(objectY2)
    KESTRANI_FIELD(objectWidth) KESTRANI_FIELD(objectHeight)
    KESTRANI_FIELD(stepX1) KESTRANI_FIELD(stepY1) KESTRANI_FIELD(stepWidth) KESTRANI_FIELD(stepHeight)
    KESTRANI_FIELD(shiftX1) KESTRANI_FIELD(shiftY1) KESTRANI_FIELD(shiftWidth) KESTRANI_FIELD(shiftHeight)
    KESTRANI_FIELD(referenceAngle) KESTRANI_FIELD(referenceLength) KESTRANI_FIELD(angleStep)
    KESTRANI_FIELD(lengthStep) KESTRANI_FIELD(objectAngle) KESTRANI_FIELD(objectLength)
    KESTRANI_FIELD(delayMilliseconds)
#undef KESTRANI_FIELD
    out << "questionKind=" << int(s.questionKind) << " random=" << program_->set.random().state();
    return out.str();
}

// Pictures are hashed again only when the state or the texts have changed:
// every drawing comes with a change of the engine's state.
void ProgramDriver::observe() {
    Program& p = *program_;
    Observation now;
    now.state = stateDigest();
    std::ostringstream texts;
    texts << p.set.form3().Label1->text().toStdString() << '|' << p.set.form3().Label2->text().toStdString() << '|';
    for (QWidget* window : p.windows())
        texts << window->isVisible();
    texts << '|' << (allMessages_.empty() ? std::string() : allMessages_.back()) << '|' << allMessages_.size();
    now.texts = texts.str();
    if (observations_.empty() || now.state + now.texts != lastObservedKey_) {
        SurfaceWidget* surfaces[] = {&p.set.submCheck(), &p.set.form2(), &p.set.form1(), &p.set.form4()};
        for (std::size_t i = 0; i < 4; ++i) {
            const QImage image = surfaces[i]->surfaceImage();
            now.pictures[i] = qHashBits(image.constBits(), std::size_t(image.sizeInBytes()));
        }
    } else {
        now.pictures = observations_.back().pictures;
    }
    lastObservedKey_ = now.state + now.texts;
    observations_.push_back(std::move(now));
}

// The program has ended when its configuration window has closed; the next
// action starts it afresh.
void ProgramDriver::restartIfEnded() {
    if (program_->set.kestrani().isVisible())
        return;
    ++counts_["program runs ended"];
    program_.reset();
    program_ = std::make_unique<Program>();
}

std::optional<Step> RandomSteps::next(bool whileBoxOpen) {
    if (whileBoxOpen && (nestedInThisBox_ >= 3 || random_() % 2 == 0)) {
        nestedInThisBox_ = 0;
        return std::nullopt;
    }
    nestedInThisBox_ += whileBoxOpen;
    return driver_.randomStep(random_, whileBoxOpen);
}

std::optional<Step> RecordedSteps::next(bool whileBoxOpen) {
    if (at_ >= steps_.size() || steps_[at_].whileBoxOpen != whileBoxOpen)
        return std::nullopt;
    const Step step = steps_[at_++];
    if (step.action == answerTheBox)
        return std::nullopt;
    return step;
}

}  // namespace kestrani::testing
