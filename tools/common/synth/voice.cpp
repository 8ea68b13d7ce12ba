// The synthesiser's oscillators, envelopes and noise, rendered note by note.
#include "tools/common/synth/voice.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace tools::synth {
namespace {

constexpr double kTwoPi = 2.0 * std::numbers::pi;

// Smooths the jump of a square or saw edge, so high notes do not alias harshly.
double PolyBlep(double phase, double step)
{
    if (phase < step) {
        const double t = phase / step;
        return t + t - t * t - 1.0;
    }
    if (phase > 1.0 - step) {
        const double t = (phase - 1.0) / step;
        return t * t + t + t + 1.0;
    }
    return 0.0;
}

double EnvelopeLevel(const Envelope& envelope, double time, double length)
{
    auto held = [&envelope](double t) {
        if (t < envelope.attack) {
            return t / envelope.attack;
        }
        const double decay = std::max(envelope.decay, 1e-4);
        return envelope.sustain + (1.0 - envelope.sustain) * std::exp(-(t - envelope.attack) / decay);
    };
    if (time < length) {
        return held(time);
    }
    const double release = std::max(envelope.release, 1e-4);
    const double fade = 1.0 - (time - length) / release;
    return fade > 0.0 ? held(length) * fade : 0.0;
}

}  // namespace

bool ParseWaveform(std::string_view name, Waveform& out)
{
    static constexpr std::pair<std::string_view, Waveform> kNames[] = {
        {"sine", Waveform::Sine},   {"triangle", Waveform::Triangle}, {"square", Waveform::Square},
        {"saw", Waveform::Saw},     {"noise", Waveform::Noise},       {"bell", Waveform::Bell},
        {"organ", Waveform::Organ},
    };
    for (const auto& [text, waveform] : kNames) {
        if (name == text) {
            out = waveform;
            return true;
        }
    }
    return false;
}

double MidiFrequency(double midi)
{
    return 440.0 * std::pow(2.0, (midi - 69.0) / 12.0);
}

float NoiseSource::Next()
{
    state_ ^= state_ << 13;
    state_ ^= state_ >> 17;
    state_ ^= state_ << 5;
    return static_cast<float>(static_cast<double>(state_) / 2147483648.0 - 1.0);
}

void RenderNote(const Note& note, double sampleRate, std::vector<float>& out)
{
    const auto first = static_cast<int64_t>(std::llround(note.start * sampleRate));
    const auto count = static_cast<int64_t>(std::ceil((note.length + note.envelope.release) * sampleRate));
    const double end = note.frequencyEnd > 0.0 ? note.frequencyEnd : note.frequency;
    NoiseSource noise(static_cast<uint32_t>(note.frequency * 7919.0) + static_cast<uint32_t>(first));
    double phase = 0.0;
    double modulatorPhase = 0.0;
    float held = noise.Next();
    for (int64_t i = 0; i < count; ++i) {
        const int64_t at = first + i;
        if (at < 0) {
            continue;
        }
        if (at >= static_cast<int64_t>(out.size())) {
            break;
        }
        const double time = static_cast<double>(i) / sampleRate;
        const double sweep = note.length > 0.0 ? std::min(time / note.length, 1.0) : 1.0;
        double frequency = note.frequency * std::pow(end / note.frequency, sweep);
        if (note.vibratoDepth > 0.0 && time > note.vibratoDelay) {
            const double depth = note.vibratoDepth * std::min((time - note.vibratoDelay) / 0.2, 1.0);
            frequency *= std::pow(2.0, depth * std::sin(kTwoPi * note.vibratoRate * time) / 12.0);
        }
        // Noise may change every sample; tones stay below the Nyquist rate.
        const double step = std::min(frequency / sampleRate, note.waveform == Waveform::Noise ? 1.0 : 0.5);

        double value = 0.0;
        switch (note.waveform) {
        case Waveform::Sine: value = std::sin(kTwoPi * phase); break;
        case Waveform::Triangle: value = 1.0 - 4.0 * std::abs(phase - 0.5); break;
        case Waveform::Square: {
            value = phase < note.duty ? 1.0 : -1.0;
            value += PolyBlep(phase, step);
            value -= PolyBlep(std::fmod(phase + 1.0 - note.duty, 1.0), step);
            break;
        }
        case Waveform::Saw: value = 2.0 * phase - 1.0 - PolyBlep(phase, step); break;
        case Waveform::Noise: value = held; break;
        case Waveform::Bell: {
            // Two-operator FM with an inharmonic ratio and a fading index.
            const double index = 2.5 * std::exp(-time * 3.0);
            value = std::sin(kTwoPi * phase + index * std::sin(kTwoPi * modulatorPhase));
            break;
        }
        case Waveform::Organ:
            value = 0.6 * std::sin(kTwoPi * phase) + 0.3 * std::sin(2.0 * kTwoPi * phase) +
                    0.15 * std::sin(3.0 * kTwoPi * phase);
            break;
        }
        out[static_cast<size_t>(at)] +=
            static_cast<float>(value * note.volume * EnvelopeLevel(note.envelope, time, note.length));

        phase += step;
        modulatorPhase = std::fmod(modulatorPhase + 3.5 * step, 1.0);
        if (phase >= 1.0) {
            phase -= 1.0;
            held = noise.Next();
        }
    }
}

}  // namespace tools::synth
