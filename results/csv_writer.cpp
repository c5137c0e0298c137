#include "results/csv_writer.h"

#include <charconv>
#include <ctime>

namespace kestrani {

namespace {

std::string quoted(std::string_view field) {
    if (field.find_first_of(",\"\r\n") == std::string_view::npos)
        return std::string(field);
    std::string out = "\"";
    for (char c : field) {
        if (c == '"')
            out += '"';
        out += c;
    }
    return out + '"';
}

std::string yesNo(bool value) { return value ? "да" : "нет"; }

std::string optionalText(const std::optional<int>& value) { return value ? std::to_string(*value) : std::string(); }

void writeRow(std::ostream& out, const std::vector<std::string>& fields) {
    for (std::size_t i = 0; i < fields.size(); ++i) {
        if (i > 0)
            out << ',';
        out << quoted(fields[i]);
    }
    out << "\r\n";
}

}  // namespace

std::string localTimeText(std::int64_t millisecondsSinceEpoch) {
    // Floor division, so that times before 1970 keep their second.
    std::int64_t seconds = millisecondsSinceEpoch / 1000;
    if (millisecondsSinceEpoch % 1000 < 0)
        --seconds;
    const std::time_t t = static_cast<std::time_t>(seconds);
    std::tm local{};
    if (!localtime_r(&t, &local))
        return {};  // beyond what the C library can tell
    char text[32];
    std::strftime(text, sizeof text, "%Y-%m-%d %H:%M:%S", &local);
    return text;
}

std::string numberText(double value) {
    char text[32];
    const auto end = std::to_chars(text, text + sizeof text, value).ptr;
    return std::string(text, end);
}

void writeCsv(std::ostream& out, const std::vector<ExerciseResult>& results) {
    std::vector<std::string> header = {
        "Начало", "Конец", "Упражнение", "Объект", "Изменяемые", "Калибруемые",
        "Немонотонность", "Разбивка", "Переменный фон",
        "Показ эталона, с", "Задержка, с", "Показ объектов, с", "Стандартный цвет",
        "Эталон: красный", "Эталон: зелёный", "Эталон: синий",
        "Правильных ответов", "Окончание",
        "Разница: красный", "Разница: зелёный", "Разница: синий",
    };
    for (Submodality row : gridRows)
        header.emplace_back(rowTitle(row));
    writeRow(out, header);

    for (const ExerciseResult& r : results) {
        std::vector<std::string> fields = {
            localTimeText(r.startedAt),
            localTimeText(r.endedAt),
            std::to_string(static_cast<int>(r.exerciseKind)),
            std::string(objectKindName(r.objectKind)),
            rowList(r.changeable),
            rowList(r.asked),
            yesNo(r.nonMonotonic),
            yesNo(r.splitting),
            yesNo(r.variableBackground),
            optionalText(r.referenceShowSeconds),
            optionalText(r.delaySeconds),
            optionalText(r.objectShowSeconds),
            optionalText(r.standardColour),
            std::to_string(r.referenceColour.red),
            std::to_string(r.referenceColour.green),
            std::to_string(r.referenceColour.blue),
            std::to_string(r.rightAnswers),
            std::string(endText(r.end)),
            std::to_string(r.deltaRed),
            std::to_string(r.deltaGreen),
            std::to_string(r.deltaBlue),
        };
        for (const std::optional<double>& reached : r.reached)
            fields.push_back(reached ? numberText(*reached) : std::string());
        writeRow(out, fields);
    }
}

}  // namespace kestrani
