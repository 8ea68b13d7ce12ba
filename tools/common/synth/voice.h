// The sound sources of the synthesiser: oscillators with envelopes, rendered additively into a float buffer.
#pragma once

#include <cstdint>
#include <string_view>
#include <vector>

namespace tools::synth {

enum class Waveform { Sine, Triangle, Square, Saw, Noise, Bell, Organ };

bool ParseWaveform(std::string_view name, Waveform& out);

// Attack, then a decay towards the sustain level; after the note's length a
// linear release to silence.
struct Envelope {
    double attack = 0.005;
    double decay = 0.1;
    double sustain = 1.0;
    double release = 0.05;
};

struct Note {
    Waveform waveform = Waveform::Sine;
    double start = 0.0;      // seconds
    double length = 0.1;     // seconds before the release
    double frequency = 440;  // at the start
    double frequencyEnd = 0; // swept exponentially to this; 0 keeps the start
    double volume = 0.5;
    double duty = 0.5;           // square only
    double vibratoRate = 0.0;    // Hz
    double vibratoDepth = 0.0;   // semitones
    double vibratoDelay = 0.15;  // seconds before vibrato sets in
    Envelope envelope;
};

// Adds the note to out (mono, sampleRate), clipped to the buffer's end.
void RenderNote(const Note& note, double sampleRate, std::vector<float>& out);

// Equal temperament, A4 (MIDI 69) = 440 Hz.
double MidiFrequency(double midi);

// Deterministic noise in [-1, 1].
class NoiseSource {
public:
    explicit NoiseSource(uint32_t seed = 0x9E3779B9u) : state_(seed ? seed : 1) {}
    float Next();

private:
    uint32_t state_;
};

}  // namespace tools::synth
