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
        std::optional<double> number;
        if (auto value = ValueOf(word, "at")) {
            number = ParseNumber(*value);
            note.start = number.value_or(0);
        } else if (auto value = ValueOf(word, "len")) {
            number = ParseNumber(*value);
            note.length = number.value_or(0);
        } else if (auto value = ValueOf(word, "vol")) {
            number = ParseNumber(*value);
            note.volume = number.value_or(0);
        } else if (auto value = ValueOf(word, "duty")) {
            number = ParseNumber(*value);
            note.duty = number.value_or(0.5);
        } else if (auto value = ValueOf(word, "f")) {
            const size_t arrow = value->find('>');
            number = ParseNumber(value->substr(0, arrow));
            note.frequency = number.value_or(0);
            if (arrow != std::string_view::npos) {
                number = ParseNumber(value->substr(arrow + 1));
                note.frequencyEnd = number.value_or(0);
            }
        } else if (auto value = ValueOf(word, "vib")) {
            const size_t colon = value->find(':');
            number = ParseNumber(value->substr(0, colon));
            note.vibratoRate = number.value_or(0);
            if (colon != std::string_view::npos) {
                number = ParseNumber(value->substr(colon + 1));
                note.vibratoDepth = number.value_or(0);
            }
            note.vibratoDelay = 0.0;
        } else if (auto value = ValueOf(word, "shape")) {
            shape = *value;
            number = 0.0;
        }
        if (!number) {
            error = "bad field \"" + std::string(word) + "\"";
            return false;
        }
    }
    if (note.length <= 0.0 || note.frequency <= 0.0) {
        error = "a layer needs len and f above zero";
        return false;
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
    const std::optional<double> id = head.size() == 2 ? ParseNumber(head[0]) : std::nullopt;
    if (!id) {
        error = "expected \"<id> <name> :\"";
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
