#pragma once
// The constant question texts of exercises 3 and 4, indexed by Submodality.

#include <array>
#include <string_view>

#include "config/exercise_settings.h"

namespace kestrani {

using QuestionTable = std::array<std::string_view, submodalityCount>;

extern const QuestionTable moreQuestions;
extern const QuestionTable lessQuestions;
extern const QuestionTable byWhatQuestions;

inline std::string_view question(const QuestionTable& table, Submodality s) {
    return table[static_cast<std::size_t>(s)];
}

}  // namespace kestrani
