// Parsing of the text score, with every number checked, and the render of its parts into a seamless loop.
#include "tools/common/synth/score.h"

#include <algorithm>
#include <cmath>
#include <numbers>

#include "tools/common/synth/text_fields.h"

namespace tools::synth {
namespace {

bool ParsePitchClass(std::string_view& text, int& pitch)
{
    static constexpr int kLetters[] = {9, 11, 0, 2, 4, 5, 7};  // A B C D E F G
    if (text.empty() || text[0] < 'A' || text[0] > 'G') {
        return false;
    }
    pitch = kLetters[text[0] - 'A'];
    text.remove_prefix(1);
    while (!text.empty() && (text[0] == '#' || text[0] == 'b')) {
        pitch += text[0] == '#' ? 1 : -1;
        text.remove_prefix(1);
    }
    pitch = (pitch % 12 + 12) % 12;
    return true;
}

// What a score's numbers may be. The whole piece is rendered in memory three
// times over, so its length is bounded too (kMaxLoopSeconds).
constexpr NumberRange kTempo{20, 400};
constexpr NumberRange kBeatsPerBar{1, 16, true};
constexpr NumberRange kBeats{0, 64, false, true};  // of one chord or note
constexpr NumberRange kNoteOctave{0, 8, true};
constexpr NumberRange kPartOctave{-4, 4, true};
constexpr NumberRange kLevel{0, 1};  // vol and duty
constexpr NumberRange kCutoff{0, 20000};
constexpr NumberRange kArpRate{0, 16};
constexpr NumberRange kVibratoRate{0, 50};
constexpr NumberRange kVibratoDepth{0, 12};
constexpr NumberRange kEchoBeats{0, 16};
constexpr NumberRange kEchoFeedback{0, 0.95};
constexpr double kMaxLoopSeconds = 120;

// The ":<beats>" ending a chord or note, taken off the word.
bool ParseBeats(std::string_view& word, double& beats, std::string& error)
{
    const size_t colon = word.find(':');
    if (colon == std::string_view::npos) return true;
    const auto value = ParseNumberIn(word.substr(colon + 1), kBeats);
    if (!value) {
        error = "a length in beats is " + kBeats.Describe();
        return false;
    }
    beats = *value;
    word = word.substr(0, colon);
    return true;
}

// "C", "F#m7", "G/B", "Bbmaj7:2".
bool ParseChord(std::string_view word, double defaultBeats, Chord& chord, std::string& error)
{
    chord.beats = defaultBeats;
    if (!ParseBeats(word, chord.beats, error)) return false;
    std::string_view bassText;
    if (const size_t slash = word.find('/'); slash != std::string_view::npos) {
        bassText = word.substr(slash + 1);
        word = word.substr(0, slash);
    }
    if (!ParsePitchClass(word, chord.root)) return false;
    static const std::pair<std::string_view, std::vector<int>> kQualities[] = {
        {"", {0, 4, 7}},          {"m", {0, 3, 7}},          {"7", {0, 4, 7, 10}},  {"maj7", {0, 4, 7, 11}},
        {"m7", {0, 3, 7, 10}},    {"dim", {0, 3, 6}},        {"sus4", {0, 5, 7}},   {"sus2", {0, 2, 7}},
        {"add9", {0, 4, 7, 14}},  {"madd9", {0, 3, 7, 14}},  {"6", {0, 4, 7, 9}},   {"m6", {0, 3, 7, 9}},
    };
    const auto quality = std::find_if(std::begin(kQualities), std::end(kQualities),
                                      [word](const auto& entry) { return entry.first == word; });
    if (quality == std::end(kQualities)) return false;
    chord.intervals = quality->second;
    chord.bass = chord.root;
    if (!bassText.empty()) {
        if (!ParsePitchClass(bassText, chord.bass) || !bassText.empty()) return false;
    }
    return true;
}

// "E5", "F#4:0.5", "r:2".
bool ParseMelodyNote(std::string_view word, MelodyNote& note, std::string& error)
{
    note.beats = 1;
    if (!ParseBeats(word, note.beats, error)) return false;
    if (word == "r") {
        note.midi = -1;
        return true;
    }
    int pitch = 0;
    if (!ParsePitchClass(word, pitch)) return false;
    const auto octave = ParseNumberIn(word, kNoteOctave);
    if (!octave) {
        error = "the octave is " + kNoteOctave.Describe();
        return false;
    }
    note.midi = 12 * (static_cast<int>(*octave) + 1) + pitch;
    return true;
}

bool ParsePart(const std::vector<std::string_view>& words, bool hasWaveform, Part& part, std::string& error)
{
    part.enabled = true;
    size_t first = 1;
    if (hasWaveform) {
        if (words.size() < 2 || !ParseWaveform(words[1], part.waveform)) {
            error = "expected a waveform after \"" + std::string(words[0]) + "\"";
            return false;
        }
        first = 2;
    }
    for (size_t i = first; i < words.size(); ++i) {
        const std::string_view word = words[i];
        // Reads "key=<number>" or "key=<number>:<number>" into its fields when
        // the word has that key; false (with the error) when a number is out of range.
        bool matched = false;
        auto field = [&](std::string_view key, const NumberRange& range, double& target,
                         const NumberRange* secondRange = nullptr, double* second = nullptr) {
            const auto value = matched ? std::nullopt : ValueOf(word, key);
            if (!value) return true;
            matched = true;
            const size_t colon = second ? value->find(':') : std::string_view::npos;
            const auto first = ParseNumberIn(value->substr(0, colon), range);
            const auto next = second && colon != std::string_view::npos
                                  ? ParseNumberIn(value->substr(colon + 1), *secondRange)
                                  : std::nullopt;
            if (!first || (second && !next)) {
                error = "bad field \"" + std::string(word) + "\": " + std::string(key) + " takes " +
                        range.Describe() + (second ? ", a colon and " + secondRange->Describe() : "");
                return false;
            }
            target = *first;
            if (second) *second = *next;
            return true;
        };
        double octave = part.octave;
        if (!field("vol", kLevel, part.volume) || !field("duty", kLevel, part.duty) ||
            !field("cutoff", kCutoff, part.cutoff) || !field("rate", kArpRate, part.rate) ||
            !field("vib", kVibratoRate, part.vibratoRate, &kVibratoDepth, &part.vibratoDepth) ||
            !field("echo", kEchoBeats, part.echoBeats, &kEchoFeedback, &part.echoFeedback) ||
            !field("octave", kPartOctave, octave)) {
            return false;
        }
        part.octave = static_cast<int>(octave);
        if (matched) {
            continue;
        }
        if (auto style = ValueOf(word, "style")) {
            part.style = std::string(*style);
            continue;
        }
        error = "bad field \"" + std::string(word) + "\"";
        return false;
    }
    return true;
}

// Pad tones in a close voicing around the middle of the keyboard.
std::vector<int> PadNotes(const Chord& chord)
{
    std::vector<int> notes;
    for (const int interval : chord.intervals) {
        int note = 48 + chord.root + interval;
        while (note < 55) note += 12;
        while (note > 70) note -= 12;
        notes.push_back(note);
    }
    std::sort(notes.begin(), notes.end());
    return notes;
}

int BassNote(int pitchClass)
{
    int note = 36 + pitchClass;
    if (note > 43) note -= 12;
    return note;
}

struct Buses {
    std::vector<float> lead, pad, bass, arp, drums, wind;
};

Note MakeNote(const Part& part, double start, double length, int midi, const Envelope& envelope)
{
    Note note;
    note.waveform = part.waveform;
    note.start = start;
    note.length = length;
    note.frequency = MidiFrequency(midi);
    note.volume = part.volume;
    note.duty = part.duty;
    note.vibratoRate = part.vibratoRate;
    note.vibratoDepth = part.vibratoDepth;
    note.envelope = envelope;
    return note;
}

void RenderDrumHit(char kind, double start, double volume, double rate, std::vector<float>& out)
{
    Note note;
    note.start = start;
    switch (kind) {
    case 'k':  // kick: a fast downward sine sweep
        note.waveform = Waveform::Sine;
        note.frequency = 140;
        note.frequencyEnd = 42;
        note.length = 0.14;
        note.volume = volume;
        note.envelope = {0.002, 0.06, 0.0, 0.02};
        break;
    case 's':  // snare: noise with a short body tone
        note.waveform = Waveform::Noise;
        note.frequency = 9000;
        note.length = 0.12;
        note.volume = volume * 0.55;
        note.envelope = {0.001, 0.045, 0.0, 0.02};
        RenderNote(note, rate, out);
        note.waveform = Waveform::Triangle;
        note.frequency = 190;
        note.frequencyEnd = 150;
        note.length = 0.08;
        note.volume = volume * 0.4;
        note.envelope = {0.001, 0.03, 0.0, 0.02};
        break;
    default:  // hat: a very short bright noise tick
        note.waveform = Waveform::Noise;
        note.frequency = 22050;
        note.length = 0.03;
        note.volume = volume * 0.18;
        note.envelope = {0.001, 0.012, 0.0, 0.01};
        break;
    }
    RenderNote(note, rate, out);
}

// One drum bar as steps of a sixteenth: k kick, s snare, h hat, . nothing.
std::string_view DrumPattern(std::string_view style)
{
    if (style == "half") return "k.h.h.h.s.h.h.h.";
    if (style == "march") return "k.h.k.s.k.h.k.s.";
    if (style == "fast") return "khhhshkhkhhkshhh";
    return "k.h.s.h.k.k.s.h.";  // basic
}

void RenderPass(const Score& score, double offset, double rate, Buses& buses)
{
    const double beat = 60.0 / score.tempo;

    // Chord-driven parts.
    double time = 0;
    for (const Chord& chord : score.chords) {
        const double start = offset + time * beat;
        const double length = chord.beats * beat;
        const std::vector<int> pad = PadNotes(chord);
        if (score.pad.enabled) {
            for (const int midi : pad) {
                RenderNote(MakeNote(score.pad, start, length, midi, {0.08, 0.5, 0.8, 0.25}), rate, buses.pad);
            }
        }
        if (score.bass.enabled) {
            const int root = BassNote(chord.bass);
            const int fifth = BassNote((chord.root + 7) % 12);
            const Envelope envelope{0.008, 0.25, 0.6, 0.06};
            const std::string& style = score.bass.style;
            if (style == "whole") {
                RenderNote(MakeNote(score.bass, start, length * 0.95, root, envelope), rate, buses.bass);
            } else if (style == "eighths") {
                for (double b = 0; b < chord.beats; b += 0.5) {
                    RenderNote(MakeNote(score.bass, start + b * beat, beat * 0.4, root, envelope), rate, buses.bass);
                }
            } else if (style == "walk") {
                const int steps[] = {root, BassNote((chord.root + chord.intervals[1]) % 12),
                                     BassNote((chord.root + 7) % 12), BassNote((chord.root + 9) % 12)};
                for (int b = 0; b < static_cast<int>(chord.beats); ++b) {
                    RenderNote(MakeNote(score.bass, start + b * beat, beat * 0.85, steps[b % 4], envelope), rate,
                               buses.bass);
                }
            } else {  // root-fifth
                for (double b = 0; b < chord.beats; b += 2) {
                    const int midi = static_cast<int>(b) % 4 == 0 ? root : fifth;
                    RenderNote(MakeNote(score.bass, start + b * beat, beat * std::min(1.8, chord.beats - b), midi,
                                        envelope),
                               rate, buses.bass);
                }
            }
        }
        if (score.arp.enabled && score.arp.rate > 0) {
            std::vector<int> tones;
            for (const int midi : pad) tones.push_back(midi + 12 * (1 + score.arp.octave));
            std::vector<int> order = tones;
            if (score.arp.style == "updown" && tones.size() > 2) {
                for (size_t i = tones.size() - 2; i > 0; --i) order.push_back(tones[i]);
            } else if (score.arp.style == "broken" && tones.size() >= 3) {
                order = {tones[0], tones[2], tones[1], tones[2]};
            }
            const double step = 1.0 / score.arp.rate;
            int index = 0;
            for (double b = 0; b + 1e-9 < chord.beats; b += step, ++index) {
                const int midi = order[static_cast<size_t>(index) % order.size()];
                RenderNote(MakeNote(score.arp, start + b * beat, step * beat * 0.6, midi, {0.003, 0.12, 0.0, 0.05}),
                           rate, buses.arp);
            }
        }
        time += chord.beats;
    }

    if (score.lead.enabled) {
        time = 0;
        for (const MelodyNote& note : score.melody) {
            if (note.midi >= 0) {
                const Note lead = MakeNote(score.lead, offset + time * beat, note.beats * beat * 0.92,
                                           note.midi + 12 * score.lead.octave, {0.012, 0.3, 0.7, 0.09});
                RenderNote(lead, rate, buses.lead);
            }
            time += note.beats;
        }
    }

    if (score.drums.enabled) {
        const std::string_view pattern = DrumPattern(score.drums.style);
        double beats = 0;
        for (const Chord& chord : score.chords) beats += chord.beats;
        const int steps = static_cast<int>(std::lround(beats * 4));
        for (int s = 0; s < steps; ++s) {
            const char hit = pattern[static_cast<size_t>(s) % pattern.size()];
            if (hit != '.') {
                RenderDrumHit(hit, offset + s * beat / 4.0, score.drums.volume, rate, buses.drums);
            }
        }
    }
}

void ApplyEcho(std::vector<float>& bus, size_t delay, double feedback)
{
    if (delay == 0 || feedback <= 0) return;
    for (size_t i = delay; i < bus.size(); ++i) {
        bus[i] += static_cast<float>(feedback) * bus[i - delay];
    }
}

void ApplyLowPass(std::vector<float>& bus, double cutoff, double rate)
{
    if (cutoff <= 0) return;
    const double a = 1.0 - std::exp(-2.0 * std::numbers::pi * cutoff / rate);
    double state = 0;
    for (float& sample : bus) {
        state += a * (sample - state);
        sample = static_cast<float>(state);
    }
}

// Filtered noise whose colour and level drift with slow cycles that fit the loop.
void RenderWind(double volume, double loopSeconds, double rate, std::vector<float>& out)
{
    NoiseSource noise(0x5EED);
    double state = 0;
    double slow = 0;
    for (size_t i = 0; i < out.size(); ++i) {
        const double t = static_cast<double>(i) / rate;
        const double phase = 2.0 * std::numbers::pi * t / loopSeconds;
        const double cutoff = 350.0 + 250.0 * std::sin(2.0 * phase);
        const double a = 1.0 - std::exp(-2.0 * std::numbers::pi * cutoff / rate);
        state += a * (noise.Next() - state);
        slow += 0.02 * (state - slow);
        const double level = 0.55 + 0.45 * std::sin(3.0 * phase + 1.0);
        out[i] += static_cast<float>((state - slow) * 4.0 * level * volume);
    }
}

}  // namespace

bool ParseScore(std::string_view text, Score& out, std::string& error)
{
    Score score;
    int lineNumber = 0;
    while (!text.empty()) {
        ++lineNumber;
        const size_t newline = text.find('\n');
        std::string_view line = text.substr(0, newline);
        text = newline == std::string_view::npos ? std::string_view() : text.substr(newline + 1);
        // A comment starts with "#" after a blank; F#5 stays a note.
        for (size_t i = 0; i < line.size(); ++i) {
            if (line[i] == '#' && (i == 0 || line[i - 1] == ' ' || line[i - 1] == '\t')) {
                line = line.substr(0, i);
                break;
            }
        }
        const std::vector<std::string_view> words = SplitWords(line);
        if (words.empty()) continue;

        const std::string where = "line " + std::to_string(lineNumber) + ": ";
        const std::string_view key = words[0];
        if (key == "tempo" || key == "beats") {
            const NumberRange& range = key == "tempo" ? kTempo : kBeatsPerBar;
            const auto value = words.size() == 2 ? ParseNumberIn(words[1], range) : std::nullopt;
            if (!value) {
                error = where + std::string(key) + " takes " + range.Describe();
                return false;
            }
            if (key == "tempo") score.tempo = *value;
            if (key == "beats") score.beatsPerBar = static_cast<int>(*value);
        } else if (key == "chords" || key == "melody") {
            for (size_t i = 1; i < words.size(); ++i) {
                if (key == "melody" && words[i] == "|") continue;  // bar lines are for the reader
                std::string why;
                Chord chord;
                MelodyNote note;
                const bool ok = key == "chords" ? ParseChord(words[i], score.beatsPerBar, chord, why)
                                                : ParseMelodyNote(words[i], note, why);
                if (!ok) {
                    error = where + (key == "chords" ? "bad chord \"" : "bad note \"") + std::string(words[i]) +
                            "\"" + (why.empty() ? "" : ": " + why);
                    return false;
                }
                if (key == "chords") score.chords.push_back(chord);
                else score.melody.push_back(note);
            }
        } else if (key == "lead" || key == "pad" || key == "bass" || key == "arp") {
            Part& part = key == "lead" ? score.lead : key == "pad" ? score.pad : key == "bass" ? score.bass : score.arp;
            if (!ParsePart(words, true, part, error)) {
                error = where + error;
                return false;
            }
        } else if (key == "drums" || key == "wind") {
            if (!ParsePart(words, false, key == "drums" ? score.drums : score.wind, error)) {
                error = where + error;
                return false;
            }
        } else {
            error = where + "unknown line \"" + std::string(key) + "\"";
            return false;
        }
    }
    if (score.chords.empty()) {
        error = "a score needs chords";
        return false;
    }
    double beats = 0;
    for (const Chord& chord : score.chords) beats += chord.beats;
    if (const double seconds = beats * 60.0 / score.tempo; seconds > kMaxLoopSeconds) {
        error = "the chords last " + std::to_string(static_cast<long long>(seconds)) + " seconds; a piece lasts at most " +
                std::to_string(static_cast<int>(kMaxLoopSeconds));
        return false;
    }
    out = std::move(score);
    return true;
}

RenderedMusic RenderScore(const Score& score, uint32_t sampleRate)
{
    const double rate = sampleRate;
    double beats = 0;
    for (const Chord& chord : score.chords) beats += chord.beats;
    const double loopSeconds = beats * 60.0 / score.tempo;
    const auto loopFrames = static_cast<size_t>(std::llround(loopSeconds * rate));
    const double passSeconds = static_cast<double>(loopFrames) / rate;

    // Three passes; the middle one has the first one's tails over its start and
    // leads into the third exactly as the loop leads back into itself.
    const size_t total = loopFrames * 3 + static_cast<size_t>(rate * 2);
    Buses buses;
    for (auto* bus : {&buses.lead, &buses.pad, &buses.bass, &buses.arp, &buses.drums, &buses.wind}) {
        bus->assign(total, 0.0f);
    }
    for (int pass = 0; pass < 3; ++pass) {
        RenderPass(score, pass * passSeconds, rate, buses);
    }
    const double beatFrames = rate * 60.0 / score.tempo;
    ApplyLowPass(buses.pad, score.pad.cutoff, rate);
    ApplyEcho(buses.lead, static_cast<size_t>(std::llround(score.lead.echoBeats * beatFrames)), score.lead.echoFeedback);
    ApplyEcho(buses.arp, static_cast<size_t>(std::llround(score.arp.echoBeats * beatFrames)), score.arp.echoFeedback);
    if (score.wind.enabled) {
        RenderWind(score.wind.volume, passSeconds, rate, buses.wind);
    }

    std::vector<float> mix(loopFrames, 0.0f);
    float peak = 0.0f;
    for (size_t i = 0; i < loopFrames; ++i) {
        const size_t at = loopFrames + i;
        mix[i] = buses.lead[at] + buses.pad[at] + buses.bass[at] + buses.arp[at] + buses.drums[at] + buses.wind[at];
        peak = std::max(peak, std::abs(mix[i]));
    }
    const float gain = peak > 0.0f ? 0.85f / peak : 1.0f;

    RenderedMusic music;
    music.samples.resize(loopFrames);
    for (size_t i = 0; i < loopFrames; ++i) {
        music.samples[i] = static_cast<int16_t>(std::lround(std::clamp(mix[i] * gain, -1.0f, 1.0f) * 32767.0f));
    }
    music.loopStart = 0;
    music.loopEnd = static_cast<uint32_t>(loopFrames);
    return music;
}

}  // namespace tools::synth
