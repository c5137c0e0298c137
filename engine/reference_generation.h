#pragma once
// Generating the reference the user memorises ("Изменить эталон").

#include "engine/engine_context.h"

namespace kestrani {

inline constexpr const char* noCalibratedSubmodalityMessage =
    "В этом упражнении должа быть отмечена хотя бы одна калибруемая субмодальность!";

// TSubmCheck.Button2Click: clears the flags, shows an empty reference window,
// refuses exercises 3 and 4 when nothing is asked, arms Timer1, draws the
// reference colour and geometry and draws the reference once.
void generateReference(EngineContext& engine);

}  // namespace kestrani
