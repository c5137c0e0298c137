#include "results/psychometric_fit.h"

#include <nlopt.h>

#include <algorithm>
#include <bit>
#include <cmath>
#include <cstdint>
#include <limits>
#include <memory>
#include <vector>

namespace kestrani {

namespace {

// χ² with one degree of freedom at 95 %, halved: the drop of the
// log-likelihood at an end of the interval.
constexpr double halfCriticalValue = 3.841458820694124 / 2.0;
// The range searched: slopes from 0.5 (a curve spread over three decades)
// to 10 (from chance to near certainty within 40 %), thresholds up to ten
// times beyond the differences met.
const double lowestLogSlope = std::log(0.5);
const double highestLogSlope = std::log(10.0);
const double logReach = std::log(10.0);

// −ln(1 − (0.75 − γ) / (1 − γ − λ)): (x/α)^β at the threshold.
double exponentAtThreshold(double guess, double lapse) {
    return -std::log1p(-(thresholdProportion - guess) / (1.0 - guess - lapse));
}

// The negative log-likelihood of the answers in the parameters
// x = (ln threshold, ln slope), and its gradient.
struct Likelihood {
    // k right of n at one intensity, by its logarithm.
    struct Term {
        double logIntensity;
        double n;
        double right;
    };
    std::vector<Term> terms;
    double guess = 0.5;
    double lapse = lapseRate;
    double span = 0.48;  // 1 − γ − λ
    double c = 1;        // exponentAtThreshold

    double operator()(const double* x, double* gradient) const {
        const double u = x[0], beta = std::exp(x[1]);
        double value = 0, du = 0, dv = 0;
        for (const Term& term : terms) {
            const double d = term.logIntensity - u;
            // z = (x/α)^β; beyond 700 the curve has reached its top to the last bit.
            const double z = std::min(c * std::exp(beta * d), 700.0);
            // 1 − e^−z to the last digit even where z is tiny and γ is 0; p
            // stays above 0 where (x/α)^β underflows, decades below α.
            const double rise = -std::expm1(-z);
            const double survive = 1.0 - rise;
            const double p = std::max(guess + span * rise, std::numeric_limits<double>::min());
            const double q = lapse + span * survive;  // 1 − p, at least λ
            const double wrong = term.n - term.right;
            double dp = 0;  // dℓ/dp
            if (term.right > 0) {
                value -= term.right * std::log(p);
                dp += term.right / p;
            }
            if (wrong > 0) {
                value -= wrong * std::log(q);
                dp -= wrong / q;
            }
            if (gradient) {
                // dp/dz = span · e^−z, dz/du = −βz, dz/d(ln β) = βz·d.
                const double dz = dp * span * survive;
                du += dz * beta * z;
                dv -= dz * beta * z * d;
            }
        }
        if (gradient) {
            gradient[0] = du;
            gradient[1] = dv;
        }
        return value;
    }
};

double likelihoodObjective(unsigned, const double* x, double* gradient, void* data) {
    return (*static_cast<const Likelihood*>(data))(x, gradient);
}

// An end of the interval: the threshold as far as it goes (direction −1
// down, +1 up) while the log-likelihood stays within the critical drop.
struct IntervalEnd {
    const Likelihood* likelihood;
    double direction;
    double limit;  // the negative log-likelihood allowed
};

double endObjective(unsigned, const double* x, double* gradient, void* data) {
    const auto* end = static_cast<const IntervalEnd*>(data);
    if (gradient) {
        gradient[0] = -end->direction;
        gradient[1] = 0;
    }
    return -end->direction * x[0];
}

double endConstraint(unsigned, const double* x, double* gradient, void* data) {
    const auto* end = static_cast<const IntervalEnd*>(data);
    return (*end->likelihood)(x, gradient) - end->limit;
}

using Optimiser = std::unique_ptr<std::remove_pointer_t<nlopt_opt>, decltype(&nlopt_destroy)>;

// Steps in the logarithms of threshold and slope below xtol stop the search:
// 1e-7 of the threshold for the fit, 1e-5 (far below the digits shown) for
// the ends of its interval.
Optimiser makeOptimiser(nlopt_algorithm algorithm, const double* lower, const double* upper, double xtol) {
    Optimiser opt(nlopt_create(algorithm, 2), &nlopt_destroy);
    nlopt_set_lower_bounds(opt.get(), lower);
    nlopt_set_upper_bounds(opt.get(), upper);
    nlopt_set_xtol_abs1(opt.get(), xtol);
    nlopt_set_ftol_abs(opt.get(), 1e-10);
    nlopt_set_maxeval(opt.get(), 400);
    return opt;
}

}  // namespace

double PsychometricCurve::scale() const {
    return threshold / std::pow(exponentAtThreshold(guessRate, lapseRate), 1.0 / slope);
}

double PsychometricCurve::probabilityRight(double intensity) const {
    if (!(intensity > 0))
        return guessRate;
    const double z = exponentAtThreshold(guessRate, lapseRate) * std::pow(intensity / threshold, slope);
    return guessRate + (1.0 - guessRate - lapseRate) * -std::expm1(-z);
}

int moreAnswersNeeded(int answers, int wrong) {
    if (answers >= minimumAnswers && wrong >= minimumWrong)
        return 0;
    int forWrong = 0;
    if (wrong < minimumWrong) {
        const double wrongRate = (wrong + 1.0) / (answers + 2.0);
        forWrong = static_cast<int>(std::ceil((minimumWrong - wrong) / wrongRate));
    }
    return std::max(minimumAnswers - answers, forWrong);
}

std::vector<StimulusLevel> aggregate(std::span<const Trial> trials) {
    // Positive doubles sort as their bit patterns do; the lowest bit, a
    // part in 2^52 of the intensity, carries the verdict instead.
    std::vector<std::uint64_t> sorted;
    sorted.reserve(trials.size());
    for (const Trial& t : trials)
        if (t.intensity > 0 && std::isfinite(t.intensity))
            sorted.push_back((std::bit_cast<std::uint64_t>(t.intensity) & ~std::uint64_t{1}) | (t.right ? 1 : 0));
    std::sort(sorted.begin(), sorted.end());
    std::vector<StimulusLevel> levels;
    double first = 0, sum = 0;
    for (const std::uint64_t key : sorted) {
        const double intensity = std::bit_cast<double>(key & ~std::uint64_t{1});
        if (levels.empty() || intensity > first * (1.0 + aggregationResolution)) {
            if (!levels.empty())
                levels.back().intensity = sum / levels.back().answers;
            levels.push_back({});
            first = intensity;
            sum = 0;
        }
        sum += intensity;
        ++levels.back().answers;
        levels.back().right += static_cast<int>(key & 1);
    }
    if (!levels.empty())
        levels.back().intensity = sum / levels.back().answers;
    return levels;
}

ThresholdFit fitThreshold(std::span<const Trial> trials, double guessRate) {
    const std::vector<StimulusLevel> levels = aggregate(trials);
    return fitThreshold(levels, guessRate);
}

ThresholdFit fitThreshold(std::span<const StimulusLevel> levels, double guessRate) {
    ThresholdFit fit;
    Likelihood likelihood;
    likelihood.terms.reserve(levels.size());
    for (const StimulusLevel& level : levels) {
        if (!(level.intensity > 0) || level.answers <= 0)
            continue;
        likelihood.terms.push_back({std::log(level.intensity), static_cast<double>(level.answers),
                                    static_cast<double>(level.right)});
        fit.answers += level.answers;
        fit.wrong += level.answers - level.right;
    }
    fit.levels = static_cast<int>(likelihood.terms.size());
    fit.moreAnswersNeeded = moreAnswersNeeded(fit.answers, fit.wrong);
    fit.enough = fit.moreAnswersNeeded == 0;
    if (!fit.enough || !(guessRate >= 0 && guessRate < thresholdProportion))
        return fit;
    likelihood.guess = guessRate;
    likelihood.span = 1.0 - guessRate - lapseRate;
    likelihood.c = exponentAtThreshold(guessRate, lapseRate);

    const double lowest = likelihood.terms.front().logIntensity;
    const double highest = likelihood.terms.back().logIntensity;
    const double lower[2] = {lowest - logReach, lowestLogSlope};
    const double upper[2] = {highest + logReach, highestLogSlope};

    // The start: the best of a coarse grid over the differences met, so the
    // optimiser climbs the main hill of the likelihood.
    double x[2] = {lowest, std::log(2.0)};
    double best = likelihood(x, nullptr);
    constexpr int gridSteps = 8;
    for (double logSlope : {std::log(1.5), std::log(4.0)})
        for (int i = 0; i <= gridSteps; ++i) {
            const double candidate[2] = {lowest + (highest - lowest) * i / gridSteps, logSlope};
            const double value = likelihood(candidate, nullptr);
            if (value < best) {
                best = value;
                x[0] = candidate[0], x[1] = candidate[1];
            }
        }

    // The fit: SLSQP, a sequential quadratic programme for small smooth
    // problems within bounds; with the exact gradient it takes about fifteen
    // evaluations from the grid's best point.
    Optimiser opt = makeOptimiser(NLOPT_LD_SLSQP, lower, upper, 1e-7);
    nlopt_set_min_objective(opt.get(), likelihoodObjective, &likelihood);
    double minimum = best;
    nlopt_optimize(opt.get(), x, &minimum);
    // Whatever the optimiser's verdict, x is the best point it evaluated.
    minimum = likelihood(x, nullptr);
    fit.curve = PsychometricCurve{std::exp(x[0]), std::exp(x[1]), guessRate, lapseRate};

    // The ends: the lowest and the highest threshold within the critical drop
    // of the log-likelihood, the slope free. MMA, the method of moving
    // asymptotes in its conservative form, keeps its iterates inside that
    // region from the fitted point on, so an end it stops at early is too
    // narrow, never too wide; SLSQP, tried here too, now and then stopped
    // where it started.
    for (double direction : {-1.0, 1.0}) {
        IntervalEnd end{&likelihood, direction, minimum + halfCriticalValue};
        Optimiser endOpt = makeOptimiser(NLOPT_LD_MMA, lower, upper, 1e-5);
        nlopt_set_min_objective(endOpt.get(), endObjective, &end);
        nlopt_add_inequality_constraint(endOpt.get(), endConstraint, &end, 1e-8);
        double y[2] = {x[0], x[1]};
        double value = 0;
        nlopt_optimize(endOpt.get(), y, &value);
        const double bound = direction < 0 ? lower[0] : upper[0];
        if (std::fabs(y[0] - bound) > 1e-4)
            (direction < 0 ? fit.lower : fit.upper) = std::exp(y[0]);
    }
    return fit;
}

}  // namespace kestrani
