#include "results/result_history.h"

#include <algorithm>
#include <ctime>
#include <filesystem>
#include <type_traits>

#include "results/results_messages.h"

namespace kestrani {

ResultHistory::ResultHistory(std::string path, bool remember) : path_(std::move(path)) { setRemembering(remember); }

void ResultHistory::setRemembering(bool on) {
    if (on == remembering())
        return;
    failureReported_ = false;
    unsaved_ = 0;
    unsavedAnswers_ = 0;
    resultsCopy_ = {};
    answersCopy_ = {};
    store_ = on ? ResultStore::open(path_) : nullptr;
    if (store_)
        writeWhatTheFileLacks();
}

void ResultHistory::writeWhatTheFileLacks() {
    if (store_->status() != ResultStore::Status::Writable)
        return;
    for (Kept<AnswerRecord>& kept : sessionAnswers_)
        if (!kept.stored && !failureReported_)
            kept.stored = store(kept.record);
    for (Kept<ExerciseResult>& kept : session_)
        if (!kept.stored && !failureReported_)
            kept.stored = store(kept.record);
}

template <typename Record>
bool ResultHistory::store(const Record& record) {
    bool stored = false;
    if constexpr (std::is_same_v<Record, AnswerRecord>)
        stored = store_->status() == ResultStore::Status::Writable && store_->appendAnswer(record);
    else
        stored = store_->status() == ResultStore::Status::Writable && store_->append(record);
    if (!stored) {
        ++(std::is_same_v<Record, AnswerRecord> ? unsavedAnswers_ : unsaved_);
        if (!failureReported_) {
            failureReported_ = true;
            if (onWriteFailure)
                onWriteFailure(*store_);
        }
    }
    return stored;
}

void ResultHistory::answerRecorded(const AnswerRecord& answer) {
    sessionAnswers_.push_back({answer, store_ && store(answer)});
    if (sessionAnswers_.back().stored && answersCopy_.read)
        answersCopy_.records.push_back(answer);
    if (onChanged)
        onChanged();
}

void ResultHistory::resultRecorded(const ExerciseResult& result) {
    session_.push_back({result, store_ && store(result)});
    if (session_.back().stored && resultsCopy_.read)
        resultsCopy_.records.push_back(result);
    if (onChanged)
        onChanged();
}

template <typename Record>
const std::vector<Record>& ResultHistory::fromFile(FileCopy<Record>& copy) {
    const bool readable =
        store_ && (store_->status() == ResultStore::Status::Writable || store_->status() == ResultStore::Status::ReadOnly);
    if (!readable) {
        copy = {};
        return copy.records;
    }
    const std::optional<std::int64_t> version = store_->dataVersion();
    if (!copy.read || !version || version != copy.version) {
        if constexpr (std::is_same_v<Record, AnswerRecord>)
            copy.records = store_->loadAnswers();
        else
            copy.records = store_->loadAll();
        copy.version = version;
        copy.read = true;
    }
    return copy.records;
}

std::vector<ExerciseResult> ResultHistory::results() {
    std::vector<ExerciseResult> all = fromFile(resultsCopy_);
    for (const Kept<ExerciseResult>& kept : session_)
        if (!kept.stored || !store_)
            all.push_back(kept.record);
    std::stable_sort(all.begin(), all.end(),
                     [](const ExerciseResult& a, const ExerciseResult& b) { return a.endedAt > b.endedAt; });
    return all;
}

std::vector<AnswerRecord> ResultHistory::answers() {
    std::vector<AnswerRecord> all = fromFile(answersCopy_);
    for (const Kept<AnswerRecord>& kept : sessionAnswers_)
        if (!kept.stored || !store_)
            all.push_back(kept.record);
    // The file keeps them in the order they were given; this run's follow.
    const auto earlier = [](const AnswerRecord& a, const AnswerRecord& b) { return a.answeredAt < b.answeredAt; };
    if (!std::is_sorted(all.begin(), all.end(), earlier))
        std::stable_sort(all.begin(), all.end(), earlier);
    return all;
}

std::optional<std::string> ResultHistory::startNewFile(std::int64_t millisecondsSinceEpoch) {
    namespace fs = std::filesystem;
    const std::time_t seconds = static_cast<std::time_t>(millisecondsSinceEpoch / 1000);
    std::tm local{};
    localtime_r(&seconds, &local);
    char stamp[32];
    std::strftime(stamp, sizeof stamp, "%Y%m%d-%H%M%S", &local);
    const fs::path original(path_);
    fs::path aside;
    for (int n = 1;; ++n) {
        std::string name = original.stem().string() + "-damaged-" + stamp;
        if (n > 1)
            name += "-" + std::to_string(n);
        aside = original.parent_path() / (name + original.extension().string());
        if (!fs::exists(aside))
            break;
    }
    store_.reset();
    resultsCopy_ = {};
    answersCopy_ = {};
    std::error_code error;
    fs::rename(original, aside, error);
    if (error) {
        store_ = ResultStore::open(path_);
        return std::nullopt;
    }
    // SQLite's side files belong to the old file and go with it.
    for (const char* suffix : {"-wal", "-shm", "-journal"}) {
        const fs::path side(path_ + suffix);
        if (fs::exists(side, error))
            fs::rename(side, fs::path(aside.string() + suffix), error);
    }
    failureReported_ = false;
    store_ = ResultStore::open(path_);
    return aside.string();
}

void ResultHistory::optionNotKept(std::string settingsPath, FileProblem why) {
    optionProblem_ = OptionProblem{std::move(settingsPath), why};
}

std::string ResultHistory::stateText() const {
    std::string text;
    const auto add = [&text](const std::string& paragraph) {
        if (!paragraph.empty())
            text += (text.empty() ? "" : "\n") + paragraph;
    };
    if (optionProblem_)
        add(optionNotKeptText(remembering(), optionProblem_->settingsPath, optionProblem_->why));
    std::error_code error;
    if (!store_ && std::filesystem::is_regular_file(path_, error))
        add(earlierRunsStayText(path_));
    if (store_) {
        add(storeStateText(*store_, path_));
        if (unsaved_ > 0 || unsavedAnswers_ > 0)
            add(unsavedText(unsaved_, unsavedAnswers_));
        if (store_->skippedRows() > 0)
            add(skippedText(store_->skippedRows()));
    }
    return text;
}

}  // namespace kestrani
