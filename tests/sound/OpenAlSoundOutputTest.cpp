// SPDX-FileCopyrightText: 2026 Omvar team
// SPDX-License-Identifier: GPL-3.0-or-later

#include "SinkFixture.h"
#include "support/TestRegistry.h"

#include <algorithm>

Q_DECLARE_METATYPE(ToneWave)

// The OpenAL Soft backend against a real sound server: a PulseAudio null sink whose monitor
// is recorded, so that a test sees what would have come out of the speakers.
// with-null-sink.sh provides the server; without one these tests skip, saying why.
namespace {

constexpr int WindowSamples = MonitorRecorder::SampleRate / 100; // 10 ms

// The loudest sample of each 10 ms window in [from, to), in order.
std::vector<int> windowPeaks(const MonitorRecorder& recorder, qint64 from, qint64 to) {
    std::vector<int> peaks;
    for (qint64 start = from; start + WindowSamples <= to; start += WindowSamples) {
        int peak = 0;
        for (qint64 i = start; i < start + WindowSamples; ++i) {
            peak = std::max(peak, recorder.magnitude(i));
        }
        peaks.push_back(peak);
    }
    return peaks;
}

} // namespace

class OpenAlSoundOutputTest : public QObject {
    Q_OBJECT

private slots:
    void init();
    void cleanup() { m_sink.cleanup(); }
    void unplayableFileGivesFalseSilently_data();
    void unplayableFileGivesFalseSilently();
    void wholeSoundComesOutOfTheSink_data();
    void wholeSoundComesOutOfTheSink();
    void syncPlayReturnsAfterTheWholeSound();
    void everyReplayIsHeard();
    void newSoundCutsOffThePlayingOne_data();
    void newSoundCutsOffThePlayingOne();
    void fileChangedOnDiskIsLoadedAgain();
    void folderWithABackslashIsHeard();

private:
    qint64 heardLength(qint64 begin, qint64 expected);

    SinkFixture m_sink;
};

// Every test here plays into the null sink.
void OpenAlSoundOutputTest::init() {
    m_sink.init();
    if (const QString missing = SinkFixture::nullSinkMissing(); !missing.isEmpty()) {
        QSKIP(qPrintable(missing));
    }
}

// Samples from the first to the last loud one of the first sound heard after `begin`,
// looked at once twice its `expected` length has been recorded; -1 if nothing is heard.
qint64 OpenAlSoundOutputTest::heardLength(qint64 begin, qint64 expected) {
    constexpr int threshold = 12000;
    MonitorRecorder& recorder = *m_sink.recorder;
    qint64 first = -1;
    const bool started =
        QTest::qWaitFor([&] { return (first = recorder.firstLoudSample(begin, threshold)) >= 0; },
                        SinkFixture::RecordTimeoutMs);
    if (!started || !QTest::qWaitFor([&] { return recorder.sampleCount() > first + 2 * expected; },
                                     SinkFixture::RecordTimeoutMs)) {
        return -1;
    }
    return recorder.lastLoudSample(first, first + 2 * expected, threshold) - first;
}

void OpenAlSoundOutputTest::unplayableFileGivesFalseSilently_data() {
    QTest::addColumn<QByteArray>("contents"); // empty: no file at all
    QTest::addColumn<bool>("async");

    ToneWave ieeeFloat;
    ieeeFloat.formatTag = 3;
    ieeeFloat.bitsPerSample = 32;
    const ToneWave huge = SinkFixture::tone(200'000, 0.5); // 17.6 MB of samples
    ToneWave crawling = SinkFixture::tone(1000, 0.5);      // 88 kB said to last 12 hours
    crawling.headerRate = 1;
    const QByteArray text("Tohle neni zvuk.\r\n");
    const QByteArray jpeg("\xFF\xD8\xFF\xE0\0\x10JFIF\0\x01\x01", 13);

    for (const bool async : {true, false}) {
        const char* mode = async ? "async" : "sync";
        QTest::addRow("%s: missing file", mode) << QByteArray() << async;
        QTest::addRow("%s: text file", mode) << text << async;
        QTest::addRow("%s: JPEG renamed", mode) << jpeg << async;
        QTest::addRow("%s: header cut short", mode) << ToneWave().bytes().left(30) << async;
        QTest::addRow("%s: data cut short", mode) << ToneWave().bytes().chopped(100) << async;
        QTest::addRow("%s: IEEE float wave", mode) << ieeeFloat.bytes() << async;
        QTest::addRow("%s: over 16 MiB of samples", mode) << huge.bytes() << async;
        QTest::addRow("%s: sample rate 1 Hz", mode) << crawling.bytes() << async;
    }
}

void OpenAlSoundOutputTest::unplayableFileGivesFalseSilently() {
    QFETCH(QByteArray, contents);
    QFETCH(bool, async);

    if (!contents.isEmpty()) {
        QVERIFY(!m_sink.writeFile(QStringLiteral("Data3.dat"), contents).isEmpty());
    }
    OpenAlSoundOutput output;
    QVERIFY(m_sink.deviceReady(output));
    const QString path = m_sink.programPath(QStringLiteral("Data3.dat"));
    // An asynchronous play is handed to the sound thread: it cannot know yet that the file
    // does not play. The synchronous play after it, taken in turn, does.
    QCOMPARE(Module1::PlaySoundFile(output, path, async), async);
    QVERIFY(!Module1::PlaySoundFile(output, path, false));
    QVERIFY2(SinkFixture::messages().isEmpty(), qPrintable(SinkFixture::messages().join('\n')));
}

void OpenAlSoundOutputTest::wholeSoundComesOutOfTheSink_data() {
    QTest::addColumn<ToneWave>("wave");

    ToneWave shortMono = SinkFixture::tone(50, 0.5);
    ToneWave stereo8 = SinkFixture::tone(100, 0.5);
    stereo8.channels = 2;
    stereo8.bitsPerSample = 8;
    stereo8.sampleRate = 22050;
    ToneWave stereo48k = SinkFixture::tone(300, 0.5);
    stereo48k.channels = 2;
    stereo48k.sampleRate = 48000;
    QTest::newRow("50 ms, 16-bit mono, 44.1 kHz") << shortMono;
    QTest::newRow("100 ms, 8-bit stereo, 22.05 kHz") << stereo8;
    QTest::newRow("300 ms, 16-bit stereo, 48 kHz") << stereo48k;
}

void OpenAlSoundOutputTest::wholeSoundComesOutOfTheSink() {
    QFETCH(ToneWave, wave);
    const QString path = m_sink.writeFile(QStringLiteral("Data1.dat"), wave.bytes());
    OpenAlSoundOutput output({path});
    QVERIFY(m_sink.deviceReady(output));
    QVERIFY2(m_sink.startRecorder(), "parecord delivers nothing from the null sink's monitor");

    const qint64 begin = m_sink.recorder->sampleCount();
    QVERIFY(Module1::PlaySoundFile(output, m_sink.programPath(QStringLiteral("Data1.dat")), true));
    const qint64 expected = qint64(wave.durationMs) * MonitorRecorder::SampleRate / 1000;
    const qint64 heard = heardLength(begin, expected);
    // Within a tenth: neither cut short nor followed by noise where the silence should be.
    QVERIFY2(heard >= expected * 9 / 10 && heard <= expected * 11 / 10,
             qPrintable(QStringLiteral("heard %1 of %2 samples").arg(heard).arg(expected)));
    QVERIFY2(SinkFixture::messages().isEmpty(), qPrintable(SinkFixture::messages().join('\n')));
}

// The wait must last until the sound has been heard whole: the sound played right after a
// synchronous play would otherwise cut its end off.
void OpenAlSoundOutputTest::syncPlayReturnsAfterTheWholeSound() {
    const ToneWave alert = SinkFixture::tone(300, 0.5);
    m_sink.writeFile(QStringLiteral("Data2.dat"), alert.bytes());
    m_sink.writeFile(QStringLiteral("Data4.dat"), SinkFixture::tone(100, 0.2).bytes());
    OpenAlSoundOutput output;
    QVERIFY(m_sink.deviceReady(output));
    QVERIFY2(m_sink.startRecorder(), "parecord delivers nothing from the null sink's monitor");

    const qint64 begin = m_sink.recorder->sampleCount();
    QVERIFY(Module1::PlaySoundFile(output, m_sink.programPath(QStringLiteral("Data2.dat")), false));
    QVERIFY(Module1::PlaySoundFile(output, m_sink.programPath(QStringLiteral("Data4.dat")), true));
    const qint64 expected = qint64(alert.durationMs) * MonitorRecorder::SampleRate / 1000;
    const qint64 heard = heardLength(begin, expected);
    QVERIFY2(heard >= expected * 9 / 10,
             qPrintable(QStringLiteral("heard %1 of %2 samples").arg(heard).arg(expected)));
}

// The hit sound is played over and over, each play heard anew.
void OpenAlSoundOutputTest::everyReplayIsHeard() {
    const QString path =
        m_sink.writeFile(QStringLiteral("Data1.dat"), SinkFixture::tone(50, 0.5).bytes());
    OpenAlSoundOutput output({path});
    QVERIFY(m_sink.deviceReady(output));
    QVERIFY2(m_sink.startRecorder(), "parecord delivers nothing from the null sink's monitor");

    for (int play = 1; play <= 10; ++play) {
        const qint64 begin = m_sink.recorder->sampleCount();
        QVERIFY(Module1::PlaySoundFile(output, path, true));
        QVERIFY2(m_sink.heardAfter(begin),
                 qPrintable(QStringLiteral("play %1 was not heard").arg(play)));
    }
}

void OpenAlSoundOutputTest::newSoundCutsOffThePlayingOne_data() {
    QTest::addColumn<bool>("firstHeard"); // whether the second play waits for the first sound
    QTest::newRow("once the first is heard") << true;
    // Both handed to the sound thread before it has begun the first: taken in the order of
    // the plays, the second is the one left playing.
    QTest::newRow("one right after the other") << false;
}

void OpenAlSoundOutputTest::newSoundCutsOffThePlayingOne() {
    QFETCH(bool, firstHeard);
    // Told apart by loudness: the long sound peaks near 26000 on the monitor, the short one
    // near 9800.
    const QString hit =
        m_sink.writeFile(QStringLiteral("Data1.dat"), SinkFixture::tone(1500, 0.8).bytes());
    const QString button =
        m_sink.writeFile(QStringLiteral("Data4.dat"), SinkFixture::tone(200, 0.3).bytes());
    OpenAlSoundOutput output({hit, button});
    QVERIFY(m_sink.deviceReady(output));
    QVERIFY2(m_sink.startRecorder(), "parecord delivers nothing from the null sink's monitor");
    MonitorRecorder& recorder = *m_sink.recorder;

    qint64 from = recorder.sampleCount();
    QVERIFY(Module1::PlaySoundFile(output, hit, true));
    if (firstHeard) {
        const qint64 begin = from;
        QTRY_VERIFY_WITH_TIMEOUT((from = recorder.firstLoudSample(begin, 20000)) >= 0,
                                 SinkFixture::RecordTimeoutMs);
    }
    QVERIFY(Module1::PlaySoundFile(output, button, true));

    // Recorded until well past where the long sound would have ended if it went on.
    const qint64 until = from + 2 * MonitorRecorder::SampleRate;
    QTRY_VERIFY_WITH_TIMEOUT(recorder.sampleCount() >= until, SinkFixture::RecordTimeoutMs);
    const std::vector<int> peaks = windowPeaks(recorder, from, until);
    // 50 ms of the short sound alone, so that the edge of the long one is not taken for it.
    const auto buttonWindow = std::search_n(peaks.begin(), peaks.end(), 5, 0, [](int peak, int) {
        return peak > 8000 && peak < 12000;
    });
    QVERIFY2(buttonWindow != peaks.end(), "the second sound was not heard on its own");
    const int loudest = *std::max_element(buttonWindow, peaks.end());
    QVERIFY2(loudest < 12000, "the first sound went on after the second began");
}

// Each file is decoded once; a file fixed or spoilt on disk must count all the same.
void OpenAlSoundOutputTest::fileChangedOnDiskIsLoadedAgain() {
    const QString name = QStringLiteral("Data2.dat");
    const QString path = m_sink.programPath(name);
    OpenAlSoundOutput output;
    QVERIFY(m_sink.deviceReady(output));

    QVERIFY(!m_sink.writeFile(name, "not yet a sound").isEmpty());
    QVERIFY(!Module1::PlaySoundFile(output, path, false));

    QVERIFY(!m_sink.writeFile(name, SinkFixture::tone(200, 0.5).bytes()).isEmpty());
    QVERIFY2(m_sink.startRecorder(), "parecord delivers nothing from the null sink's monitor");
    const qint64 begin = m_sink.recorder->sampleCount();
    QVERIFY(Module1::PlaySoundFile(output, path, true));
    QVERIFY(m_sink.heardAfter(begin));

    QVERIFY(!m_sink.writeFile(name, "spoilt").isEmpty());
    QVERIFY(!Module1::PlaySoundFile(output, path, false));
    QVERIFY(QFile::remove(m_sink.dir->filePath(name)));
    QVERIFY(!Module1::PlaySoundFile(output, path, false));
    QVERIFY2(SinkFixture::messages().isEmpty(), qPrintable(SinkFixture::messages().join('\n')));
}

// The program folder's name may hold any character a Linux file name can, a backslash too.
void OpenAlSoundOutputTest::folderWithABackslashIsHeard() {
    const QString folder = QStringLiteral("Hry\\Omvar");
    QVERIFY(QDir(m_sink.dir->path()).mkdir(folder));
    const QString path = m_sink.programPath(folder + QStringLiteral("/Data4.dat"));
    QVERIFY(
        !m_sink
             .writeFile(folder + QStringLiteral("/Data4.dat"), SinkFixture::tone(100, 0.5).bytes())
             .isEmpty());
    OpenAlSoundOutput output;
    QVERIFY(m_sink.deviceReady(output));
    QVERIFY2(m_sink.startRecorder(), "parecord delivers nothing from the null sink's monitor");

    const qint64 begin = m_sink.recorder->sampleCount();
    QVERIFY(Module1::PlaySoundFile(output, path, true));
    QVERIFY(m_sink.heardAfter(begin));
}

static const RegisteredTest<OpenAlSoundOutputTest> registered;
#include "OpenAlSoundOutputTest.moc"
