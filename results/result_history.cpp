#include "results/result_history.h"

#include <algorithm>
#include <ctime>
#include <filesystem>

#include "results/results_messages.h"

namespace kestrani {

ResultHistory::ResultHistory(std::string path, bool remember) : path_(std::move(path)) { setRemembering(remember); }

void ResultHistory::setRemembering(bool on) {
    if (on == remembering())
        return;
    failureReported_ = false;
    unsaved_ = 0;
    store_ = on ? ResultStore::open(path_) : nullptr;
}

void ResultHistory::resultRecorded(const ExerciseResult& result) {
    bool stored = false;
    if (store_) {
        stored = store_->status() == ResultStore::Status::Writable && store_->append(result);
        unsaved_ += stored ? 0 : 1;
        if (!stored && !failureReported_) {
            failureReported_ = true;
            if (onWriteFailure)
                onWriteFailure(*store_);
        }
    }
    session_.push_back({result, stored});
}

std::vector<ExerciseResult> ResultHistory::results() {
    std::vector<ExerciseResult> all;
    if (store_ && (store_->status() == ResultStore::Status::Writable || store_->status() == ResultStore::Status::ReadOnly))
        all = store_->loadAll();
    for (const Kept& kept : session_)
        if (!kept.stored || !store_)
            all.push_back(kept.result);
    std::stable_sort(all.begin(), all.end(),
                     [](const ExerciseResult& a, const ExerciseResult& b) { return a.endedAt > b.endedAt; });
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
    if (store_) {
        add(storeStateText(*store_, path_));
        if (unsaved_ > 0)
            add(unsavedText(unsaved_));
        if (store_->skippedRows() > 0)
            add(skippedText(store_->skippedRows()));
    }
    return text;
}

}  // namespace kestrani
