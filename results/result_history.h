#pragma once
// This run's results and answers and, while the user keeps a history between
// runs, the results file. Nothing is written, and no file is made, while that
// is off; turned on, it takes this run's results and answers that are not in
// the file yet.

#include <functional>
#include <future>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "results/result_recorder.h"
#include "results/result_store.h"

namespace kestrani {

class ResultHistory : public ResultListener {
public:
    // path: the results file; remember: the option as the user left it.
    ResultHistory(std::string path, bool remember);

    const std::string& path() const { return path_; }
    bool remembering() const { return store_ != nullptr; }
    // On opens the file, creating it when missing, and writes this run's
    // results and answers that are not in it; off closes it and leaves it.
    void setRemembering(bool on);
    // The file while remembering; null otherwise.
    const ResultStore* store() const { return store_.get(); }

    // Kept for this run, and appended to the file while remembering.
    void answerRecorded(const AnswerRecord& answer) override;
    void resultRecorded(const ExerciseResult& result) override;

    // What the results window shows: the stored results while remembering and
    // this run's results not in the file, newest first. The file is read once
    // and again only when another program has written to it since.
    std::vector<ExerciseResult> results();
    // The answers likewise, oldest first.
    std::vector<AnswerRecord> answers();

    // Called after every answer and result kept, as the window may show them.
    std::function<void()> onChanged;

    // Moves a damaged file aside, under a new name in the same folder, and
    // starts a new one. Returns the new name of the old file, or nothing when
    // it could not be moved. Precondition: remembering and the file is damaged.
    std::optional<std::string> startNewFile(std::int64_t millisecondsSinceEpoch);

    // Called the first time in a run that a result cannot be written, with
    // the file as it stands; the exercises go on.
    std::function<void(const ResultStore&)> onWriteFailure;
    // Results and answers of this run that were to be written, since the
    // history was last turned on, and are not in the file.
    int unsaved() const { return unsaved_; }
    int unsavedAnswers() const { return unsavedAnswers_; }

    // The option could not be kept in the settings file at settingsPath: the
    // choice holds for this run only, and the window says so.
    void optionNotKept(std::string settingsPath, FileProblem why);
    void optionKept() { optionProblem_.reset(); }

    // What the results window says about the option and the file, a paragraph
    // a line; empty when all is well.
    std::string stateText() const;
    // The window offers "Начать новый файл": the file is damaged.
    bool offersNewFile() const { return store_ && store_->status() == ResultStore::Status::Damaged; }

private:
    template <typename Record>
    struct Kept {
        Record record;
        bool stored;
    };
    // Appends to the file while remembering; reports the first failure of a run.
    template <typename Record>
    bool store(const Record& record);
    void writeWhatTheFileLacks();

    std::string path_;
    std::unique_ptr<ResultStore> store_;
    struct OptionProblem {
        std::string settingsPath;
        FileProblem why;
    };

    // What the file held when last read. The results are read when first
    // asked for and again when another program has written since. The
    // answers, which are only ever added to, are read from the start in the
    // background as soon as the file is open (there may be hundreds of
    // thousands), and then only those kept since.
    template <typename Record>
    struct FileCopy {
        bool read = false;
        std::optional<std::int64_t> version;  // of the file's data, when read
        std::int64_t last = 0;                // the last row read
        std::vector<Record> records;          // oldest first
    };
    const std::vector<ExerciseResult>& resultsFromFile();
    const std::vector<AnswerRecord>& answersFromFile();
    void startReadingAnswers();

    std::vector<Kept<ExerciseResult>> session_;
    std::vector<Kept<AnswerRecord>> sessionAnswers_;
    FileCopy<ExerciseResult> resultsCopy_;
    FileCopy<AnswerRecord> answersCopy_;
    std::future<ResultStore::AnswersRead> answersReading_;
    int skippedAnswers_ = 0;
    bool failureReported_ = false;
    int unsaved_ = 0;
    int unsavedAnswers_ = 0;
    std::optional<OptionProblem> optionProblem_;
};

}  // namespace kestrani
