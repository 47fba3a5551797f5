#pragma once
// The position ratings may add an estimate of the training progress made since a skill last rose. That
// estimate walks the history store, which lives above core/: the store implements this interface and
// registers itself, so that core/ does not depend on data/.
#include <cstdint>

class ITrainingProgressSource {
public:
  virtual ~ITrainingProgressSource() = default;
  // Fraction of a level (0..0.99) the player is estimated to have gained towards the next level of
  // skill (codes 3..10) up to page lastPage (0 = all pages). force makes the estimate independent of
  // the main window's Training toggle.
  virtual double GetTrainingProgress(int32_t playerID, int skill, bool force, int lastPage) = 0;
};

// Registers the program-wide source (nullptr unregisters). The caller keeps ownership and must
// unregister before the source goes away.
void SetTrainingProgressSource(ITrainingProgressSource* source);
ITrainingProgressSource* GetTrainingProgressSource();

// The estimate the ratings add: GetTrainingProgress(playerID, skill, false, lastPage) of the
// registered source, 0 when none is registered. ERangeError when playerID does not fit 32 bits.
double TrainingProgressEstimate(int64_t playerID, int skill, int lastPage);
