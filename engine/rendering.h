#pragma once
// Putting a stimulus on the fields: the splitting lines, the field background,
// and the reference and changed object placed at random.

#include "engine/engine_context.h"

namespace kestrani {

// 1001 passes of one random line on each of TForm2, TForm1 and TForm4, over
// hidden fields too; what is drawn is flushed to the screen every 100 passes.
void drawSplittingLines(EngineContext& engine);

// Silver, or with the variable background a random colour for each field.
void setFieldBackground(EngineContext& engine);

// Decides at random which field shows the reference (the answer key of
// exercises 1, 2 and 4) and paints or draws both objects.
void placeAndDrawStimulus(EngineContext& engine);

}  // namespace kestrani
