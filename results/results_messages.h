#pragma once
// What the results window says about the results file, the option that keeps
// it and the CSV export, in the program's words.

#include <string>
#include <string_view>

#include "results/file_problem.h"
#include "results/result_store.h"

namespace kestrani {

// The cause in a few words, to stand after a colon; detail tells an Other cause.
std::string problemText(FileProblem problem, const std::string& detail = {});
// The form of a Russian noun after the number n: one (1, 21, 101), few (2–4,
// 22–24) or many (0, 5–20, 25–30, 111–114).
std::string_view pluralForm(long long n, std::string_view one, std::string_view few, std::string_view many);

// What is wrong with the results file at path; empty when nothing is.
std::string storeStateText(const ResultStore& store, const std::string& path);
// The message shown the first time in a run that a result cannot be written.
std::string writeFailureText(const ResultStore& store, const std::string& path);
// results and answers of this run were to be written and are not in the file.
std::string unsavedText(int results, int answers = 0);
// The history is off, and the file at path keeps what earlier runs left.
std::string earlierRunsStayText(const std::string& path);
// count rows of the file are not shown.
std::string skippedText(int count);
// The option could not be kept in the settings file; remembering: as it is in this run.
std::string optionNotKeptText(bool remembering, const std::string& settingsPath, FileProblem why);
// The CSV file at path could not be written.
std::string csvNotSavedText(const std::string& path, FileProblem why);
// "Начать новый файл": the old file now has the name aside, or could not be moved.
std::string newFileStartedText(const std::string& aside);
std::string newFileNotStartedText();

}  // namespace kestrani
