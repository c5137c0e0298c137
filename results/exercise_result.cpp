#include "results/exercise_result.h"

#include <cmath>
#include <cstdlib>
#include <numbers>

#include "engine/drawn_stimulus.h"

namespace kestrani {

double reachedDifference(const ExerciseState& s, ObjectKind kind, Submodality row) {
    // The stimulus as the fade-out left it: a cancelled step of exercise 3
    // shows the asked property as the reference has it, but the user was
    // tested at the fade-out's level. Centres as the sum of both corners: half
    // of it is the centre, for boxes and for lines drawn in either direction.
    const DrawnObject o = fadedObject(s), r = drawnReference(s);
    const auto centreDifference = [](std::int64_t object1, std::int64_t object2, std::int64_t reference1,
                                     std::int64_t reference2) {
        return std::fabs(static_cast<double>((object1 + object2) - (reference1 + reference2))) / 2.0;
    };
    const auto extent = [](std::int64_t from, std::int64_t to) { return std::llabs(to - from); };
    const auto difference = [](std::int64_t object, std::int64_t reference) {
        return std::fabs(static_cast<double>(object - reference));
    };
    const bool line = kind == ObjectKind::Line;
    switch (row) {
    case Submodality::Brightness: return std::fabs(s.objectBrightness - s.referenceBrightness);
    case Submodality::Hue: return std::fabs(s.objectHue - s.referenceHue);
    case Submodality::Saturation: return std::fabs(s.objectSaturation - s.referenceSaturation);
    case Submodality::Height: return difference(extent(o.y1, o.y2), extent(r.y1, r.y2));
    case Submodality::Width: return difference(extent(o.x1, o.x2), extent(r.x1, r.x2));
    case Submodality::Area:
        if (line)
            return std::fabs(s.lengthStep);
        return difference(extent(o.x1, o.x2) * extent(o.y1, o.y2), extent(r.x1, r.x2) * extent(r.y1, r.y2));
    case Submodality::VerticalPosition: return centreDifference(o.y1, o.y2, r.y1, r.y2);
    case Submodality::HorizontalPosition: return centreDifference(o.x1, o.x2, r.x1, r.x2);
    case Submodality::Rotation: return std::fabs(s.angleStep) * 180.0 / std::numbers::pi;
    case Submodality::Blue:
    case Submodality::Green: break;
    }
    return 0.0;
}

namespace {

struct EndNames {
    ExerciseEnd end;
    std::string_view code;
    std::string_view text;
};

constexpr EndNames endNames[exerciseEndCount] = {
    {ExerciseEnd::WrongAnswer, "wrong-answer", "ошибка"},
    {ExerciseEnd::TimeOut, "time-out", "время вышло"},
    {ExerciseEnd::NoDifference, "no-difference", "разницы не осталось"},
    {ExerciseEnd::NothingLeftToAsk, "nothing-left-to-ask", "не о чем спрашивать"},
    {ExerciseEnd::NoCalibratedSubmodality, "no-calibrated-submodality", "нет калибруемых субмодальностей"},
    {ExerciseEnd::Left, "left", "выход из упражнения"},
    {ExerciseEnd::NewExercise, "new-exercise", "новое упражнение"},
    {ExerciseEnd::ProgramClosed, "program-closed", "программа закрыта"},
};

}  // namespace

std::string_view endCode(ExerciseEnd end) { return endNames[static_cast<int>(end)].code; }

std::optional<ExerciseEnd> endFromCode(std::string_view code) {
    for (const EndNames& names : endNames)
        if (names.code == code)
            return names.end;
    return std::nullopt;
}

std::string_view endText(ExerciseEnd end) { return endNames[static_cast<int>(end)].text; }

std::string_view rowTitle(Submodality row) {
    switch (row) {
    case Submodality::Brightness: return "Яркость";
    case Submodality::Hue: return "Цветовой тон, рад";
    case Submodality::Saturation: return "Насыщенность";
    case Submodality::Height: return "Высота, пикс.";
    case Submodality::Width: return "Ширина, пикс.";
    case Submodality::Area: return "Площадь, кв. пикс. / длина, пикс.";
    case Submodality::VerticalPosition: return "По вертикали, пикс.";
    case Submodality::HorizontalPosition: return "По горизонтали, пикс.";
    case Submodality::Rotation: return "Поворот, град.";
    case Submodality::Blue:
    case Submodality::Green: break;
    }
    return "";
}

std::string_view rowShortName(Submodality row) {
    switch (row) {
    case Submodality::Brightness: return "яркость";
    case Submodality::Hue: return "тон";
    case Submodality::Saturation: return "насыщенность";
    case Submodality::Height: return "высота";
    case Submodality::Width: return "ширина";
    case Submodality::Area: return "площадь";
    case Submodality::VerticalPosition: return "по вертикали";
    case Submodality::HorizontalPosition: return "по горизонтали";
    case Submodality::Rotation: return "поворот";
    case Submodality::Blue:
    case Submodality::Green: break;
    }
    return "";
}

std::string rowList(const RowSet& rows) {
    std::string out;
    for (std::size_t i = 0; i < gridRows.size(); ++i)
        if (rows[i]) {
            if (!out.empty())
                out += ", ";
            out += rowShortName(gridRows[i]);
        }
    return out;
}

std::string_view objectKindName(ObjectKind kind) {
    switch (kind) {
    case ObjectKind::Rectangle: return "прямоугольник";
    case ObjectKind::Ellipse: return "эллипс";
    case ObjectKind::RectangleOrEllipse: return "прямоугольник или эллипс";
    case ObjectKind::Line: return "прямая линия";
    case ObjectKind::WholeWindow: return "все окно";
    }
    return "";
}

}  // namespace kestrani
