#include "results/results_view.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

#include "results/csv_writer.h"
#include "results/results_messages.h"

namespace kestrani {

namespace {

// Local time as "10.12.2026 09:31:05".
std::string dateTimeText(std::int64_t milliseconds) { return localTimeText(milliseconds, "%d.%m.%Y %H:%M:%S"); }

std::string exerciseNumber(ExerciseKind kind) { return std::to_string(static_cast<int>(kind)); }

std::string optionalNumber(const std::optional<double>& value) { return value ? displayNumber(*value) : std::string(); }

std::string counted(long long n, std::string_view one, std::string_view few, std::string_view many) {
    return std::to_string(n) + " " + std::string(pluralForm(n, one, few, many));
}

// The threshold as a cell: the value with its unit, or why there is none.
std::string thresholdCell(const ThresholdRow& row) {
    const ThresholdFit& fit = row.fit;
    if (!fit.enough)
        return "нужно ещё " + counted(fit.moreAnswersNeeded, "ответ", "ответа", "ответов");
    if (!fit.curve || (!fit.lower && !fit.upper))
        return "не определяется";
    const std::string unit = " " + row.unit;
    // With an end open the threshold lies at the edge of what was searched:
    // the answers only say on which side of the other end it is.
    if (!fit.upper)
        return "> " + displayNumber(*fit.lower) + unit;
    if (!fit.lower)
        return "< " + displayNumber(*fit.upper) + unit;
    return displayNumber(fit.curve->threshold) + unit;
}

std::string intervalCell(const ThresholdRow& row) {
    const ThresholdFit& fit = row.fit;
    if (!fit.curve)
        return {};
    if (fit.lower && fit.upper)
        return displayNumber(*fit.lower) + " – " + displayNumber(*fit.upper);
    if (fit.lower)
        return "от " + displayNumber(*fit.lower);
    if (fit.upper)
        return "до " + displayNumber(*fit.upper);
    return {};
}

// A threshold's property and, for a fit on the fade-out level, the
// properties that changed with it.
std::string propertyName(const ThresholdKey& key, ObjectKind kind) {
    std::string name(rowShortName(key.property, kind));
    RowSet others = key.levelRows;
    others.reset(SlotColumn::rowIndex(key.property));
    if (others.any())
        name += " (вместе с: " + rowList(others, kind) + ")";
    return name;
}

constexpr std::int64_t day = 86'400'000;

}  // namespace

std::string displayNumber(double value) {
    if (!std::isfinite(value))
        return "—";
    const double size = std::fabs(value);
    const int decimals = size >= 100 ? 0 : size >= 10 ? 1 : 2;
    char text[64];
    std::snprintf(text, sizeof text, "%.*f", decimals, value);
    std::string out = text;
    if (out.find('.') != std::string::npos) {
        while (out.back() == '0')
            out.pop_back();
        if (out.back() == '.')
            out.pop_back();
    }
    if (out == "-0")
        out = "0";
    std::replace(out.begin(), out.end(), '.', ',');
    return out;
}

TableText exercisesTable(const std::vector<ExerciseResult>& results) {
    TableText t;
    t.headers = {"Начало", "Конец", "Упражнение", "Объект", "Правильных ответов", "Окончание", "Изменяемые", "Калибруемые"};
    t.rightAligned = {false, false, true, false, true, false, false, false};
    for (Submodality row : gridRows) {
        t.headers.emplace_back(rowTitle(row));
        t.rightAligned.push_back(true);
    }
    t.headers.emplace_back("Цвет, ΔE00");
    t.rightAligned.push_back(true);
    for (const ExerciseResult& r : results) {
        std::vector<std::string> cells = {
            dateTimeText(r.startedAt),
            dateTimeText(r.endedAt),
            exerciseNumber(r.exerciseKind),
            std::string(objectKindName(r.objectKind)),
            std::to_string(r.rightAnswers),
            std::string(endText(r.end)),
            rowList(r.changeable, r.objectKind),
            rowList(r.asked, r.objectKind),
        };
        for (const std::optional<double>& reached : r.reached)
            cells.push_back(optionalNumber(reached));
        cells.push_back(optionalNumber(r.deltaE00));
        t.rows.push_back(std::move(cells));
    }
    return t;
}

std::string thresholdName(const ThresholdKey& key, ObjectKind kind) {
    return "Упражнение " + exerciseNumber(key.exerciseKind) + ": " + propertyName(key, kind);
}

TableText thresholdsTable(const std::vector<ThresholdRow>& rows) {
    TableText t;
    t.headers = {"Упражнение", "Субмодальность", "Порог (75 % верных)", "95 % интервал", "Ответов", "Неверных"};
    t.rightAligned = {true, false, true, true, true, true};
    for (const ThresholdRow& row : rows) {
        t.rows.push_back({exerciseNumber(row.key.exerciseKind), propertyName(row.key, ObjectKind::Rectangle),
                          thresholdCell(row), intervalCell(row),
                          std::to_string(row.fit.answers), std::to_string(row.fit.wrong)});
    }
    return t;
}

PsychometricPicture psychometricPicture(const ThresholdRow& row) {
    PsychometricPicture p;
    p.title = thresholdName(row.key) + ": доля верных ответов";
    p.xTitle = "Разница, " + row.unit;
    p.guessRate = row.guessRate;
    if (row.bins.empty())
        return p;
    p.xLow = row.bins.front().lower / 1.25;
    p.xHigh = row.bins.back().upper * 1.25;
    for (const ThresholdBin& bin : row.bins) {
        p.bins.push_back({std::sqrt(bin.lower * bin.upper), bin.proportionRight()});
        p.binAnswers.push_back(bin.answers);
    }
    if (const std::optional<PsychometricCurve>& curve = row.fit.curve) {
        constexpr int points = 80;
        const double ratio = std::pow(p.xHigh / p.xLow, 1.0 / (points - 1));
        double x = p.xLow;
        for (int i = 0; i < points; ++i, x *= ratio)
            p.curve.push_back({x, curve->probabilityRight(x)});
        if (row.fit.lower && row.fit.upper)
            p.threshold = ChartPoint{curve->threshold, thresholdProportion};
    }
    return p;
}

ProgressPicture progressPicture(const ThresholdProgress& progress, const ThresholdRow& row) {
    ProgressPicture p;
    p.title = thresholdName(row.key) + (progress.byWeek ? ": порог по неделям" : ": порог по дням");
    p.yTitle = "Порог, " + progress.unit;
    const std::int64_t period = progress.byWeek ? 7 * day : day;
    double highest = 0;
    std::vector<bool> openAbove;
    for (const ProgressPoint& point : progress.points) {
        const ThresholdFit& fit = point.fit;
        if (!fit.curve || (!fit.lower && !fit.upper))
            continue;
        ProgressPicture::Point drawn;
        drawn.at = point.periodStart + period / 2;
        drawn.value = fit.curve->threshold;
        drawn.low = fit.lower.value_or(0);
        drawn.high = fit.upper.value_or(drawn.value);
        drawn.best = point.best;
        drawn.latest = point.latest;
        drawn.label = point.label;
        highest = std::max(highest, drawn.high);
        p.points.push_back(drawn);
        openAbove.push_back(!fit.upper);
    }
    if (p.points.empty()) {
        p.emptyText = noProgressText();
        for (const ProgressPoint& point : progress.points) {
            const ThresholdFit& fit = point.fit;
            p.emptyText += "\n" + point.label + ": " + counted(fit.answers, "ответ", "ответа", "ответов") + ", " +
                           (fit.enough ? "порог не определяется"
                                       : "для порога нужно ещё " +
                                             counted(fit.moreAnswersNeeded, "ответ", "ответа", "ответов"));
        }
        return p;
    }
    p.yHigh = highest * 1.1;
    // An open end is drawn to the top of the axis.
    for (std::size_t i = 0; i < p.points.size(); ++i)
        if (openAbove[i])
            p.points[i].high = p.yHigh;
    p.from = p.points.front().at - period;
    p.to = p.points.back().at + period;
    return p;
}

std::string noExercisesText() {
    return "Результатов пока нет. Каждое упражнение, начатое кнопкой «Упражнения», появится здесь строкой: когда "
           "оно шло, с какими настройками, сколько ответов были верными и до какой разницы вы дошли.";
}

std::string noThresholdsText(int answers) {
    return "Порогов пока нет. Порог — разница, которую вы различаете в трёх ответах из четырёх; он появляется, когда "
           "для субмодальности набирается не меньше 30 ответов, из них хотя бы 5 неверных. Ответов пока: " +
           std::to_string(answers) + ".";
}

std::string noProgressText() {
    return "Здесь появится порог выбранной субмодальности по дням: точка за каждый день, в который набралось "
           "достаточно ответов, с её интервалом.";
}

}  // namespace kestrani
