// Parsing of sound-effect recipe lines, with every number checked, and their render.
#include "tools/common/synth/effect.h"

#include <algorithm>
#include <cmath>

#include "tools/common/synth/text_fields.h"

namespace tools::synth {
namespace {

bool ApplyShape(std::string_view shape, Note& note)
{
    if (shape == "perc") {
        note.envelope = {0.002, note.length / 4.0, 0.0, 0.01};
    } else if (shape == "flat") {
        note.envelope = {0.004, 0.1, 1.0, 0.012};
    } else if (shape == "swell") {
        note.envelope = {note.length / 2.0, 0.1, 1.0, note.length / 2.0};
        note.length /= 2.0;
    } else {
        return false;
    }
    return true;
}

// What a layer's numbers may be: a few seconds of sound at most, at audible
// frequencies.
constexpr NumberRange kStart{0, 10};
constexpr NumberRange kLength{0, 10, false, true};
constexpr NumberRange kLevel{0, 1};  // vol and duty
constexpr NumberRange kFrequency{1, 24000};
constexpr NumberRange kVibratoRate{0, 50};
constexpr NumberRange kVibratoDepth{0, 12};
constexpr NumberRange kId{0, 9999, true};

// Reads text into target when it lies in range; otherwise says what the field takes.
bool ReadField(std::string_view word, std::string_view text, const NumberRange& range, double& target,
               std::string& error)
{
    const std::optional<double> value = ParseNumberIn(text, range);
    if (!value) {
        error = "bad field \"" + std::string(word) + "\": " + std::string(word.substr(0, word.find('='))) +
                " takes " + range.Describe();
        return false;
    }
    target = *value;
    return true;
}

bool ParseLayer(std::string_view text, Note& note, std::string& error)
{
    const std::vector<std::string_view> words = SplitWords(text);
    if (words.empty() || !ParseWaveform(words[0], note.waveform)) {
        error = "a layer must start with a waveform";
        return false;
    }
    std::string_view shape = "perc";
    for (size_t i = 1; i < words.size(); ++i) {
        const std::string_view word = words[i];
        bool ok = true;
        if (auto value = ValueOf(word, "at")) {
            ok = ReadField(word, *value, kStart, note.start, error);
        } else if (auto value = ValueOf(word, "len")) {
            ok = ReadField(word, *value, kLength, note.length, error);
        } else if (auto value = ValueOf(word, "vol")) {
            ok = ReadField(word, *value, kLevel, note.volume, error);
        } else if (auto value = ValueOf(word, "duty")) {
            ok = ReadField(word, *value, kLevel, note.duty, error);
        } else if (auto value = ValueOf(word, "f")) {
            const size_t arrow = value->find('>');
            ok = ReadField(word, value->substr(0, arrow), kFrequency, note.frequency, error) &&
                 (arrow == std::string_view::npos ||
                  ReadField(word, value->substr(arrow + 1), kFrequency, note.frequencyEnd, error));
        } else if (auto value = ValueOf(word, "vib")) {
            const size_t colon = value->find(':');
            ok = ReadField(word, value->substr(0, colon), kVibratoRate, note.vibratoRate, error) &&
                 (colon == std::string_view::npos ||
                  ReadField(word, value->substr(colon + 1), kVibratoDepth, note.vibratoDepth, error));
            note.vibratoDelay = 0.0;
        } else if (auto value = ValueOf(word, "shape")) {
            shape = *value;
        } else {
            error = "bad field \"" + std::string(word) + "\"";
            ok = false;
        }
        if (!ok) {
            return false;
        }
    }
    if (!ApplyShape(shape, note)) {
        error = "unknown shape \"" + std::string(shape) + "\"";
        return false;
    }
    return true;
}

}  // namespace

bool ParseEffectLine(std::string_view line, EffectRecipe& out, std::string& error)
{
    const size_t colon = line.find(':');
    if (colon == std::string_view::npos) {
        error = "missing \":\" after the id and name";
        return false;
    }
    const std::vector<std::string_view> head = SplitWords(line.substr(0, colon));
    if (head.size() != 2) {
        error = "expected \"<id> <name> :\"";
        return false;
    }
    const std::optional<double> id = ParseNumberIn(head[0], kId);
    if (!id) {
        error = "the id \"" + std::string(head[0]) + "\" is not " + kId.Describe();
        return false;
    }
    EffectRecipe recipe;
    recipe.id = static_cast<int>(*id);
    recipe.name = std::string(head[1]);
    std::string_view rest = line.substr(colon + 1);
    while (!rest.empty()) {
        const size_t semicolon = rest.find(';');
        Note note;
        if (!ParseLayer(rest.substr(0, semicolon), note, error)) {
            return false;
        }
        recipe.layers.push_back(note);
        rest = semicolon == std::string_view::npos ? std::string_view() : rest.substr(semicolon + 1);
    }
    if (recipe.layers.empty()) {
        error = "no layer";
        return false;
    }
    out = std::move(recipe);
    return true;
}

std::vector<float> RenderEffect(const EffectRecipe& recipe, double sampleRate)
{
    double end = 0.0;
    for (const Note& note : recipe.layers) {
        end = std::max(end, note.start + note.length + note.envelope.release);
    }
    std::vector<float> samples(static_cast<size_t>(std::ceil(end * sampleRate)) + 1, 0.0f);
    for (const Note& note : recipe.layers) {
        RenderNote(note, sampleRate, samples);
    }
    float peak = 0.0f;
    for (const float sample : samples) peak = std::max(peak, std::abs(sample));
    if (peak > 0.95f) {
        for (float& sample : samples) sample *= 0.95f / peak;
    }
    return samples;
}

}  // namespace tools::synth
