#include "skin/Blend.h"

namespace {

const TBlendRoutines& ChooseAtStart() {
    const auto vector = VectorBlendVariants();
    return vector.empty() ? ScalarBlendRoutines() : *vector.front();
}

const TBlendRoutines& gActive = ChooseAtStart();

}  // namespace

const TBlendRoutines& ActiveBlendRoutines() { return gActive; }
