// SPDX-FileCopyrightText: 2026 Omvar team
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QString>
#include <QtGlobal>
#include <optional>

// What a RIFF WAVE file's header says about its sound. Only the files the player can take
// as they are are described: PCM (format tag 1), 8 or 16 bits, mono or stereo, a sample
// rate that sound cards play, and a data chunk that the file holds whole.
struct WaveFile {
    static constexpr int MinSampleRate = 4000;
    static constexpr int MaxSampleRate = 192000;

    int channels = 0;
    int sampleRate = 0;
    int bitsPerSample = 0;
    qint64 dataOffset = 0; // where the samples start in the file
    qint64 dataBytes = 0;

    qint64 durationMs() const;

    // Reads only the chunk headers; anything else, unreadable or cut short gives nullopt.
    static std::optional<WaveFile> inspect(const QString& path);

    // The data chunk's samples; empty when the file can no longer be read as inspected.
    QByteArray samples(const QString& path) const;
};
