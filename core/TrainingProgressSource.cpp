#include "core/TrainingProgressSource.h"

#include "core/Errors.h"

#include <limits>

namespace {
ITrainingProgressSource* gSource = nullptr;
}

void SetTrainingProgressSource(ITrainingProgressSource* source) { gSource = source; }

ITrainingProgressSource* GetTrainingProgressSource() { return gSource; }

double TrainingProgressEstimate(int64_t playerID, int skill, int lastPage) {
  // The history store keys players by 32-bit IDs; a wider one cannot be looked up there.
  if (playerID < std::numeric_limits<int32_t>::min() || playerID > std::numeric_limits<int32_t>::max())
    throw ERangeError();
  if (!gSource) return 0.0;
  return gSource->GetTrainingProgress(static_cast<int32_t>(playerID), skill, false, lastPage);
}
