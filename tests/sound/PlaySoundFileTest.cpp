// SPDX-FileCopyrightText: 2026 Omvar team
// SPDX-License-Identifier: GPL-3.0-or-later

#include "ToneWave.h"
#include "sound/Module1.h"
#include "sound/WaveFile.h"
#include "support/TestRegistry.h"
#include "tests/support/RecordingSound.h"

#include <QFile>
#include <QTemporaryDir>
#include <QtTest>
#ifdef Q_OS_UNIX
#include <sys/resource.h>
#endif

// The flags the sound helper hands to the platform, and the header check that keeps files
// that cannot be played as they are away from the player.
namespace {

// The process's peak resident memory in KiB; 0 where the platform does not say.
qint64 peakMemoryKiB() {
#ifdef Q_OS_UNIX
    rusage usage{};
    return getrusage(RUSAGE_SELF, &usage) == 0 ? usage.ru_maxrss : 0;
#else
    return 0;
#endif
}

} // namespace

class PlaySoundFileTest : public QObject {
    Q_OBJECT

private slots:
    void passesWinmmFlagsAndResult_data();
    void passesWinmmFlagsAndResult();
    void waveHeaderCheck_data();
    void waveHeaderCheck();
};

void PlaySoundFileTest::passesWinmmFlagsAndResult_data() {
    QTest::addColumn<QString>("fileName");
    QTest::addColumn<bool>("async");
    QTest::addColumn<bool>("outputResult");
    QTest::addColumn<quint32>("expectedFlags");

    const QString button = QStringLiteral("C:\\Hry\\Omvar\\Data4.dat");
    const QString czech = QStringLiteral("C:\\Hry\\Střelnice\\Data1.dat");
    QTest::newRow("async play returns at once") << button << true << true << 0x20003u;
    QTest::newRow("sync play waits for the end") << button << false << true << 0x20002u;
    QTest::newRow("async failure is passed back") << czech << true << false << 0x20003u;
    QTest::newRow("sync failure is passed back") << czech << false << false << 0x20002u;
}

void PlaySoundFileTest::passesWinmmFlagsAndResult() {
    QFETCH(QString, fileName);
    QFETCH(bool, async);
    QFETCH(bool, outputResult);
    QFETCH(quint32, expectedFlags);

    RecordingSound sound;
    sound.result = outputResult;
    QCOMPARE(Module1::PlaySoundFile(sound, fileName, async), outputResult);
    QCOMPARE(sound.calls.size(), size_t(1));
    QCOMPARE(sound.calls[0].fileName, fileName);
    QCOMPARE(sound.calls[0].flags, expectedFlags);
}

void PlaySoundFileTest::waveHeaderCheck_data() {
    QTest::addColumn<QByteArray>("contents"); // empty: no file at all
    QTest::addColumn<bool>("playable");
    QTest::addColumn<int>("durationMs");

    const ToneWave tone;
    ToneWave stereo8;
    stereo8.channels = 2;
    stereo8.bitsPerSample = 8;
    stereo8.durationMs = 500;
    ToneWave ieeeFloat;
    ieeeFloat.formatTag = 3;
    ieeeFloat.bitsPerSample = 32;
    ToneWave adpcm;
    adpcm.formatTag = 2;
    adpcm.bitsPerSample = 4;
    ToneWave pcm24;
    pcm24.bitsPerSample = 24;
    ToneWave extensible;
    extensible.formatTag = 0xFFFE;
    ToneWave silentRate;
    silentRate.sampleRate = 0;
    ToneWave surround;
    surround.channels = 6;
    const ToneWave lowest{.sampleRate = 4000, .bitsPerSample = 8, .durationMs = 500};
    const ToneWave highest{.sampleRate = 192000};
    const ToneWave tooHigh{.sampleRate = 192001};
    const ToneWave tooLow{.sampleRate = 4000, .headerRate = 3999, .bitsPerSample = 8};
    // 3 MB of samples said to be played at 1 Hz: 35 days, more milliseconds than 32 bits hold.
    const ToneWave crawling{
        .sampleRate = 4000, .headerRate = 1, .bitsPerSample = 8, .durationMs = 750'000};

    QByteArray withList = tone.bytes();
    withList.insert(12, QByteArray("LIST\x05\0\0\0INFOx\0", 14)); // odd size, padded
    QByteArray dataBeforeFmt = tone.bytes();
    dataBeforeFmt.replace(12, 4, "junk");
    QByteArray notWave = tone.bytes();
    notWave.replace(8, 4, "AVI ");
    QByteArray hugeFmt = tone.bytes(); // read whole, it took 2 GB and held up the sounds
    qToLittleEndian<quint32>(quint32(1) << 31, hugeFmt.data() + 16);

    QTest::newRow("16-bit mono PCM") << tone.bytes() << true << 200;
    QTest::newRow("8-bit stereo PCM") << stereo8.bytes() << true << 500;
    QTest::newRow("PCM after an odd-sized chunk") << withList << true << 200;
    QTest::newRow("missing file") << QByteArray() << false << 0;
    QTest::newRow("text file") << QByteArray("Zvuk, ktery neni zvuk\r\n") << false << 0;
    QTest::newRow("JPEG renamed") << QByteArray("\xFF\xD8\xFF\xE0\0\x10JFIF\0\x01\x01", 13) << false
                                  << 0;
    QTest::newRow("RIFF but not WAVE") << notWave << false << 0;
    QTest::newRow("header cut short") << tone.bytes().left(30) << false << 0;
    QTest::newRow("data cut short") << tone.bytes().chopped(100) << false << 0;
    QTest::newRow("no fmt chunk before data") << dataBeforeFmt << false << 0;
    QTest::newRow("IEEE float") << ieeeFloat.bytes() << false << 0;
    QTest::newRow("ADPCM") << adpcm.bytes() << false << 0;
    QTest::newRow("24-bit PCM") << pcm24.bytes() << false << 0;
    QTest::newRow("extensible format") << extensible.bytes() << false << 0;
    QTest::newRow("sample rate 0") << silentRate.bytes() << false << 0;
    QTest::newRow("six channels") << surround.bytes() << false << 0;
    QTest::newRow("lowest sample rate, 4 kHz") << lowest.bytes() << true << 500;
    QTest::newRow("highest sample rate, 192 kHz") << highest.bytes() << true << 200;
    QTest::newRow("sample rate 3,999 Hz") << tooLow.bytes() << false << 0;
    QTest::newRow("sample rate 192,001 Hz") << tooHigh.bytes() << false << 0;
    QTest::newRow("3 MB at 1 Hz") << crawling.bytes() << false << 0;
    QTest::newRow("fmt chunk claiming 2 GiB") << hugeFmt << true << 200;
}

void PlaySoundFileTest::waveHeaderCheck() {
    QFETCH(QByteArray, contents);
    QFETCH(bool, playable);
    QFETCH(int, durationMs);

    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    const QString path = dir.filePath(QStringLiteral("Data1.dat"));
    if (!contents.isEmpty()) {
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly));
        // A fmt chunk said to hold more than its 16 bytes gets the rest as a hole in the file.
        const qint64 fmtHole = contents.mid(12, 4) == "fmt "
                                   ? qint64(qFromLittleEndian<quint32>(contents.data() + 16)) - 16
                                   : 0;
        if (fmtHole > 0) {
            file.write(contents.left(36));
            QVERIFY(file.seek(36 + fmtHole));
            contents.remove(0, 36);
        }
        file.write(contents);
    }
    const qint64 peakBefore = peakMemoryKiB();
    const std::optional<WaveFile> wave = WaveFile::inspect(path);
    QVERIFY2(peakMemoryKiB() - peakBefore < 64 * 1024, "the header was read by the size it claims");
    QCOMPARE(wave.has_value(), playable);
    if (wave) {
        QCOMPARE(wave->durationMs(), qint64(durationMs));
    }
}

static const RegisteredTest<PlaySoundFileTest> registered;
#include "PlaySoundFileTest.moc"
