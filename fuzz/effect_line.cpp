// Reads arbitrary text as one sound-effect recipe line and renders what is read.
// The sample rate is low so that a run stays quick.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cmath>
#include <string>
#include <string_view>

#include "tools/common/synth/effect.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const std::string_view line(reinterpret_cast<const char*>(data), size);
    tools::synth::EffectRecipe recipe;
    std::string error;
    if (!tools::synth::ParseEffectLine(line, recipe, error)) return 0;
    for (const float sample : tools::synth::RenderEffect(recipe, 200.0)) {
        if (!std::isfinite(sample) || std::fabs(sample) > 1.0f) std::abort();
    }
    return 0;
}
