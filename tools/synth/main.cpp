// synth: placeholder sound for the data set, effects from recipes and music from scores.
//   synth effects <recipes.txt> <out-folder>   one <name>.wav per recipe line
//   synth music <score.txt> <out.wav>           one looping piece
#include <cstdio>
#include <optional>
#include <sstream>
#include <string>
#include <vector>

#include "tools/common/synth/effect.h"
#include "tools/common/synth/score.h"
#include "tools/common/wav_writer.h"
#include "tools/common/whole_file.h"

namespace {

constexpr uint32_t kSampleRate = 22050;

bool ReadText(const char* path, std::string& text)
{
    std::optional<std::string> read = tools::ReadTextFile(path);
    if (!read) {
        std::fprintf(stderr, "synth: cannot read %s\n", path);
        return false;
    }
    text = std::move(*read);
    return true;
}

std::vector<int16_t> ToPcm(const std::vector<float>& samples)
{
    std::vector<int16_t> pcm(samples.size());
    for (size_t i = 0; i < samples.size(); ++i) {
        const float clamped = samples[i] < -1.0f ? -1.0f : (samples[i] > 1.0f ? 1.0f : samples[i]);
        pcm[i] = static_cast<int16_t>(clamped * 32767.0f);
    }
    return pcm;
}

int MakeEffects(const char* recipes, const std::string& folder)
{
    std::string text;
    if (!ReadText(recipes, text)) return 1;
    std::istringstream lines(text);
    std::string line;
    int lineNumber = 0;
    int expectedId = 0;
    while (std::getline(lines, line)) {
        ++lineNumber;
        if (const size_t hash = line.find('#'); hash != std::string::npos) line.erase(hash);
        if (line.find_first_not_of(" \t\r") == std::string::npos) continue;
        tools::synth::EffectRecipe recipe;
        std::string error;
        if (!tools::synth::ParseEffectLine(line, recipe, error)) {
            std::fprintf(stderr, "%s:%d: %s\n", recipes, lineNumber, error.c_str());
            return 1;
        }
        // Ids are the effects' places in the package, so they must run on without gaps.
        if (recipe.id != expectedId) {
            std::fprintf(stderr, "%s:%d: id %d where %d was expected\n", recipes, lineNumber, recipe.id, expectedId);
            return 1;
        }
        ++expectedId;
        const std::vector<int16_t> pcm = ToPcm(tools::synth::RenderEffect(recipe, kSampleRate));
        if (!tools::WriteWholeFile(folder + "/" + recipe.name + ".wav", tools::MakePcmWav(pcm, kSampleRate, 1))) {
            return 1;
        }
    }
    return 0;
}

int MakeMusic(const char* scorePath, const char* output)
{
    std::string text;
    if (!ReadText(scorePath, text)) return 1;
    tools::synth::Score score;
    std::string error;
    if (!tools::synth::ParseScore(text, score, error)) {
        std::fprintf(stderr, "%s: %s\n", scorePath, error.c_str());
        return 1;
    }
    const tools::synth::RenderedMusic music = tools::synth::RenderScore(score, kSampleRate);
    const tools::WavLoop loop{music.loopStart, music.loopEnd};
    return tools::WriteWholeFile(output, tools::MakePcmWav(music.samples, kSampleRate, 1, loop)) ? 0 : 1;
}

}  // namespace

int main(int argc, char** argv)
{
    if (argc == 4 && std::string(argv[1]) == "effects") {
        return MakeEffects(argv[2], argv[3]);
    }
    if (argc == 4 && std::string(argv[1]) == "music") {
        return MakeMusic(argv[2], argv[3]);
    }
    std::fprintf(stderr, "usage: synth effects <recipes.txt> <out-folder>\n"
                         "       synth music <score.txt> <out.wav>\n");
    return 2;
}
