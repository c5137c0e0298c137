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
    // The reading's own connection goes first, so that the file closes as
    // the last connection to it does, with nothing left beside it.
    answersReading_ = {};
    resultsCopy_ = {};
    store_ = on ? ResultStore::open(path_) : nullptr;
    if (store_)
        writeWhatTheFileLacks();
    startReadingAnswers();
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

namespace {

bool readable(const ResultStore* store) {
    return store && (store->status() == ResultStore::Status::Writable || store->status() == ResultStore::Status::ReadOnly);
}

}  // namespace

const std::vector<ExerciseResult>& ResultHistory::resultsFromFile() {
    if (!readable(store_.get())) {
        resultsCopy_ = {};
        return resultsCopy_.records;
    }
    const std::optional<std::int64_t> version = store_->dataVersion();
    if (!resultsCopy_.read || !version || version != resultsCopy_.version) {
        resultsCopy_.records = store_->loadAll();
        resultsCopy_.version = version;
        resultsCopy_.read = true;
    }
    return resultsCopy_.records;
}

void ResultHistory::startReadingAnswers() {
    answersCopy_ = {};
    skippedAnswers_ = 0;
    if (readable(store_.get()))
        answersReading_ = std::async(std::launch::async, [path = path_] { return ResultStore::readAnswersAlone(path); });
}

const std::vector<AnswerRecord>& ResultHistory::answersFromFile() {
    if (!readable(store_.get())) {
        answersCopy_ = {};
        return answersCopy_.records;
    }
    if (answersReading_.valid()) {
        ResultStore::AnswersRead read = answersReading_.get();
        answersCopy_.records = std::move(read.answers);
        answersCopy_.last = read.last;
        skippedAnswers_ += read.skipped;
    }
    std::vector<AnswerRecord> since = store_->loadAnswersAfter(answersCopy_.last, skippedAnswers_);
    answersCopy_.records.insert(answersCopy_.records.end(), since.begin(), since.end());
    return answersCopy_.records;
}

std::vector<ExerciseResult> ResultHistory::results() {
    std::vector<ExerciseResult> all = resultsFromFile();
    for (const Kept<ExerciseResult>& kept : session_)
        if (!kept.stored || !store_)
            all.push_back(kept.record);
    std::stable_sort(all.begin(), all.end(),
                     [](const ExerciseResult& a, const ExerciseResult& b) { return a.endedAt > b.endedAt; });
    return all;
}

std::vector<AnswerRecord> ResultHistory::answers() {
    std::vector<AnswerRecord> all = answersFromFile();
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
    answersReading_ = {};
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
    startReadingAnswers();
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
        if (store_->skippedRows() + skippedAnswers_ > 0)
            add(skippedText(store_->skippedRows() + skippedAnswers_));
    }
    return text;
}

}  // namespace kestrani
