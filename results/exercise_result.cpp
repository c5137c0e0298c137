#include "results/exercise_result.h"

namespace kestrani {

bool anyColourRow(const RowSet& rows) {
    for (Submodality row : {Submodality::Brightness, Submodality::Hue, Submodality::Saturation})
        if (rows[SlotColumn::rowIndex(row)])
            return true;
    return false;
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
    case Submodality::Brightness: return "Яркость, ΔE00";
    case Submodality::Hue: return "Цветовой тон, ΔE00";
    case Submodality::Saturation: return "Насыщенность, ΔE00";
    case Submodality::Height: return "Высота, %";
    case Submodality::Width: return "Ширина, %";
    case Submodality::Area: return "Площадь / длина, %";
    case Submodality::VerticalPosition: return "По вертикали, пикс.";
    case Submodality::HorizontalPosition: return "По горизонтали, пикс.";
    case Submodality::Rotation: return "Поворот, град.";
    case Submodality::Blue:
    case Submodality::Green: break;
    }
    return "";
}

std::string_view rowShortName(Submodality row, ObjectKind kind) {
    switch (row) {
    case Submodality::Brightness: return "яркость";
    case Submodality::Hue: return "тон";
    case Submodality::Saturation: return "насыщенность";
    case Submodality::Height: return "высота";
    case Submodality::Width: return "ширина";
    case Submodality::Area: return kind == ObjectKind::Line ? "длина" : "площадь";
    case Submodality::VerticalPosition: return "по вертикали";
    case Submodality::HorizontalPosition: return "по горизонтали";
    case Submodality::Rotation: return "поворот";
    case Submodality::Blue:
    case Submodality::Green: break;
    }
    return "";
}

std::string rowList(const RowSet& rows, ObjectKind kind) {
    std::string out;
    for (std::size_t i = 0; i < gridRows.size(); ++i)
        if (rows[i]) {
            if (!out.empty())
                out += ", ";
            out += rowShortName(gridRows[i], kind);
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
