// Sound effects from one-line recipes: their parse and their render.
// A recipe line reads:
//   <id> <name> : <layer> ; <layer> ...
// where a layer is a waveform followed by key=value fields:
//   at=<seconds> len=<seconds> f=<Hz>[><Hz>] vol=<0..1> shape=perc|flat|swell
//   duty=<0..1> vib=<Hz>:<semitones>
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "tools/common/synth/voice.h"

namespace tools::synth {

struct EffectRecipe {
    int id = -1;
    std::string name;
    std::vector<Note> layers;
};

// False with a message in error for a line that does not follow the form.
bool ParseEffectLine(std::string_view line, EffectRecipe& out, std::string& error);

// Mono samples at sampleRate, peak-normalised when louder than full scale.
std::vector<float> RenderEffect(const EffectRecipe& recipe, double sampleRate);

}  // namespace tools::synth
