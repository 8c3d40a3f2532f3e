// SPDX-FileCopyrightText: 2026 Omvar team
// SPDX-License-Identifier: GPL-3.0-or-later

// Lists the sounds heard in a recording, in order, and compares them with the sounds that
// should have been heard: one onset per expected sound and nothing else.
// Usage: sound_onsets <recording: raw s16le mono 44.1 kHz> <expected, e.g. 4,4,3,1>
//                     <sound file 1> ... <sound file n>
// The expected list names sounds by their place among the files given, from 1. Exits 0
// when the onsets match the list, 1 when they do not, 2 on bad input.
#include "sound/WaveFile.h"
#include "tests/sound/SoundOnsets.h"

#include <QFile>
#include <QStringList>
#include <QtEndian>
#include <cstdio>

namespace {

std::vector<qint16> readSamples(const QByteArray& bytes, int channels) {
    std::vector<qint16> samples;
    for (qsizetype at = 0; at + 2 * channels <= bytes.size(); at += 2 * channels) {
        samples.push_back(qFromLittleEndian<qint16>(bytes.constData() + at)); // left or mono
    }
    return samples;
}

} // namespace

int main(int argc, char** argv) {
    if (argc < 4) {
        std::fputs("usage: sound_onsets <recording.raw> <expected> <sound file>...\n", stderr);
        return 2;
    }
    QFile recordingFile(QString::fromLocal8Bit(argv[1]));
    if (!recordingFile.open(QIODevice::ReadOnly)) {
        std::fprintf(stderr, "cannot read %s\n", argv[1]);
        return 2;
    }
    const std::vector<qint16> recording = readSamples(recordingFile.readAll(), 1);
    std::vector<std::vector<qint16>> sounds;
    for (int i = 3; i < argc; ++i) {
        const QString path = QString::fromLocal8Bit(argv[i]);
        const std::optional<WaveFile> wave = WaveFile::inspect(path);
        if (!wave || wave->bitsPerSample != 16 || wave->sampleRate != 44100) {
            std::fprintf(stderr, "%s is not a 16-bit wave file at 44.1 kHz\n", argv[i]);
            return 2;
        }
        sounds.push_back(readSamples(wave->samples(path), wave->channels));
    }

    QStringList heard;
    for (const SoundOnsets::Onset& onset : SoundOnsets::find(recording, sounds)) {
        heard << QString::number(onset.sound + 1);
        std::printf("%8.3f s  sound %d  match %.3f  heard %.1f ms of its opening\n",
                    double(onset.sample) / 44100, onset.sound + 1, onset.match,
                    double(onset.heardCount) / 44.1);
    }
    const QString expected = QString::fromLocal8Bit(argv[2]);
    std::printf("expected: %s\nheard:    %s\n", qPrintable(expected),
                qPrintable(heard.join(QLatin1Char(','))));
    return heard.join(QLatin1Char(',')) == expected ? 0 : 1;
}
