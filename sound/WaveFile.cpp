// SPDX-FileCopyrightText: 2026 Omvar team
// SPDX-License-Identifier: GPL-3.0-or-later

#include "sound/WaveFile.h"

#include <QFile>
#include <QtEndian>

namespace {

constexpr quint16 PcmFormatTag = 1;
constexpr qint64 FmtChunkMinBytes = 16;

struct ChunkHeader {
    QByteArray id;
    qint64 size = 0;
};

std::optional<ChunkHeader> readChunkHeader(QFile& file) {
    const QByteArray bytes = file.read(8);
    if (bytes.size() != 8) {
        return std::nullopt;
    }
    return ChunkHeader{bytes.left(4), qFromLittleEndian<quint32>(bytes.constData() + 4)};
}

// Fills channels, rate and bits from a "fmt " chunk body; false for anything but plain
// 8- or 16-bit PCM in mono or stereo at a rate from MinSampleRate to MaxSampleRate.
bool readFormat(const QByteArray& body, WaveFile& wave) {
    if (body.size() < FmtChunkMinBytes) {
        return false;
    }
    const char* data = body.constData();
    const quint16 formatTag = qFromLittleEndian<quint16>(data);
    const quint32 sampleRate = qFromLittleEndian<quint32>(data + 4);
    if (sampleRate < quint32(WaveFile::MinSampleRate) ||
        sampleRate > quint32(WaveFile::MaxSampleRate)) {
        return false;
    }
    wave.channels = qFromLittleEndian<quint16>(data + 2);
    wave.sampleRate = int(sampleRate);
    const quint16 blockAlign = qFromLittleEndian<quint16>(data + 12);
    wave.bitsPerSample = qFromLittleEndian<quint16>(data + 14);
    return formatTag == PcmFormatTag && (wave.channels == 1 || wave.channels == 2) &&
           (wave.bitsPerSample == 8 || wave.bitsPerSample == 16) &&
           blockAlign == wave.channels * wave.bitsPerSample / 8;
}

} // namespace

qint64 WaveFile::durationMs() const {
    const qint64 bytesPerSecond = qint64(sampleRate) * channels * bitsPerSample / 8;
    return bytesPerSecond > 0 ? dataBytes * 1000 / bytesPerSecond : 0;
}

std::optional<WaveFile> WaveFile::inspect(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        return std::nullopt;
    }
    const QByteArray riff = file.read(12);
    if (riff.size() != 12 || !riff.startsWith("RIFF") || riff.mid(8, 4) != "WAVE") {
        return std::nullopt;
    }
    WaveFile wave;
    bool haveFormat = false;
    // Chunks follow one another, each padded to an even length; "fmt " must precede "data".
    while (const std::optional<ChunkHeader> chunk = readChunkHeader(file)) {
        const qint64 bodyStart = file.pos();
        if (chunk->size > file.size() - bodyStart) {
            return std::nullopt;
        }
        if (chunk->id == "fmt ") {
            // Only the PCM fields are read: the size is the file's claim, and extensions
            // after them are skipped with the rest of the chunk.
            if (!readFormat(file.read(qMin(chunk->size, FmtChunkMinBytes)), wave)) {
                return std::nullopt;
            }
            haveFormat = true;
        } else if (chunk->id == "data") {
            if (!haveFormat) {
                return std::nullopt;
            }
            wave.dataOffset = bodyStart;
            wave.dataBytes = chunk->size;
            return wave;
        }
        if (!file.seek(bodyStart + chunk->size + (chunk->size & 1))) {
            return std::nullopt;
        }
    }
    return std::nullopt;
}

QByteArray WaveFile::samples(const QString& path) const {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly) || !file.seek(dataOffset)) {
        return {};
    }
    QByteArray bytes = file.read(dataBytes);
    return bytes.size() == dataBytes ? bytes : QByteArray();
}
