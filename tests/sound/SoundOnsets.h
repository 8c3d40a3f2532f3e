#pragma once

#include <QtGlobal>
#include <algorithm>
#include <cmath>
#include <vector>

// Finds where known sounds begin in a recording of what was played: each sound's opening
// (its first 20 ms) is looked for by normalised cross-correlation, so that a sound is
// recognised at any volume and also where it cuts off another one. Samples are 16-bit mono
// at 44.1 kHz, the sounds at the recording's rate.
class SoundOnsets {
public:
    struct Onset {
        qint64 sample; // where the sound begins in the recording
        int sound;     // its index in the list given
        double match;  // 1 for a perfect copy
    };

    static constexpr int OpeningSamples = 882; // 20 ms
    static constexpr int QuickSamples = 128;   // checked first, to skip most positions fast
    static constexpr int MergeSamples = 441;   // matches closer than 10 ms are one onset
    static constexpr double QuietRms = 100;    // windows quieter than this hold no onset
    static constexpr double MinQuickMatch = 0.8;
    static constexpr double MinMatch = 0.95;

    static std::vector<Onset> find(const std::vector<qint16>& recording,
                                   const std::vector<std::vector<qint16>>& sounds) {
        const qint64 length = qint64(recording.size());
        std::vector<double> energy(size_t(length) + 1, 0.0); // prefix sums of squares
        for (qint64 i = 0; i < length; ++i) {
            energy[size_t(i) + 1] =
                energy[size_t(i)] + double(recording[size_t(i)]) * recording[size_t(i)];
        }
        std::vector<Onset> matches;
        for (qint64 at = 0; at + OpeningSamples <= length; ++at) {
            const double windowEnergy = energy[size_t(at + OpeningSamples)] - energy[size_t(at)];
            if (windowEnergy < QuietRms * QuietRms * OpeningSamples) {
                continue;
            }
            for (size_t sound = 0; sound < sounds.size(); ++sound) {
                const std::vector<qint16>& opening = sounds[sound];
                if (qint64(opening.size()) < OpeningSamples ||
                    correlation(recording, at, opening, QuickSamples, energy) < MinQuickMatch) {
                    continue;
                }
                const double match = correlation(recording, at, opening, OpeningSamples, energy);
                if (match >= MinMatch) {
                    matches.push_back({at, int(sound), match});
                }
            }
        }
        return merged(matches, recording, sounds, energy);
    }

private:
    static double correlation(const std::vector<qint16>& recording, qint64 at,
                              const std::vector<qint16>& opening, int count,
                              const std::vector<double>& energy) {
        double product = 0;
        double openingEnergy = 0;
        for (int i = 0; i < count; ++i) {
            product += double(recording[size_t(at + i)]) * opening[size_t(i)];
            openingEnergy += double(opening[size_t(i)]) * opening[size_t(i)];
        }
        const double recordingEnergy = energy[size_t(at + count)] - energy[size_t(at)];
        return recordingEnergy > 0 && openingEnergy > 0
                   ? product / std::sqrt(recordingEnergy * openingEnergy)
                   : 0;
    }

    // One onset per cluster of matches, the best one. A sound that repeats itself (a tone)
    // matches its own opening again and again while it plays; such a match, where the
    // recording simply goes on with the sound begun before, is no new onset.
    static std::vector<Onset> merged(const std::vector<Onset>& matches,
                                     const std::vector<qint16>& recording,
                                     const std::vector<std::vector<qint16>>& sounds,
                                     const std::vector<double>& energy) {
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
                if (into + OpeningSamples <= qint64(sound.size())) {
                    const std::vector<qint16> goingOn(sound.begin() + into, sound.end());
                    if (correlation(recording, match.sample, goingOn, OpeningSamples, energy) >=
                        MinMatch) {
                        continue;
                    }
                }
            }
            onsets.push_back(match);
        }
        return onsets;
    }
};
