// A looping piece of music from a small text score: its parse and its render.
// Lines (any order, "#" starts a comment; chords and melody lines add up):
//   tempo <beats per minute>          beats <beats per bar>
//   chords C G/B Am F:2 G7:2 ...      one bar each unless ":<beats>" is given
//   melody E5:2 D5 C5:0.5 r:1.5 ...   note or rest "r", ":<beats>" (default 1)
//   lead <waveform> vol= duty= vib=<Hz>:<semitones> echo=<beats>:<feedback> octave=
//   pad <waveform> vol= cutoff=<Hz>
//   bass <waveform> vol= style=whole|root-fifth|eighths|walk
//   arp <waveform> vol= rate=<notes per beat> style=up|updown|broken
//   drums vol= style=basic|half|march|fast
//   wind vol=
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "tools/common/synth/voice.h"

namespace tools::synth {

struct Chord {
    int root = 0;  // pitch class, 0 = C
    int bass = 0;  // pitch class of the bass note
    std::vector<int> intervals;
    double beats = 0;
};

struct MelodyNote {
    int midi = -1;  // -1 rests
    double beats = 1;
};

struct Part {
    bool enabled = false;
    Waveform waveform = Waveform::Sine;
    double volume = 0.1;
    double duty = 0.5;
    double vibratoRate = 0;
    double vibratoDepth = 0;
    double echoBeats = 0;
    double echoFeedback = 0;
    double cutoff = 0;
    double rate = 2;
    int octave = 0;
    std::string style;
};

struct Score {
    double tempo = 100;
    int beatsPerBar = 4;
    std::vector<Chord> chords;
    std::vector<MelodyNote> melody;
    Part lead, pad, bass, arp, drums, wind;
};

bool ParseScore(std::string_view text, Score& out, std::string& error);

struct RenderedMusic {
    std::vector<int16_t> samples;  // mono, one whole loop
    uint32_t loopStart = 0;
    uint32_t loopEnd = 0;
};

// Renders the piece so that its end runs seamlessly into its start: note tails
// and echoes from the end sound again over the beginning.
RenderedMusic RenderScore(const Score& score, uint32_t sampleRate);

}  // namespace tools::synth
