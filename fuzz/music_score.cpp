// Reads arbitrary text as a music score and renders what is read.
// The sample rate is low so that a run stays quick.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "tools/common/synth/score.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    tools::synth::Score score;
    std::string error;
    if (!tools::synth::ParseScore(text, score, error)) return 0;
    tools::synth::RenderScore(score, 100);
    return 0;
}
