#include "config/configuration_model.h"

namespace kestrani {

ConfigurationModel::ConfigurationModel(ExerciseState& state, AvailabilityListener* listener)
    : grid_(settings_, listener),
      referenceShowLimit_(settings_.referenceShowLimit),
      delay_(settings_.delay),
      objectShowLimit_(settings_.objectShowLimit),
      standardColour_(settings_.standardColor, state) {}

}  // namespace kestrani
