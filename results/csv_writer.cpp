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

std::string optionalNumber(const std::optional<double>& value);

void writeRow(std::ostream& out, const std::vector<std::string>& fields) {
    for (std::size_t i = 0; i < fields.size(); ++i) {
        if (i > 0)
            out << ',';
        out << quoted(fields[i]);
    }
    out << "\r\n";
}

std::string optionalNumber(const std::optional<double>& value) { return value ? numberText(*value) : std::string(); }

}  // namespace

std::string localTimeText(std::int64_t millisecondsSinceEpoch, const char* format) {
    // Floor division, so that times before 1970 keep their second.
    std::int64_t seconds = millisecondsSinceEpoch / 1000;
    if (millisecondsSinceEpoch % 1000 < 0)
        --seconds;
    const std::time_t t = static_cast<std::time_t>(seconds);
    std::tm local{};
    if (!localtime_r(&t, &local))
        return {};  // beyond what the C library can tell
    char text[32];
    std::strftime(text, sizeof text, format, &local);
    return text;
}

std::string numberText(double value) {
    char text[40];
    // Twelve significant digits, read back: the double nearest them.
    auto end = std::to_chars(text, text + sizeof text, value, std::chars_format::general, 12).ptr;
    double rounded = value;
    std::from_chars(text, end, rounded);
    end = std::to_chars(text, text + sizeof text, rounded).ptr;
    return std::string(text, end);
}

std::string_view choiceText(Choice choice) {
    switch (choice) {
    case Choice::Left: return "левый";
    case Choice::Right: return "правый";
    case Choice::Object: return "объект";
    case Choice::Background: return "фон";
    case Choice::None: return "нет ответа";
    case Choice::Either: return "любой";
    }
    return "";
}

std::string_view questionText(Submodality question) {
    switch (question) {
    case Submodality::Hue: return "тон (красный)";
    case Submodality::Blue: return "тон (синий)";
    case Submodality::Green: return "тон (зелёный)";
    default: return rowShortName(question);
    }
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
    header.emplace_back("Цвет, ΔE00");
    writeRow(out, header);

    for (const ExerciseResult& r : results) {
        std::vector<std::string> fields = {
            localTimeText(r.startedAt),
            localTimeText(r.endedAt),
            std::to_string(static_cast<int>(r.exerciseKind)),
            std::string(objectKindName(r.objectKind)),
            rowList(r.changeable, r.objectKind),
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
            fields.push_back(optionalNumber(reached));
        fields.push_back(optionalNumber(r.deltaE00));
        writeRow(out, fields);
    }
}

void writeAnswersCsv(std::ostream& out, const std::vector<AnswerRecord>& answers) {
    std::vector<std::string> header = {
        "Начало упражнения", "Номер ответа", "Время ответа", "Упражнение", "Объект", "Изменяемые", "Вопрос",
        "Больше или меньше", "Верный ответ", "Ответ", "Верно", "Время реакции, мс", "Уровень",
        "Цвет, ΔE00", "Светлота, ΔL'/SL", "Насыщенность, ΔC'/SC", "Цветовой тон, ΔH'/SH",
    };
    for (Submodality row : gridRows)
        header.emplace_back(rowTitle(row));
    header.emplace_back("Миллиметров в пикселе");
    writeRow(out, header);

    for (const AnswerRecord& a : answers) {
        const auto part = [&a](double ColourDifference::*member) {
            return a.colour ? numberText((*a.colour).*member) : std::string();
        };
        std::vector<std::string> fields = {
            localTimeText(a.exerciseStartedAt),
            std::to_string(a.number),
            localTimeText(a.answeredAt),
            std::to_string(static_cast<int>(a.exerciseKind)),
            std::string(objectKindName(a.objectKind)),
            rowList(a.changeable, a.objectKind),
            a.question ? std::string(questionText(*a.question)) : std::string(),
            a.askedMore ? (*a.askedMore ? "больше" : "меньше") : "",
            std::string(choiceText(a.key)),
            std::string(choiceText(a.given)),
            yesNo(a.right),
            optionalText(a.reactionMilliseconds),
            numberText(a.level),
            part(&ColourDifference::deltaE00),
            part(&ColourDifference::lightness),
            part(&ColourDifference::chroma),
            part(&ColourDifference::hue),
        };
        for (const std::optional<double>& difference : a.difference)
            fields.push_back(optionalNumber(difference));
        fields.push_back(optionalNumber(a.millimetresPerPixel));
        writeRow(out, fields);
    }
}

}  // namespace kestrani
