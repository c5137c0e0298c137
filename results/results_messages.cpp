#include "results/results_messages.h"

namespace kestrani {

std::string problemText(FileProblem problem, const std::string& detail) {
    switch (problem) {
    case FileProblem::None: return {};
    case FileProblem::NotAFile: return "на его месте папка, канал или устройство, а не обычный файл";
    case FileProblem::NotResults: return "это не файл результатов Kestrani";
    case FileProblem::FailsCheck: return "он не проходит проверку целостности";
    case FileProblem::NewerVersion: return "он записан более новой версией Kestrani";
    case FileProblem::Locked: return "его занимает другая программа";
    case FileProblem::DiskFull: return "на диске нет места";
    case FileProblem::WriteProtected: return "запись в него или в его папку запрещена";
    case FileProblem::NoAccess: return "читать его запрещено";
    case FileProblem::Other: break;
    }
    return detail.empty() ? "причина неизвестна" : detail;
}

std::string_view pluralForm(long long n, std::string_view one, std::string_view few, std::string_view many) {
    const long long last = (n < 0 ? -n : n) % 100;
    if (last >= 11 && last <= 14)
        return many;
    if (last % 10 == 1)
        return one;
    if (last % 10 >= 2 && last % 10 <= 4)
        return few;
    return many;
}

std::string storeStateText(const ResultStore& store, const std::string& path) {
    const std::string cause = problemText(store.cause(), store.problem());
    switch (store.status()) {
    case ResultStore::Status::Writable:
        return store.cause() == FileProblem::None
                   ? std::string()
                   : "Последний результат не удалось записать в файл " + path + ": " + cause + ".";
    case ResultStore::Status::ReadOnly:
        return store.newerVersion()
                   ? "Файл результатов записан более новой версией Kestrani, поэтому он открыт только для чтения: "
                     "прежние результаты видны, новые в него не записываются."
                   : "Файл результатов защищён от записи: прежние результаты видны, новые в него не записываются.";
    case ResultStore::Status::Damaged:
        return "Файл результатов " + path + " повреждён или не читается: " + cause +
               ". Kestrani его не меняет и не удаляет. Можно начать новый файл: старый останется рядом под "
               "другим именем.";
    case ResultStore::Status::Unavailable: {
        const bool exists = store.cause() == FileProblem::Locked || store.cause() == FileProblem::NotAFile;
        return "Файл результатов " + path + (exists ? " не удаётся открыть: " : " не удаётся открыть или создать: ") +
               cause + ". Результаты этого запуска в него не записываются; чтобы попробовать снова, снимите "
                       "флажок и поставьте его снова.";
    }
    }
    return {};
}

std::string writeFailureText(const ResultStore& store, const std::string& path) {
    return storeStateText(store, path) +
           "\n\nУпражнения продолжаются; результаты этого запуска видны в окне «Результаты», пока программа открыта.";
}

std::string unsavedText(int results, int answers) {
    const auto counted = [](int n, std::string_view one, std::string_view few, std::string_view many) {
        return std::to_string(n) + " " + std::string(pluralForm(n, one, few, many));
    };
    std::string what;
    if (results > 0)
        what = counted(results, "результат", "результата", "результатов");
    if (answers > 0)
        what += (what.empty() ? "" : " и ") + counted(answers, "ответ", "ответа", "ответов");
    const std::string_view verb = "не записаны в файл: они видны";
    // One noun in its singular form takes the verb in the singular.
    const int only = answers == 0 ? results : results == 0 ? answers : 0;
    const bool singular = only > 0 && pluralForm(only, "one", "few", "many") == "one";
    return what + " этого запуска " + std::string(singular ? "не записан в файл: он виден" : verb) +
           " здесь, пока программа открыта.";
}

std::string earlierRunsStayText(const std::string& path) {
    return "Результаты прежних запусков остались в файле " + path +
           ": они не показаны, пока флажок «Запоминать результаты между запусками» снят, и снова видны, когда он "
           "отмечен.";
}

std::string skippedText(int count) {
    const std::string_view verb = "не показаны: в них";
    return std::to_string(count) + " " + std::string(pluralForm(count, "запись", "записи", "записей")) + " файла " +
           std::string(pluralForm(count, "не показана: в ней", verb, verb)) +
           " значения, которые эта версия Kestrani не может показать, например время, которое не может быть датой.";
}

std::string optionNotKeptText(bool remembering, const std::string& settingsPath, FileProblem why) {
    return "Выбор «Запоминать результаты между запусками» не удалось сохранить в файле настроек " + settingsPath +
           ": " + problemText(why) + ". Он действует до конца этого запуска: " +
           (remembering ? "результаты записываются в файл; при следующем запуске флажок может оказаться снятым."
                        : "результаты в файл не записываются; при следующем запуске флажок может снова оказаться "
                          "отмеченным.");
}

std::string csvNotSavedText(const std::string& path, FileProblem why) {
    return "Файл " + path + " не записан: " + problemText(why) +
           ". Если файл с таким именем уже был, он остался прежним.";
}

std::string newFileStartedText(const std::string& aside) {
    return "Начат новый файл результатов. Старый файл сохранён под именем " + aside + ".";
}

std::string newFileNotStartedText() {
    return "Старый файл результатов не удалось переименовать, поэтому новый не начат.";
}

}  // namespace kestrani
