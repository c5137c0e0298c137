#pragma once
// The whole program on fakes, driven through its real widgets by user actions:
// clicks on every control of every window, texts typed into the number fields,
// timer expiries on a fake clock and message boxes answered. While a box is
// open only ticks get through, as in a modal box's nested event loop. A run is
// a list of steps; it can be drawn from a seed or played from a recording.

#include <array>
#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <random>
#include <string>
#include <vector>

#include "app/window_set.h"
#include "fakes/fake_clock.h"
#include "fakes/fake_screen.h"

namespace kestrani::testing {

// One user action: an entry of the action table, its argument (which control,
// which text, how long) and whether it came while a message box was open.
struct Step {
    int action = 0;
    std::uint32_t argument = 0;
    bool whileBoxOpen = false;
};

// What a run shows after a step, for comparing two runs.
struct Observation {
    std::string state;                  // every ExerciseState field and the generator
    std::array<std::size_t, 4> pictures{};  // surfaces of TSubmCheck, TForm2, TForm1, TForm4
    std::string texts;                  // prompts, visible windows, last message
    friend bool operator==(const Observation&, const Observation&) = default;
};

// Where the steps come from.
class StepSource {
public:
    virtual ~StepSource() = default;
    // The next step at top level, or while a box is open; none closes the box
    // (or, at top level, ends the run).
    virtual std::optional<Step> next(bool whileBoxOpen) = 0;
};

class ProgramDriver {
public:
    explicit ProgramDriver(bool observe = false);
    ~ProgramDriver();

    // Plays steps from the source until it runs dry, maxSteps top-level steps
    // have run or an invariant breaks.
    void run(StepSource& source, long maxSteps);

    // The first broken invariant, empty while all hold.
    const std::string& failure() const { return failure_; }
    // Every step performed, nested ones right after the step that opened the box.
    const std::vector<Step>& record() const { return record_; }
    const std::vector<Observation>& observations() const { return observations_; }
    const std::vector<std::string>& messages() const { return allMessages_; }
    // Counters of what the run reached, by name.
    long count(const std::string& what) const;

    static std::string describe(const Step& step);
    // A step drawn from the generator among the actions that apply now.
    Step randomStep(std::mt19937& random, bool whileBoxOpen) const;

    struct Program;

private:
    struct Action;
    static const std::vector<Action>& actions();
    static int timePasses();

    void perform(const Step& step);
    void messageBoxOpen();
    // After every step; at top level no box may be open and the engine idle.
    void check(bool topLevel);
    std::string brokenInvariant(bool topLevel) const;
    std::string stateDigest() const;
    void observe();
    void restartIfEnded();

    std::unique_ptr<Program> program_;
    bool observe_;
    std::string failure_;
    std::vector<Step> record_;
    std::vector<Observation> observations_;
    std::vector<std::string> allMessages_;
    std::string lastObservedKey_;
    std::map<std::string, long> counts_;
    StepSource* source_ = nullptr;
};

// Steps drawn from a seed.
class RandomSteps : public StepSource {
public:
    RandomSteps(const ProgramDriver& driver, std::uint32_t seed) : driver_(driver), random_(seed) {}
    std::optional<Step> next(bool whileBoxOpen) override;

private:
    const ProgramDriver& driver_;
    std::mt19937 random_;
    int nestedInThisBox_ = 0;
};

// Steps played back from a recording.
class RecordedSteps : public StepSource {
public:
    explicit RecordedSteps(std::vector<Step> steps) : steps_(std::move(steps)) {}
    std::optional<Step> next(bool whileBoxOpen) override;

private:
    std::vector<Step> steps_;
    std::size_t at_ = 0;
};

}  // namespace kestrani::testing
