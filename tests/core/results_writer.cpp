// Appends sample results, or answers, to a results file, one transaction
// each, and prints the number of every one once it is committed:
//   results_writer FILE COUNT WRITER [answers]
// The store tests run two at once, or kill one in the middle.

#include <cstdio>
#include <cstdlib>
#include <string>

#include "fakes/result_samples.h"
#include "results/result_store.h"

int main(int argc, char* argv[]) {
    if (argc != 4 && argc != 5) {
        std::fprintf(stderr, "usage: results_writer FILE COUNT WRITER [answers]\n");
        return 2;
    }
    const bool answers = argc == 5 && std::string(argv[4]) == "answers";
    const int count = std::atoi(argv[2]);
    const int writer = std::atoi(argv[3]);
    auto store = kestrani::ResultStore::open(argv[1]);
    if (store->status() != kestrani::ResultStore::Status::Writable) {
        std::fprintf(stderr, "cannot write: %s\n", store->problem().c_str());
        return 1;
    }
    for (int i = 0; i < count; ++i) {
        kestrani::ExerciseResult result = kestrani::fakes::sampleResult(i);
        result.deltaGreen = writer;
        kestrani::AnswerRecord answer = kestrani::fakes::sampleAnswer(i);
        answer.number = i + 1;
        if (!(answers ? store->appendAnswer(answer) : store->append(result))) {
            std::fprintf(stderr, "result %d lost: %s\n", i, store->problem().c_str());
            return 1;
        }
        std::printf("%d\n", i);
        std::fflush(stdout);
    }
    return 0;
}
