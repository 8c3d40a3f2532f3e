// SPDX-FileCopyrightText: 2026 Omvar team
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QtGlobal>
#include <algorithm>
#include <cmath>
#include <vector>

// Finds where known sounds begin in a recording of what was played: each sound's opening
// (its first 60 ms) is looked for by normalised cross-correlation, so that a sound is
// recognised at any volume and also where it cuts off another one. Samples are 16-bit mono
// at 44.1 kHz, the sounds at the recording's rate.
//
// On a busy machine the sound server's stream can run dry: it plays digital silence and
// drops what arrives after its time, so that a sound is recorded in its place but with its
// first milliseconds, or some inside, replaced by exact zeros. Those samples are left out of
// the comparison: the rest must match, and at least MinHeardSamples of the opening must have
// come out. A sound of which less came out is not heard.
class SoundOnsets {
public:
    struct Onset {
        qint64 sample;     // where the sound begins in the recording
        int sound;         // its index in the list given
        double match;      // 1 for a perfect copy
        qint64 heardCount; // samples of its opening that came out
    };

    static constexpr int OpeningSamples = 2646; // 60 ms
    static constexpr int MinHeardSamples = 441; // 10 ms
    static constexpr int QuickStride = 21; // every 21st sample checked first, to skip most fast
    static constexpr int MergeSamples = OpeningSamples; // matches closer are one onset
    static constexpr double QuietRms = 100;             // openings quieter than this hold no onset
    static constexpr double MinQuickMatch = 0.8;
    static constexpr double MinMatch = 0.95;

    static std::vector<Onset> find(const std::vector<qint16>& recording,
                                   const std::vector<std::vector<qint16>>& sounds) {
        const Sums sums(recording);
        const qint64 length = qint64(recording.size());
        std::vector<Onset> matches;
        for (qint64 at = 0; at < length; ++at) {
            for (size_t sound = 0; sound < sounds.size(); ++sound) {
                const std::vector<qint16>& opening = sounds[sound];
                const qint64 count =
                    std::min<qint64>({qint64(OpeningSamples), qint64(opening.size()), length - at});
                const qint64 heard = sums.heard(at, count);
                if (heard < MinHeardSamples ||
                    sums.energy(at, count) < QuietRms * QuietRms * double(heard) ||
                    correlation(recording, at, opening, count, QuickStride) < MinQuickMatch) {
                    continue;
                }
                const double match = correlation(recording, at, opening, count, 1);
                if (match >= MinMatch) {
                    matches.push_back({at, int(sound), match, heard});
                }
            }
        }
        return merged(matches, recording, sounds);
    }

private:
    // Prefix sums over the recording: of the squares, and of the samples not exactly zero.
    struct Sums {
        explicit Sums(const std::vector<qint16>& recording)
            : squares(recording.size() + 1, 0.0), nonZero(recording.size() + 1, 0) {
            for (size_t i = 0; i < recording.size(); ++i) {
                squares[i + 1] = squares[i] + double(recording[i]) * recording[i];
                nonZero[i + 1] = nonZero[i] + (recording[i] != 0 ? 1 : 0);
            }
        }
        double energy(qint64 at, qint64 count) const {
            return squares[size_t(at + count)] - squares[size_t(at)];
        }
        qint64 heard(qint64 at, qint64 count) const {
            return nonZero[size_t(at + count)] - nonZero[size_t(at)];
        }
        std::vector<double> squares;
        std::vector<qint64> nonZero;
    };

    // The correlation of the recording at `at` with the opening over `count` samples, every
    // `stride`th, leaving out the recording's exact zeros.
    static double correlation(const std::vector<qint16>& recording, qint64 at,
                              const std::vector<qint16>& opening, qint64 count, int stride) {
        double product = 0;
        double recordingEnergy = 0;
        double openingEnergy = 0;
        for (qint64 i = 0; i < count; i += stride) {
            const double heard = recording[size_t(at + i)];
            if (heard != 0) {
                const double played = opening[size_t(i)];
                product += heard * played;
                recordingEnergy += heard * heard;
                openingEnergy += played * played;
            }
        }
        return recordingEnergy > 0 && openingEnergy > 0
                   ? product / std::sqrt(recordingEnergy * openingEnergy)
                   : 0;
    }

    // One onset per cluster of matches, the best one. A cluster spans an opening: with the
    // silence before a sound left out, a sound whose waveform repeats (the alert) also matches
    // a period before its true start, less well. A sound that repeats itself (a tone)
    // matches its own opening again and again while it plays; such a match, where the
    // recording simply goes on with the sound begun before, is no new onset.
    static std::vector<Onset> merged(const std::vector<Onset>& matches,
                                     const std::vector<qint16>& recording,
                                     const std::vector<std::vector<qint16>>& sounds) {
        std::vector<Onset> onsets;
        for (const Onset& match : matches) {
            if (!onsets.empty() && match.sample - onsets.back().sample < MergeSamples) {
                if (match.match > onsets.back().match) {
                    onsets.back() = match;
                }
                continue;
            }
            if (!onsets.empty() && onsets.back().sound == match.sound) {
                const std::vector<qint16>& sound = sounds[size_t(match.sound)];
                const qint64 into = match.sample - onsets.back().sample;
                const qint64 count =
                    std::min<qint64>({qint64(OpeningSamples), qint64(sound.size()) - into,
                                      qint64(recording.size()) - match.sample});
                if (count >= MinHeardSamples) {
                    const std::vector<qint16> goingOn(sound.begin() + into, sound.end());
                    if (correlation(recording, match.sample, goingOn, count, 1) >= MinMatch) {
                        continue;
                    }
                }
            }
            onsets.push_back(match);
        }
        return onsets;
    }
};
