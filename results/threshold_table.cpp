#include "results/threshold_table.h"

#include <algorithm>
#include <cmath>
#include <ctime>
#include <map>
#include <tuple>

#include "results/perceptual_units.h"

namespace kestrani {

namespace {

bool isColourRow(Submodality row) {
    return row == Submodality::Brightness || row == Submodality::Hue || row == Submodality::Saturation;
}

bool isPositionRow(Submodality row) {
    return row == Submodality::VerticalPosition || row == Submodality::HorizontalPosition;
}

// Exercises 2 and 3: is the one object the reference (or unchanged in the
// asked property) or not.
bool isYesOrNo(ExerciseKind kind) { return kind == ExerciseKind::IsReference || kind == ExerciseKind::DiffersInAsked; }

// Exercises 3 and 4 ask about one property.
bool asksAboutProperty(ExerciseKind kind) {
    return kind == ExerciseKind::DiffersInAsked || kind == ExerciseKind::CompareTwo;
}

std::size_t indexOf(Submodality row) { return SlotColumn::rowIndex(row); }

std::string_view unitOf(Submodality row, bool millimetres) {
    if (isColourRow(row))
        return "ΔE00";
    if (isPositionRow(row))
        return millimetres ? "мм" : "пикс.";
    if (row == Submodality::Rotation)
        return "град.";
    return "%";
}

// The fit an answer belongs to: an exercise kind with either the property
// whose own difference is fitted or the rows fitted together on the level.
struct Group {
    ExerciseKind kind = ExerciseKind::PickReference;
    std::optional<Submodality> own;
    RowSet levelRows;

    // Kinds in order, then own differences in grid order, then level fits.
    auto order() const {
        return std::tuple(static_cast<int>(kind), own ? 0 : 1,
                          own ? static_cast<unsigned long>(indexOf(*own)) : levelRows.to_ulong());
    }
    bool operator<(const Group& other) const { return order() < other.order(); }
};

std::optional<Group> groupOf(const AnswerRecord& answer) {
    Group group{answer.exerciseKind, std::nullopt, {}};
    if (asksAboutProperty(answer.exerciseKind)) {
        if (!answer.question)
            return std::nullopt;
        const Submodality asked = *answer.question;
        group.own = asked == Submodality::Blue || asked == Submodality::Green ? Submodality::Hue : asked;
        return group;
    }
    if (answer.changeable.count() == 0)
        return std::nullopt;
    if (answer.changeable.count() == 1) {
        for (std::size_t i = 0; i < gridRows.size(); ++i)
            if (answer.changeable[i])
                group.own = gridRows[i];
        return group;
    }
    group.levelRows = answer.changeable;
    return group;
}

bool matches(const Group& group, const ThresholdKey& key) {
    if (group.kind != key.exerciseKind)
        return false;
    return key.levelRows.none() ? group.own == key.property
                                : !group.own && group.levelRows == key.levelRows && key.levelRows[indexOf(key.property)];
}

using Answers = std::vector<const AnswerRecord*>;

// Positions are given in millimetres when every answer of the fit knows the
// screen's millimetres, so that all its points share one unit.
bool allInMillimetres(const Answers& answers) {
    return std::all_of(answers.begin(), answers.end(),
                       [](const AnswerRecord* a) { return a->millimetresPerPixel.has_value(); });
}

// The difference in grid row i, in millimetres where asked (positions only).
std::optional<double> differenceOf(const AnswerRecord& answer, std::size_t i, bool millimetres) {
    const std::optional<double> d = answer.difference[i];
    if (d && millimetres)
        return kestrani::millimetres(*d, answer.millimetresPerPixel);
    return d;
}

bool rightAnswer(const AnswerRecord& answer) { return answer.right && answer.given != Choice::None; }

// The answers that carry a difference, and the guess rate they are fitted with.
struct Fitted {
    Answers answers;
    double guessRate = 0.5;
};

Fitted fittedAnswers(const Group& group, const Answers& answers) {
    Fitted fitted;
    if (!isYesOrNo(group.kind)) {
        fitted.answers = answers;
        return fitted;
    }
    // The false-alarm rate with half an answer added each way, so that a few
    // answers never make it 0 or 1 and none at all make it 0.5.
    int unchanged = 0, falseAlarms = 0;
    for (const AnswerRecord* a : answers) {
        if (a->key == Choice::Background)
            fitted.answers.push_back(a);
        else if (a->key == Choice::Object) {
            ++unchanged;
            falseAlarms += a->given == Choice::Background ? 1 : 0;
        }
    }
    fitted.guessRate = (falseAlarms + 0.5) / (unchanged + 1.0);
    return fitted;
}

std::vector<ThresholdBin> binsOf(const std::vector<StimulusLevel>& levels, double factor = 1.0) {
    const double step = std::log(1.25);
    std::map<long, ThresholdBin> bins;
    for (const StimulusLevel& level : levels) {
        const double x = level.intensity * factor;
        if (!(x > 0) || !std::isfinite(x))
            continue;
        const long k = std::lround(std::floor(std::log(x) / step));
        ThresholdBin& bin = bins[k];
        bin.lower = std::exp(step * static_cast<double>(k));
        bin.upper = std::exp(step * static_cast<double>(k + 1));
        bin.answers += level.answers;
        bin.right += level.right;
    }
    std::vector<ThresholdBin> out;
    for (const auto& [k, bin] : bins)
        out.push_back(bin);
    return out;
}

ThresholdFit scaled(ThresholdFit fit, double factor) {
    if (!(factor > 0)) {
        fit.curve.reset();
        fit.lower.reset();
        fit.upper.reset();
        return fit;
    }
    if (fit.curve)
        fit.curve->threshold *= factor;
    if (fit.lower)
        *fit.lower *= factor;
    if (fit.upper)
        *fit.upper *= factor;
    return fit;
}

double median(std::vector<double> values) {
    const auto middle = values.begin() + static_cast<std::ptrdiff_t>(values.size() / 2);
    std::nth_element(values.begin(), middle, values.end());
    if (values.size() % 2 == 1)
        return *middle;
    return (*middle + *std::max_element(values.begin(), middle)) / 2.0;
}

// The rows of one group from some of its answers; millimetres tells, by
// grid row, where positions are given in millimetres.
std::vector<ThresholdRow> rowsOf(const Group& group, const Answers& answers, const RowSet& millimetres) {
    const Fitted fitted = fittedAnswers(group, answers);
    std::vector<ThresholdRow> rows;
    std::vector<Trial> trials;
    trials.reserve(fitted.answers.size());

    if (group.own) {
        const Submodality row = *group.own;
        const std::size_t index = indexOf(row);
        const bool whole = isColourRow(row) && !asksAboutProperty(group.kind);
        for (const AnswerRecord* a : fitted.answers) {
            const std::optional<double> d =
                whole ? (a->colour ? std::optional<double>(a->colour->deltaE00) : std::nullopt)
                      : differenceOf(*a, index, millimetres[index]);
            if (d)
                trials.push_back({*d, rightAnswer(*a)});
        }
        const std::vector<StimulusLevel> levels = aggregate(trials);
        ThresholdRow out;
        out.key = {group.kind, row, {}};
        out.unit = unitOf(row, millimetres[indexOf(row)]);
        out.guessRate = fitted.guessRate;
        out.fit = fitThreshold(levels, fitted.guessRate);
        out.bins = binsOf(levels);
        rows.push_back(std::move(out));
        return rows;
    }

    for (const AnswerRecord* a : fitted.answers)
        trials.push_back({a->level, rightAnswer(*a)});
    const std::vector<StimulusLevel> levels = aggregate(trials);
    const ThresholdFit levelFit = fitThreshold(levels, fitted.guessRate);
    for (std::size_t i = 0; i < gridRows.size(); ++i) {
        if (!group.levelRows[i])
            continue;
        const Submodality row = gridRows[i];
        std::vector<double> perLevel;
        for (const AnswerRecord* a : fitted.answers)
            if (const std::optional<double> d = differenceOf(*a, i, millimetres[i]); d && a->level > 0)
                perLevel.push_back(*d / a->level);
        ThresholdRow out;
        out.key = {group.kind, row, group.levelRows};
        out.unit = unitOf(row, millimetres[i]);
        out.guessRate = fitted.guessRate;
        const double factor = perLevel.empty() ? 0.0 : median(std::move(perLevel));
        out.differencePerLevel = factor;
        out.fit = scaled(levelFit, factor);
        out.bins = binsOf(levels, factor);
        rows.push_back(std::move(out));
    }
    return rows;
}

RowSet millimetreRows(const Answers& answers) {
    RowSet rows;
    if (allInMillimetres(answers))
        for (Submodality row : {Submodality::VerticalPosition, Submodality::HorizontalPosition})
            rows[indexOf(row)] = true;
    return rows;
}

// Local calendar days. Answers come mostly in time order, so the day last
// asked about is kept and most answers need no conversion.
class LocalDays {
public:
    // The local midnight that starts the day of the moment, offset by days.
    static std::int64_t midnight(std::int64_t milliseconds, int days = 0) {
        std::tm local = localTm(milliseconds);
        local.tm_hour = local.tm_min = local.tm_sec = 0;
        local.tm_mday += days;
        local.tm_isdst = -1;
        return static_cast<std::int64_t>(std::mktime(&local)) * 1000;
    }
    // The local midnight that starts the ISO week (Monday) of the moment.
    static std::int64_t mondayMidnight(std::int64_t milliseconds) {
        const std::tm local = localTm(milliseconds);
        return midnight(milliseconds, -((local.tm_wday + 6) % 7));
    }
    static std::tm localTm(std::int64_t milliseconds) {
        const auto seconds = static_cast<std::time_t>(
            milliseconds >= 0 ? milliseconds / 1000 : -((-milliseconds + 999) / 1000));
        std::tm local{};
        localtime_r(&seconds, &local);
        return local;
    }
    static std::string label(std::int64_t periodStart, bool week) {
        const std::tm local = localTm(periodStart);
        char text[16];
        std::strftime(text, sizeof text, week ? "%G-W%V" : "%Y-%m-%d", &local);
        return text;
    }

    std::int64_t dayStart(std::int64_t milliseconds) {
        if (milliseconds < start_ || milliseconds >= end_) {
            start_ = midnight(milliseconds);
            end_ = midnight(milliseconds, 1);
        }
        return start_;
    }

private:
    std::int64_t start_ = 1, end_ = 0;
};

// Russian counting words: 1 упражнение, 2 упражнения, 5 упражнений.
std::string withWord(int n, const char* one, const char* few, const char* many) {
    const int tens = n % 100, units = n % 10;
    const char* word = (units == 1 && tens != 11)                             ? one
                       : (units >= 2 && units <= 4 && (tens < 12 || tens > 14)) ? few
                                                                                : many;
    return std::to_string(n) + " " + word;
}

}  // namespace

std::vector<ThresholdRow> thresholdTable(const std::vector<AnswerRecord>& answers) {
    std::map<Group, Answers> groups;
    // The answers of one exercise come together and share their group.
    const AnswerRecord* previous = nullptr;
    Answers* members = nullptr;
    for (const AnswerRecord& a : answers) {
        const bool sameExercise = previous && a.exerciseStartedAt == previous->exerciseStartedAt &&
                                  a.exerciseKind == previous->exerciseKind && a.changeable == previous->changeable &&
                                  a.question == previous->question;
        if (!sameExercise) {
            const std::optional<Group> group = groupOf(a);
            members = group ? &groups[*group] : nullptr;
        }
        previous = &a;
        if (members)
            members->push_back(&a);
    }
    std::vector<ThresholdRow> table;
    for (const auto& [group, members] : groups) {
        std::vector<ThresholdRow> rows = rowsOf(group, members, millimetreRows(members));
        std::move(rows.begin(), rows.end(), std::back_inserter(table));
    }
    return table;
}

ThresholdProgress thresholdProgress(const std::vector<AnswerRecord>& answers, const ThresholdKey& key) {
    ThresholdProgress progress;
    std::optional<Group> group;
    Answers members;
    for (const AnswerRecord& a : answers)
        if (const std::optional<Group> g = groupOf(a); g && matches(*g, key)) {
            group = g;
            members.push_back(&a);
        }
    if (!group)
        return progress;
    const RowSet millimetres = millimetreRows(members);
    progress.unit = unitOf(key.property, millimetres[indexOf(key.property)]);

    LocalDays days;
    std::map<std::int64_t, Answers> byDay;
    for (const AnswerRecord* a : members)
        byDay[days.dayStart(a->answeredAt)].push_back(a);
    progress.byWeek = static_cast<int>(byDay.size()) > progressDaysBeforeWeeks;
    std::map<std::int64_t, Answers> periods;
    if (progress.byWeek) {
        for (auto& [day, dayAnswers] : byDay) {
            Answers& week = periods[LocalDays::mondayMidnight(day)];
            week.insert(week.end(), dayAnswers.begin(), dayAnswers.end());
        }
    } else {
        periods = std::move(byDay);
    }

    for (const auto& [start, periodAnswers] : periods)
        for (ThresholdRow& row : rowsOf(*group, periodAnswers, millimetres))
            if (row.key.property == key.property)
                progress.points.push_back({start, LocalDays::label(start, progress.byWeek), std::move(row.fit)});

    ProgressPoint* best = nullptr;
    ProgressPoint* latest = nullptr;
    for (ProgressPoint& point : progress.points)
        if (point.fit.threshold()) {
            if (!best || *point.fit.threshold() < *best->fit.threshold())
                best = &point;
            latest = &point;
        }
    if (best)
        best->best = true;
    if (latest)
        latest->latest = true;
    return progress;
}

TodaySummary todaySummary(const std::vector<ExerciseResult>& exercises, const std::vector<AnswerRecord>& answers,
                          std::int64_t now) {
    const std::int64_t start = LocalDays::midnight(now), end = LocalDays::midnight(now, 1);
    const auto today = [&](std::int64_t moment) { return moment >= start && moment < end; };
    TodaySummary summary;
    std::int64_t milliseconds = 0;
    for (const ExerciseResult& e : exercises)
        if (today(e.startedAt)) {
            ++summary.exercises;
            milliseconds += std::max<std::int64_t>(0, e.endedAt - e.startedAt);
        }
    summary.answers = static_cast<int>(std::count_if(answers.begin(), answers.end(),
                                                     [&](const AnswerRecord& a) { return today(a.answeredAt); }));
    summary.minutes = static_cast<int>(std::llround(static_cast<double>(milliseconds) / 60000.0));
    summary.text = "Сегодня: " + withWord(summary.exercises, "упражнение", "упражнения", "упражнений") + ", " +
                   withWord(summary.answers, "ответ", "ответа", "ответов") + ", " + std::to_string(summary.minutes) +
                   " мин";
    return summary;
}

}  // namespace kestrani
