// SPDX-FileCopyrightText: 2026 Omvar team
// SPDX-License-Identifier: GPL-3.0-or-later

#include "Sounds.h"

#include "Random.h"

#include <algorithm>
#include <cmath>
#include <initializer_list>
#include <numbers>

namespace {

constexpr double twoPi = 2 * std::numbers::pi;

std::vector<float> silence(double seconds) {
    return std::vector<float>(size_t(seconds * soundRate), 0.0f);
}

double timeAt(size_t i) {
    return double(i) / soundRate;
}

// A one-pole low-pass filter.
class LowPass {
public:
    explicit LowPass(double cutoff) : m_a(1 - std::exp(-twoPi * cutoff / soundRate)) {}
    double operator()(double x) { return m_y += m_a * (x - m_y); }

private:
    double m_a;
    double m_y = 0;
};

// Rises linearly over `attack` seconds, then decays with time constant `decay`.
double envelope(double t, double attack, double decay) {
    if (t < 0)
        return 0;
    return std::min(1.0, (t + 1.0 / soundRate) / attack) * std::exp(-t / decay);
}

// A noise burst: the crack of a shot. `bright` shares between high and low noise.
void addShot(std::vector<float>& out, Random& random, double level, double bright, double decay) {
    LowPass body(1400);
    LowPass air(4500);
    for (size_t i = 0; i < out.size(); ++i) {
        const double t = timeAt(i);
        const double noise = random.uniform(-1, 1);
        const double low = body(noise) * 3.0;
        const double high = noise - air(noise);
        const double crack = bright * high * envelope(t, 0.0004, decay * 0.35);
        out[i] += float(level * (crack + (1 - bright) * low * envelope(t, 0.0008, decay)));
    }
}

// A sine sweeping from `from` to `to` Hz: a thump when low, a whine when high.
void addSweep(std::vector<float>& out, double start, double level, double from, double to,
              double sweepTime, double attack, double decay, double vibrato = 0) {
    double phase = 0;
    for (size_t i = 0; i < out.size(); ++i) {
        const double t = timeAt(i) - start;
        if (t < 0)
            continue;
        const double progress = std::min(t / sweepTime, 1.0);
        const double frequency =
            from * std::pow(to / from, progress) * (1 + vibrato * std::sin(twoPi * 23 * t));
        phase += twoPi * frequency / soundRate;
        out[i] += float(level * std::sin(phase) * envelope(t, attack, decay));
    }
}

// A struck bell or metal: partials at `ratios` of `base`, higher ones dying faster.
void addBell(std::vector<float>& out, double start, double level, double base,
             std::initializer_list<double> ratios, double decay) {
    int n = 0;
    for (double ratio : ratios) {
        const double amplitude = level / (1 + n * 0.9);
        const double partialDecay = decay / (1 + n * 0.6);
        for (size_t i = 0; i < out.size(); ++i) {
            const double t = timeAt(i) - start;
            if (t >= 0)
                out[i] += float(amplitude * std::sin(twoPi * base * ratio * t) *
                                envelope(t, 0.002, partialDecay));
        }
        ++n;
    }
}

// Scales to a peak of -3 dBFS and fades the last `fade` seconds to silence.
std::vector<float> finish(std::vector<float> samples, double fade) {
    float peak = 0;
    for (float s : samples)
        peak = std::max(peak, std::abs(s));
    const float gain = peak > 0 ? float(std::pow(10.0, -3.0 / 20) / peak) : 0.0f;
    const size_t fadeLength = std::min(samples.size(), size_t(fade * soundRate));
    for (size_t i = 0; i < samples.size(); ++i) {
        const size_t left = samples.size() - 1 - i;
        const double ramp =
            left < fadeLength ? 0.5 - 0.5 * std::cos(std::numbers::pi * left / fadeLength) : 1.0;
        samples[i] = float(samples[i] * gain * ramp);
    }
    return samples;
}

} // namespace

std::vector<float> hitSound() {
    std::vector<float> out = silence(0.42);
    Random random(101);
    addShot(out, random, 0.9, 0.55, 0.055);
    addSweep(out, 0, 0.7, 150, 55, 0.09, 0.0006, 0.05);
    addBell(out, 0.006, 0.3, 2480, {1.0, 1.47, 2.09, 2.56}, 0.11);
    return finish(std::move(out), 0.03);
}

std::vector<float> alertSound() {
    std::vector<float> out = silence(0.95);
    addBell(out, 0, 0.55, 1046.5, {1.0, 2.0, 3.0, 4.17}, 0.3);
    addBell(out, 0.36, 0.6, 784.0, {1.0, 2.0, 3.0, 4.17}, 0.32);
    return finish(std::move(out), 0.06);
}

std::vector<float> missSound() {
    std::vector<float> out = silence(0.46);
    Random random(303);
    addShot(out, random, 0.8, 0.3, 0.07);
    addSweep(out, 0, 0.9, 110, 42, 0.12, 0.0008, 0.09);
    addSweep(out, 0.045, 0.16, 3100, 1250, 0.3, 0.012, 0.12, 0.012);
    return finish(std::move(out), 0.04);
}

std::vector<float> buttonSound() {
    std::vector<float> out = silence(0.06);
    Random random(404);
    LowPass soft(3500);
    for (size_t i = 0; i < out.size(); ++i) {
        const double t = timeAt(i);
        const double tick = random.uniform(-1, 1) * envelope(t, 0.0003, 0.0015);
        const double knock = 0.5 * std::sin(twoPi * 1650 * t) * envelope(t, 0.0005, 0.006) +
                             0.6 * std::sin(twoPi * 420 * t) * envelope(t, 0.0008, 0.012);
        out[i] = float(soft(tick * 0.8 + knock));
    }
    return finish(std::move(out), 0.015);
}
