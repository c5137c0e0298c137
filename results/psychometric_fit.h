#pragma once
// How large a difference has to be for the user to tell it three times in
// four: a psychometric function fitted to the answers by maximum likelihood.

#include <optional>
#include <span>
#include <vector>

namespace kestrani {

// One answer at a difference from the reference, in the property's unit.
// Only intensities above 0 carry a difference; others are left out.
struct Trial {
    double intensity = 0;
    bool right = false;
};

// The proportion right at which the threshold stands.
inline constexpr double thresholdProportion = 0.75;
// The fixed lapse rate: the share of answers lost to a slip or a blink
// whatever the difference. At 0 one wrong answer at a large difference
// flattens the curve and moves the threshold up; trained observers lapse on
// a few answers in a hundred, and 0.02 is the usual fixed value for them.
inline constexpr double lapseRate = 0.02;
// The enough-data rule: a threshold is shown from this many answers with at
// least this many wrong ones.
inline constexpr int minimumAnswers = 30;
inline constexpr int minimumWrong = 5;
// Intensities within this fraction of each other are fitted as one level;
// the fade-out steps are 20 %, so this is a twentieth of a step.
inline constexpr double aggregationResolution = 0.01;

// A Weibull, P(x) = γ + (1 − γ − λ)(1 − exp(−(x/α)^β)), written through its
// 75 % point: α = threshold / c^(1/β) with c = −ln(1 − (0.75 − γ) / (1 − γ − λ)).
// Precondition: 0 ≤ γ < 0.75, 0 ≤ λ < 0.25.
struct PsychometricCurve {
    double threshold = 1;  // P(threshold) = 0.75
    double slope = 1;      // β
    double guessRate = 0.5;
    double lapseRate = kestrani::lapseRate;

    double scale() const;  // α
    double probabilityRight(double intensity) const;
};

struct ThresholdFit {
    // The answers behind it (intensity above 0) and the wrong ones among them.
    int answers = 0;
    int wrong = 0;
    int levels = 0;  // distinct intensities after aggregation
    bool enough = false;
    int moreAnswersNeeded = 0;  // 0 when enough
    // The fitted curve: present when there is enough data and the guess
    // rate lies below 0.75 (above it no difference reaches 75 % right).
    std::optional<PsychometricCurve> curve;
    // The 95 % likelihood-profile interval of the threshold (twice the drop
    // of the log-likelihood at 3.84). An end is none when it is open: the
    // likelihood stays within reach out to ten times beyond the differences
    // met, so the answers do not bound it on that side. The threshold is
    // then only known to lie beyond the other end ("> 4.1"): the fit stops at
    // the end of the range searched.
    std::optional<double> lower;
    std::optional<double> upper;

    std::optional<double> threshold() const {
        return curve ? std::optional<double>(curve->threshold) : std::nullopt;
    }
};

// Answers at one intensity, or at intensities within the aggregation
// resolution of each other: one evaluation of the likelihood costs one term
// per level, however many answers there are.
struct StimulusLevel {
    double intensity = 0;  // the mean of the intensities gathered
    int answers = 0;
    int right = 0;
};

// The trials with an intensity above 0 by level, smallest first: sorted
// intensities join a level while they lie within the resolution of its
// smallest one.
std::vector<StimulusLevel> aggregate(std::span<const Trial> trials);

// Fits the curve with the given guess rate (0.5 for a choice between two,
// a false-alarm rate for a yes-or-no answer) and the fixed lapse rate.
// Precondition: levels as aggregate gives them, smallest first.
ThresholdFit fitThreshold(std::span<const StimulusLevel> levels, double guessRate);
ThresholdFit fitThreshold(std::span<const Trial> trials, double guessRate);

// How many more answers the enough-data rule needs: the missing answers, or
// the answers that at the user's rate of wrong ones so far bring the missing
// wrong ones, whichever is more. The rate is (wrong + 1) / (answers + 2), so
// it is neither 0 nor 1 for a short record.
int moreAnswersNeeded(int answers, int wrong);

}  // namespace kestrani
