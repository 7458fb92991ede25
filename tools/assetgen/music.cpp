// The built-in background music: a calm ambient loop that plays for as long as the aquarium runs
// without the user's own music. Four slow chords (D major 9, B minor 9, G major 9, A suspended)
// of soft, slowly breathing pads over a quiet bass, a few glassy chimes picked from the chord
// tones, rising bubbles and a faint stream of water, all in one shared reverb. Everything is
// rendered into a wrapping loop buffer, so the end flows into the start without a seam.

#include <array>
#include <cmath>
#include <numbers>
#include <vector>

#include "asset_registry.h"
#include "paint_kit.h"
#include "sound_kit.h"

namespace veltamar::assetgen {

namespace {

constexpr int SAMPLE_RATE = 22050;
constexpr double CHORD_SECONDS = 6.0;
constexpr int CHORD_COUNT = 4;
constexpr double LOOP_SECONDS = CHORD_SECONDS * CHORD_COUNT;
constexpr double TWO_PI = 2.0 * std::numbers::pi;

struct Chord {
    int bass;                  // MIDI note of the bass
    std::array<int, 4> pad;    // MIDI notes of the pad voices
    std::array<int, 3> chime;  // chord tones the chimes may pick, an octave or two up
};

// I - vi - IV - V(sus2) in D major, voiced close with shared tones, so the harmony drifts
// rather than steps.
constexpr std::array<Chord, CHORD_COUNT> CHORDS = {{
    {38, {57, 61, 64, 66}, {78, 81, 85}},  // D major 9: D | A C# E F#
    {35, {54, 57, 61, 62}, {74, 78, 81}},  // B minor 9: B | F# A C# D
    {43, {54, 57, 59, 62}, {71, 74, 78}},  // G major 9: G | F# A B D
    {45, {52, 57, 59, 61}, {73, 76, 81}},  // A sus2 add6: A | E A B C#
}};

std::int64_t frameAt(double seconds) {
    return static_cast<std::int64_t>(std::llround(seconds * SAMPLE_RATE));
}

// A sustained note of several detuned voices, each a sum of harmonics whose upper partials swell
// and fade with the note (a slow "filter" opening), with a little vibrato.
struct PadNote {
    double note;
    double start;    // seconds; the fade-in begins here
    double attack;   // seconds to full level
    double hold;     // seconds at full level after the attack
    double release;  // seconds of the fade-out
    double level;
    double pan;         // centre of the voices
    double brightness;  // 0 dark .. 1 bright
};

void renderPad(LoopBuffer& loop, const PadNote& p, AssetRandom& random) {
    constexpr std::array<double, 3> DETUNE_CENTS = {-6.0, 0.0, 6.5};
    constexpr std::array<double, 3> VOICE_PAN = {-0.55, 0.0, 0.55};
    const double length = p.attack + p.hold + p.release;
    const std::int64_t first = frameAt(p.start);
    const std::int64_t count = frameAt(length);

    for (std::size_t v = 0; v < DETUNE_CENTS.size(); ++v) {
        const double base = noteFrequency(p.note + DETUNE_CENTS[v] / 100.0);
        const PanGains gains = panGains(std::clamp(p.pan + VOICE_PAN[v], -1.0, 1.0));
        const double vibratoRate = random.range(0.13, 0.27);
        const double vibratoPhase = random.range(0.0, TWO_PI);
        const int harmonics = std::min(12, static_cast<int>(8000.0 / base));
        std::vector<double> phase(static_cast<std::size_t>(harmonics));
        std::vector<double> rolloff(static_cast<std::size_t>(harmonics));
        for (int h = 0; h < harmonics; ++h) {
            phase[h] = random.range(0.0, TWO_PI);
            rolloff[h] = std::pow(h + 1.0, -0.6);
        }

        for (std::int64_t i = 0; i < count; ++i) {
            const double t = static_cast<double>(i) / SAMPLE_RATE;
            const double envelope = fadeIn(t, p.attack) * (1.0 - fadeIn(t - p.attack - p.hold, p.release));
            // The tone opens while the note swells and closes again as it fades.
            const double tilt = 1.05 - 0.55 * p.brightness * envelope;
            const double vibrato =
                std::pow(2.0, 3.0 / 1200.0 * std::sin(TWO_PI * vibratoRate * t + vibratoPhase));
            const double step = std::exp(-tilt);
            double sample = 0.0;
            double weight = 1.0;
            for (int h = 0; h < harmonics; ++h) {
                phase[h] += TWO_PI * base * (h + 1) * vibrato / SAMPLE_RATE;
                sample += weight * rolloff[h] * std::sin(phase[h]);
                weight *= step;
            }
            const double s = sample * envelope * p.level / DETUNE_CENTS.size();
            loop.add(first + i, s * gains.left, s * gains.right);
        }
    }
}

// A soft, round bass: fundamental with a touch of second and third harmonic.
void renderBass(LoopBuffer& loop, int note, double start, double length, double level) {
    const double f = noteFrequency(note);
    const std::int64_t first = frameAt(start);
    const std::int64_t count = frameAt(length);
    for (std::int64_t i = 0; i < count; ++i) {
        const double t = static_cast<double>(i) / SAMPLE_RATE;
        const double envelope = fadeIn(t, 2.0) * (1.0 - fadeIn(t - (length - 3.0), 3.0));
        const double w = TWO_PI * f * t;
        const double s = level * envelope * (std::sin(w) + 0.22 * std::sin(2 * w) + 0.06 * std::sin(3 * w));
        loop.add(first + i, s * 0.707, s * 0.707);
    }
}

// A glassy chime: quick soft attack, partials that die away faster the higher they are.
void renderChime(LoopBuffer& loop, double note, double start, double level, double pan) {
    constexpr std::array<double, 4> RATIO = {1.0, 2.0, 3.0, 4.16};
    constexpr std::array<double, 4> AMPLITUDE = {1.0, 0.22, 0.06, 0.035};
    constexpr std::array<double, 4> DECAY = {1.7, 0.9, 0.45, 0.3};
    const double f = noteFrequency(note);
    const PanGains gains = panGains(pan);
    const std::int64_t first = frameAt(start);
    const std::int64_t count = frameAt(6.0);
    for (std::int64_t i = 0; i < count; ++i) {
        const double t = static_cast<double>(i) / SAMPLE_RATE;
        double s = 0.0;
        for (std::size_t k = 0; k < RATIO.size(); ++k)
            s += AMPLITUDE[k] * std::exp(-t / DECAY[k]) * std::sin(TWO_PI * f * RATIO[k] * t);
        s *= level * fadeIn(t, 0.012);
        loop.add(first + i, s * gains.left, s * gains.right);
    }
}

// One air bubble: a short sine whose pitch rises as it leaves the water, dying away in tens of
// milliseconds.
void renderBubble(LoopBuffer& loop, double start, double frequency, double decay, double level, double pan) {
    const PanGains gains = panGains(pan);
    const std::int64_t first = frameAt(start);
    const std::int64_t count = frameAt(decay * 8.0);
    double phase = 0.0;
    for (std::int64_t i = 0; i < count; ++i) {
        const double t = static_cast<double>(i) / SAMPLE_RATE;
        phase += TWO_PI * frequency * (1.0 + 5.0 * t) / SAMPLE_RATE;
        const double s = level * fadeIn(t, 0.004) * std::exp(-t / decay) * std::sin(phase);
        loop.add(first + i, s * gains.left, s * gains.right);
    }
}

// Distant running water: noise through a slowly wandering resonant band-pass, with a swell every
// chord. The filter runs twice around the loop so its state at the loop point is continuous, and
// every modulation repeats a whole number of times per loop.
void renderStream(LoopBuffer& loop, AssetRandom& random, double level) {
    const std::int64_t n = loop.frames();
    std::vector<double> noise(static_cast<std::size_t>(n) * 2);
    for (double& v : noise) v = random.range(-1.0, 1.0);

    std::array<double, 2> low{}, band{};
    for (int pass = 0; pass < 2; ++pass) {
        for (std::int64_t i = 0; i < n; ++i) {
            const double cycle = static_cast<double>(i) / n;  // 0..1 around the loop
            const double centre =
                520.0 + 180.0 * std::sin(TWO_PI * cycle) + 90.0 * std::sin(TWO_PI * 3 * cycle + 1.3);
            const double f = 2.0 * std::sin(std::numbers::pi * centre / SAMPLE_RATE);
            const double q = 0.35;
            const double swell = 0.6 + 0.4 * std::sin(TWO_PI * CHORD_COUNT * cycle - 1.2);
            std::array<double, 2> out{};
            for (int c = 0; c < 2; ++c) {
                // State-variable filter; each channel filters its own noise for width.
                const double input = noise[static_cast<std::size_t>(i) * 2 + c];
                low[c] += f * band[c];
                const double high = input - low[c] - q * band[c];
                band[c] += f * high;
                out[c] = band[c] * swell * level;
            }
            if (pass == 1) loop.add(i, out[0], out[1]);
        }
    }
}

Sound composeMusic() {
    const std::int64_t frames = frameAt(LOOP_SECONDS);
    LoopBuffer pads(SAMPLE_RATE, frames);
    LoopBuffer bass(SAMPLE_RATE, frames);
    LoopBuffer chimes(SAMPLE_RATE, frames);
    LoopBuffer bubbles(SAMPLE_RATE, frames);
    AssetRandom random(0x5EA5'0227);

    for (int c = 0; c < CHORD_COUNT; ++c) {
        const Chord& chord = CHORDS[c];
        const double at = c * CHORD_SECONDS;
        // Pads swell in just before the chord and fade out over the next one, so neighbouring
        // chords cross-fade.
        for (std::size_t v = 0; v < chord.pad.size(); ++v) {
            const PadNote note{static_cast<double>(chord.pad[v]),
                               at - 0.8 + 0.25 * v,
                               2.6,
                               CHORD_SECONDS - 2.2,
                               3.4,
                               0.16,
                               -0.45 + 0.3 * v,
                               0.55 + 0.3 * std::sin(TWO_PI * (c + 0.5 * v) / CHORD_COUNT)};
            renderPad(pads, note, random);
        }
        renderBass(bass, chord.bass, at - 0.6, CHORD_SECONDS + 2.6, 0.12);

        // One or two chimes per chord, at unhurried, slightly uneven moments: enough to catch the
        // ear now and then, few enough not to become a tune that repeats.
        const int count = (c % 2 == 0) ? 2 : 1;
        for (int k = 0; k < count; ++k) {
            const double when = at + 0.7 + k * (CHORD_SECONDS / count) + random.range(0.0, 0.9);
            const int tone = chord.chime[static_cast<std::size_t>(random.next() % chord.chime.size())];
            renderChime(chimes, tone, when, random.range(0.12, 0.2), random.range(-0.7, 0.7));
        }
    }

    // Now and then a little cluster of bubbles rises: two to five of them, the later ones smaller
    // and higher.
    constexpr int CLUSTERS = 6;
    for (int cluster = 0; cluster < CLUSTERS; ++cluster) {
        double when = (cluster + random.range(0.1, 0.8)) * LOOP_SECONDS / CLUSTERS;
        const int count = 2 + static_cast<int>(random.next() % 4);
        const double pan = random.range(-0.8, 0.8);
        double frequency = random.range(420.0, 700.0);
        for (int b = 0; b < count; ++b) {
            renderBubble(bubbles, when, frequency, random.range(0.025, 0.05), random.range(0.09, 0.16), pan);
            when += random.range(0.08, 0.35);
            frequency *= random.range(1.05, 1.3);
        }
    }

    // The pads are heard mostly as they are, the chimes and bubbles mostly through the reverb.
    LoopBuffer send(SAMPLE_RATE, frames);
    send.mixIn(pads, 0.6);
    send.mixIn(chimes, 1.0);
    send.mixIn(bubbles, 1.0);
    const LoopBuffer wet = loopedReverb(send, 4.2, 0.45);

    LoopBuffer mix(SAMPLE_RATE, frames);
    mix.mixIn(pads, 1.0);
    mix.mixIn(bass, 1.0);
    mix.mixIn(chimes, 0.5);
    mix.mixIn(bubbles, 0.5);
    renderStream(mix, random, 0.05);
    mix.mixIn(wet, 0.55);
    return toPcm(mix, 0.6);
}

}  // namespace

VELTAMAR_ASSET(packedWave(227, "Music", composeMusic));

}  // namespace veltamar::assetgen
