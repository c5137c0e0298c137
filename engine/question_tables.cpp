#include "engine/question_tables.h"

namespace kestrani {

// Order: Brightness, Hue, Saturation, Blue, Height, Width, Area,
// VerticalPosition, HorizontalPosition, Rotation, Green.
const QuestionTable moreQuestions = {
    "ярче?", "краснее?", "более насыщен по цвету?", "синее?", "выше?", "шире?", "больше?",
    "расположен выше?", "расположен левее?", "более горизонтален?", "зеленее?",
};

const QuestionTable lessQuestions = {
    "темнее?", "менее красен?", "менее насыщен по цвету?", "менее синь?", "ниже?", "уже?", "меньше?",
    "расположен ниже?", "расположен правее?", "более вертикален?", "менее зелен?",
};

const QuestionTable byWhatQuestions = {
    " яркости?", " цвету?", " насыщенности цвета?", " цвету?", " высоте?", " ширине?", " размеру (площади)?",
    " месту по вертикали?", " месту по горизонтали?", " наклону?", " цвету?",
};

}  // namespace kestrani
