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

// Fills channels, rate and bits from a "fmt " chunk body; false for anything but plain PCM.
bool readFormat(const QByteArray& body, WaveFile& wave) {
    if (body.size() < FmtChunkMinBytes) {
        return false;
    }
    const char* data = body.constData();
    const quint16 formatTag = qFromLittleEndian<quint16>(data);
    wave.channels = qFromLittleEndian<quint16>(data + 2);
    wave.sampleRate = int(qFromLittleEndian<quint32>(data + 4));
    const quint16 blockAlign = qFromLittleEndian<quint16>(data + 12);
    wave.bitsPerSample = qFromLittleEndian<quint16>(data + 14);
    return formatTag == PcmFormatTag && wave.channels > 0 && wave.sampleRate > 0 &&
           (wave.bitsPerSample == 8 || wave.bitsPerSample == 16) &&
           blockAlign == wave.channels * wave.bitsPerSample / 8;
}

template <typename T> void appendLittleEndian(QByteArray& bytes, T value) {
    char buffer[sizeof(T)];
    qToLittleEndian<T>(value, buffer);
    bytes.append(buffer, sizeof(T));
}

} // namespace

int WaveFile::durationMs() const {
    const qint64 bytesPerSecond = qint64(sampleRate) * channels * bitsPerSample / 8;
    return bytesPerSecond > 0 ? int(dataBytes * 1000 / bytesPerSecond) : 0;
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
            if (!readFormat(file.read(chunk->size), wave)) {
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

QByteArray WaveFile::withTrailingSilence(const QString& path, int silenceMs) const {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly) || !file.seek(dataOffset)) {
        return {};
    }
    const QByteArray samples = file.read(dataBytes);
    if (samples.size() != dataBytes) {
        return {};
    }
    const quint16 blockAlign = quint16(channels * bitsPerSample / 8);
    const qint64 silenceBytes = qint64(sampleRate) * silenceMs / 1000 * blockAlign;
    // 8-bit samples are unsigned with silence at 128, 16-bit ones signed with silence at 0.
    const char silence = bitsPerSample == 8 ? char(0x80) : char(0);
    const quint32 dataSize = quint32(samples.size() + silenceBytes);

    QByteArray wave;
    wave.reserve(44 + dataSize);
    wave.append("RIFF", 4);
    appendLittleEndian<quint32>(wave, 36 + dataSize);
    wave.append("WAVEfmt ", 8);
    appendLittleEndian<quint32>(wave, FmtChunkMinBytes);
    appendLittleEndian<quint16>(wave, PcmFormatTag);
    appendLittleEndian<quint16>(wave, quint16(channels));
    appendLittleEndian<quint32>(wave, quint32(sampleRate));
    appendLittleEndian<quint32>(wave, quint32(sampleRate) * blockAlign);
    appendLittleEndian<quint16>(wave, blockAlign);
    appendLittleEndian<quint16>(wave, quint16(bitsPerSample));
    wave.append("data", 4);
    appendLittleEndian<quint32>(wave, dataSize);
    wave.append(samples);
    wave.append(QByteArray(silenceBytes, silence));
    return wave;
}
