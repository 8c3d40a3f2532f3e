// SPDX-FileCopyrightText: 2026 Omvar team
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QByteArray>
#include <QtEndian>
#include <cmath>
#include <numbers>

// Builds RIFF WAVE files in memory: a sine tone by default, any header field changeable, so
// tests can make both good sound files and each kind of bad one.
struct ToneWave {
    quint16 formatTag = 1; // PCM
    quint16 channels = 1;
    quint32 sampleRate = 44100;
    quint32 headerRate = 0; // the rate the header claims, when not sampleRate
    quint16 bitsPerSample = 16;
    int durationMs = 200;
    double amplitude = 0.5; // of full scale

    QByteArray samples() const {
        const int frames = int(qint64(sampleRate) * durationMs / 1000);
        const int bytesPerSample = bitsPerSample / 8;
        QByteArray data(qsizetype(frames) * channels * bytesPerSample, '\0');
        if (bitsPerSample != 8 && bitsPerSample != 16) {
            return data; // silence: only the header matters for other formats
        }
        char* out = data.data();
        for (int frame = 0; frame < frames; ++frame) {
            const double value =
                amplitude * std::sin(2 * std::numbers::pi * 440.0 * frame / sampleRate);
            for (int channel = 0; channel < channels; ++channel) {
                if (bytesPerSample == 1) {
                    *out = char(quint8(128 + std::lround(value * 127)));
                } else {
                    qToLittleEndian<qint16>(qint16(std::lround(value * 32767)), out);
                }
                out += bytesPerSample;
            }
        }
        return data;
    }

    QByteArray bytes() const {
        const QByteArray data = samples();
        QByteArray wave;
        appendTag(wave, "RIFF");
        appendNumber<quint32>(wave, quint32(4 + 8 + 16 + 8 + data.size()));
        appendTag(wave, "WAVE");
        appendTag(wave, "fmt ");
        appendNumber<quint32>(wave, 16);
        appendNumber<quint16>(wave, formatTag);
        appendNumber<quint16>(wave, channels);
        const quint32 rate = headerRate ? headerRate : sampleRate;
        appendNumber<quint32>(wave, rate);
        appendNumber<quint32>(wave, rate * channels * bitsPerSample / 8);
        appendNumber<quint16>(wave, quint16(channels * bitsPerSample / 8));
        appendNumber<quint16>(wave, bitsPerSample);
        appendTag(wave, "data");
        appendNumber<quint32>(wave, quint32(data.size()));
        return wave + data;
    }

private:
    static void appendTag(QByteArray& wave, const char* tag) { wave.append(tag, 4); }

    template <typename T> static void appendNumber(QByteArray& wave, T value) {
        char bytes[sizeof(T)];
        qToLittleEndian<T>(value, bytes);
        wave.append(bytes, sizeof(T));
    }
};
