// tools/make_data/sounds.cpp: each effect is a few oscillators and filtered noise under an
// envelope. Fixed seeds and our own random numbers keep the files identical from run to run.
#include "tools/make_data/sounds.h"

#include <algorithm>
#include <cmath>
#include <numbers>

#include "tools/make_data/random.h"

namespace make_data {
namespace {

constexpr double Pi = std::numbers::pi;
constexpr double PeakLevel = 0.89;         // about -1 dB, so nothing clips after rounding
constexpr double EdgeFadeSeconds = 0.006;  // long enough that neither end clicks

using Samples = std::vector<double>;

Samples Silence(double seconds) {
    return Samples(static_cast<std::size_t>(seconds * SampleRate), 0.0);
}

double Time(std::size_t i) { return static_cast<double>(i) / SampleRate; }

// A one-pole low-pass filter; `cutoff` in hertz.
class LowPass {
  public:
    double Step(double input, double cutoff) {
        const double a = 1.0 - std::exp(-2.0 * Pi * cutoff / SampleRate);
        value += a * (input - value);
        return value;
    }

  private:
    double value = 0.0;
};

// A band of noise: white noise through two low-pass stages, minus a slower one.
class NoiseBand {
  public:
    explicit NoiseBand(std::uint64_t seed) : random(seed) {}
    double Step(double low, double high) {
        const double white = random.Signed();
        const double upper = second.Step(first.Step(white, high), high);
        return upper - floor.Step(upper, low);
    }

  private:
    Random random;
    LowPass first, second, floor;
};

// A tone with a few harmonics; the phase accumulates so the pitch may glide.
class Voice {
  public:
    explicit Voice(std::vector<double> harmonics) : weights(std::move(harmonics)) {}
    double Step(double frequency) {
        phase += 2.0 * Pi * frequency / SampleRate;
        if (phase > 2.0 * Pi) phase -= 2.0 * Pi;
        double sum = 0.0;
        for (std::size_t h = 0; h < weights.size(); ++h) {
            sum += weights[h] * std::sin(phase * static_cast<double>(h + 1));
        }
        return sum;
    }

  private:
    std::vector<double> weights;
    double phase = 0.0;
};

// Rises over `attack` seconds, then falls exponentially with time constant `decay`.
double Strike(double t, double attack, double decay) {
    if (t < 0.0) return 0.0;
    if (t < attack) return t / attack;
    return std::exp(-(t - attack) / decay);
}

// Rises and falls smoothly over [start, start + length].
double Swell(double t, double start, double length) {
    if (t < start || t > start + length) return 0.0;
    return std::sin(Pi * (t - start) / length);
}

Samples Siren() {
    Samples out = Silence(2.0);
    Voice voice({1.0, 0.45, 0.25, 0.12, 0.06});
    Voice undertone({1.0, 0.3});
    for (std::size_t i = 0; i < out.size(); ++i) {
        const double t = Time(i);
        // One long rise and fall: the pitch follows a raised cosine between 330 and 880 Hz.
        const double sweep = 0.5 - 0.5 * std::cos(2.0 * Pi * t / 2.0);
        const double frequency = 330.0 + 550.0 * sweep;
        const double loudness = 0.35 + 0.65 * sweep;
        out[i] = loudness * (voice.Step(frequency) + 0.3 * undertone.Step(frequency * 0.5));
    }
    return out;
}

Samples Drop() {
    Samples out = Silence(0.7);
    Voice whistle({1.0, 0.08});
    for (std::size_t i = 0; i < out.size(); ++i) {
        const double t = Time(i);
        const double frequency = 1900.0 * std::exp(-t * 2.1) + 250.0;
        const double vibrato = 1.0 + 0.006 * std::sin(2.0 * Pi * 9.0 * t);
        out[i] = Swell(t, 0.0, 0.7) * whistle.Step(frequency * vibrato);
    }
    return out;
}

// Short rising sine chirps: the sound of air bubbles breaking the surface.
void AddBubbles(Samples& out, std::uint64_t seed, int count, double from, double to, double level,
                double lowHz, double highHz) {
    Random random(seed);
    for (int b = 0; b < count; ++b) {
        const double start = random.Between(from, to);
        const double length = random.Between(0.03, 0.08);
        const double base = random.Between(lowHz, highHz);
        const double gain = level * random.Between(0.5, 1.0);
        double phase = 0.0;
        const auto first = static_cast<std::size_t>(start * SampleRate);
        for (std::size_t i = first; i < out.size(); ++i) {
            const double t = Time(i) - start;
            if (t > length) break;
            phase += 2.0 * Pi * base * (1.0 + 1.8 * t / length) / SampleRate;
            out[i] += gain * std::sin(phase) * std::sin(Pi * t / length);
        }
    }
}

Samples Miss() {
    Samples out = Silence(0.7);
    NoiseBand splash(101);
    NoiseBand spray(102);
    for (std::size_t i = 0; i < out.size(); ++i) {
        const double t = Time(i);
        const double body = Strike(t, 0.012, 0.12) * splash.Step(150.0, 2600.0 - 2000.0 * t);
        const double hiss = Strike(t - 0.04, 0.05, 0.16) * spray.Step(1500.0, 6000.0);
        out[i] = body + 0.45 * hiss;
    }
    AddBubbles(out, 103, 7, 0.18, 0.55, 0.18, 500.0, 1100.0);
    return out;
}

Samples Hit() {
    Samples out = Silence(0.95);
    NoiseBand blast(201);
    NoiseBand crackle(202);
    Voice thump({1.0, 0.35});
    Random sparks(203);
    for (std::size_t i = 0; i < out.size(); ++i) {
        const double t = Time(i);
        const double boom = Strike(t, 0.004, 0.09) * thump.Step(95.0 * std::exp(-t * 3.0) + 38.0);
        const double roar = Strike(t, 0.008, 0.22) * blast.Step(40.0, 1800.0 * std::exp(-t * 2.2));
        // Sparse clicks give the crackle of burning debris.
        const double pop = sparks.Unit() < 0.004 ? sparks.Signed() : 0.0;
        const double debris = Strike(t - 0.1, 0.05, 0.25) * crackle.Step(800.0, 5000.0) * 0.3;
        out[i] = 1.2 * boom + 1.6 * roar + debris + 0.5 * pop * Strike(t - 0.05, 0.02, 0.3);
    }
    return out;
}

Samples Sink() {
    Samples out = Silence(1.45);
    NoiseBand rumble(301);
    Voice groan({1.0, 0.5, 0.2});
    for (std::size_t i = 0; i < out.size(); ++i) {
        const double t = Time(i);
        const double envelope = Strike(t, 0.15, 0.7);
        const double low = rumble.Step(20.0, 260.0 - 120.0 * t / 1.45);
        const double creak = Swell(t, 0.1, 0.9) * groan.Step(62.0 - 18.0 * t);
        out[i] = envelope * (2.2 * low + 0.35 * creak);
    }
    AddBubbles(out, 302, 22, 0.25, 1.3, 0.16, 250.0, 700.0);
    return out;
}

struct Note {
    double start;
    double length;
    double frequency;
};

// A brassy note: harmonics that open up during the attack, with a slight vibrato.
void AddBrass(Samples& out, const Note& note, double level, double vibratoDepth) {
    Voice voice({1.0, 0.7, 0.5, 0.32, 0.2, 0.12, 0.07});
    Voice mellow({1.0, 0.25});
    const auto first = static_cast<std::size_t>(note.start * SampleRate);
    const auto last =
        std::min(out.size(), static_cast<std::size_t>((note.start + note.length) * SampleRate));
    for (std::size_t i = first; i < last; ++i) {
        const double t = Time(i) - note.start;
        const double attack = std::min(1.0, t / 0.03);
        const double release = std::min(1.0, (note.length - t) / 0.08);
        const double sustain = 0.75 + 0.25 * std::exp(-t * 6.0);
        const double wobble = 1.0 + vibratoDepth * std::sin(2.0 * Pi * 5.5 * t) * std::min(1.0, t);
        const double bright = std::min(1.0, t / 0.06);
        const double frequency = note.frequency * wobble;
        const double tone =
            bright * voice.Step(frequency) + (1.0 - bright) * mellow.Step(frequency);
        out[i] += level * attack * release * sustain * tone;
    }
}

double Pitch(int semitonesFromA4) { return 440.0 * std::pow(2.0, semitonesFromA4 / 12.0); }

Samples Win() {
    Samples out = Silence(2.6);
    const int c5 = 3, e5 = 7, g5 = 10, c6 = 15;
    const std::vector<Note> melody = {
        {0.00, 0.16, Pitch(g5 - 12)}, {0.18, 0.16, Pitch(c5)}, {0.36, 0.16, Pitch(e5)},
        {0.54, 0.34, Pitch(g5)},      {0.92, 0.14, Pitch(e5)}, {1.08, 1.45, Pitch(c6)},
    };
    for (const Note& note : melody) AddBrass(out, note, 1.0, 0.004);
    // The final chord under the top note.
    AddBrass(out, {1.08, 1.45, Pitch(g5)}, 0.55, 0.004);
    AddBrass(out, {1.08, 1.45, Pitch(e5)}, 0.45, 0.004);
    AddBrass(out, {1.08, 1.45, Pitch(c5 - 12)}, 0.5, 0.0);
    return out;
}

Samples Lose() {
    Samples out = Silence(2.7);
    const int g4 = -2;
    const std::vector<Note> phrase = {
        {0.00, 0.42, Pitch(g4)},
        {0.46, 0.42, Pitch(g4 - 1)},
        {0.92, 0.42, Pitch(g4 - 2)},
        {1.38, 1.28, Pitch(g4 - 3)},
    };
    for (std::size_t n = 0; n < phrase.size(); ++n) {
        AddBrass(out, phrase[n], 1.0, n + 1 == phrase.size() ? 0.02 : 0.003);
        AddBrass(out, {phrase[n].start, phrase[n].length, phrase[n].frequency / 2.0}, 0.4, 0.0);
    }
    return out;
}

void AppendU16(std::vector<std::uint8_t>& out, std::uint32_t v) {
    out.push_back(static_cast<std::uint8_t>(v & 0xFF));
    out.push_back(static_cast<std::uint8_t>((v >> 8) & 0xFF));
}

void AppendU32(std::vector<std::uint8_t>& out, std::uint32_t v) {
    AppendU16(out, v & 0xFFFF);
    AppendU16(out, v >> 16);
}

void AppendTag(std::vector<std::uint8_t>& out, const char* tag) {
    for (int i = 0; i < 4; ++i) out.push_back(static_cast<std::uint8_t>(tag[i]));
}

}  // namespace

std::vector<std::uint8_t> EncodeWav(std::vector<double> samples) {
    // Take out any offset first, so the fades end at true silence.
    double mean = 0.0;
    for (double s : samples) mean += s;
    if (!samples.empty()) mean /= static_cast<double>(samples.size());
    const auto fade = static_cast<std::size_t>(EdgeFadeSeconds * SampleRate);
    for (std::size_t i = 0; i < samples.size(); ++i) {
        samples[i] -= mean;
        const std::size_t fromEdge = std::min(i, samples.size() - 1 - i);
        if (fromEdge < fade) {
            samples[i] *= 0.5 - 0.5 * std::cos(Pi * static_cast<double>(fromEdge) / fade);
        }
    }
    double peak = 0.0;
    for (double s : samples) peak = std::max(peak, std::abs(s));
    const double gain = peak > 0.0 ? PeakLevel * 32767.0 / peak : 0.0;

    const auto dataBytes = static_cast<std::uint32_t>(samples.size() * 2);
    std::vector<std::uint8_t> out;
    AppendTag(out, "RIFF");
    AppendU32(out, 36 + dataBytes);
    AppendTag(out, "WAVE");
    AppendTag(out, "fmt ");
    AppendU32(out, 16);
    AppendU16(out, 1);  // PCM
    AppendU16(out, 1);  // mono
    AppendU32(out, SampleRate);
    AppendU32(out, SampleRate * 2);
    AppendU16(out, 2);
    AppendU16(out, 16);
    AppendTag(out, "data");
    AppendU32(out, dataBytes);
    for (double s : samples) {
        const long value = std::lround(std::clamp(s * gain, -32767.0, 32767.0));
        AppendU16(out, static_cast<std::uint16_t>(static_cast<std::int16_t>(value)));
    }
    return out;
}

std::vector<SoundFile> MakeSounds() {
    return {
        {"siren.wav", EncodeWav(Siren())}, {"drop.wav", EncodeWav(Drop())},
        {"miss.wav", EncodeWav(Miss())},   {"hit.wav", EncodeWav(Hit())},
        {"Sink.wav", EncodeWav(Sink())},   {"win.wav", EncodeWav(Win())},
        {"lose.wav", EncodeWav(Lose())},
    };
}

}  // namespace make_data
