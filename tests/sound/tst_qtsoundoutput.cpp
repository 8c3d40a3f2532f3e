#include "MonitorRecorder.h"
#include "ToneWave.h"
#include "sound/Module1.h"
#include "sound/QtSoundOutput.h"

#include <QAudioDevice>
#include <QFile>
#include <QMediaDevices>
#include <QTemporaryDir>
#include <QtTest>
#include <algorithm>

Q_DECLARE_METATYPE(ToneWave)

// The Qt Multimedia backend against a real sound server: a PulseAudio null sink whose
// monitor is recorded, so that a test sees what would have come out of the speakers.
// with-null-sink.sh provides the server; without one these tests skip, saying why.
namespace {

constexpr int WindowSamples = MonitorRecorder::SampleRate / 100; // 10 ms
constexpr int RecordTimeoutMs = 10000;

QStringList g_messages;

void recordMessage(QtMsgType type, const QMessageLogContext&, const QString& message) {
    if (type != QtDebugMsg && type != QtInfoMsg) {
        g_messages << message;
    }
}

QString writeFile(const QTemporaryDir& dir, const QString& name, const QByteArray& contents) {
    const QString path = dir.filePath(name);
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(contents) != contents.size()) {
        return {};
    }
    return path;
}

// The program's own spelling: the folder, a backslash, the file's name.
QString programPath(const QTemporaryDir& dir, const QString& name) {
    return dir.path() + QLatin1Char('\\') + name;
}

ToneWave tone(int durationMs, double amplitude) {
    ToneWave wave;
    wave.durationMs = durationMs;
    wave.amplitude = amplitude;
    return wave;
}

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

class QtSoundOutputTest : public QObject {
    Q_OBJECT

private slots:
    void init();
    void cleanup();
    void cleanupTestCase();
    void unplayableFileGivesFalseSilently_data();
    void unplayableFileGivesFalseSilently();
    void wholeSoundComesOutOfTheSink_data();
    void wholeSoundComesOutOfTheSink();
    void syncPlayReturnsAfterTheWholeSound();
    void everyReplayIsHeard();
    void newSoundCutsOffThePlayingOne();
    void fileChangedOnDiskIsLoadedAgain();
    void noOutputDeviceGivesFalseSilently();

private:
    static QString nullSinkMissing();
    bool startRecorder();
    qint64 heardLength(qint64 begin, qint64 expected);

    QtMessageHandler m_previousHandler = nullptr;
    std::unique_ptr<QTemporaryDir> m_dir;
    std::unique_ptr<MonitorRecorder> m_recorder; // kept from the first test that records
};

void QtSoundOutputTest::init() {
    m_dir = std::make_unique<QTemporaryDir>();
    QVERIFY(m_dir->isValid());
    g_messages.clear();
    m_previousHandler = qInstallMessageHandler(recordMessage);
}

void QtSoundOutputTest::cleanup() {
    qInstallMessageHandler(m_previousHandler);
    m_dir.reset();
}

void QtSoundOutputTest::cleanupTestCase() {
    m_recorder.reset();
}

// Why the null sink cannot be used here, or empty when it can.
QString QtSoundOutputTest::nullSinkMissing() {
    const QString noSink = qEnvironmentVariable("OMVAR_NO_NULL_SINK");
    if (!noSink.isEmpty()) {
        return QStringLiteral("no PulseAudio null sink: ") + noSink;
    }
    if (qEnvironmentVariableIsEmpty("OMVAR_NULL_SINK_MONITOR")) {
        return QStringLiteral("no PulseAudio null sink: run through tests/sound/with-null-sink.sh");
    }
    if (QMediaDevices::audioOutputs().isEmpty()) {
        return QStringLiteral("the PulseAudio null sink is not visible to Qt Multimedia");
    }
    return {};
}

// One recording serves every test: the null sink takes up to two seconds to begin feeding a
// new one. Tests look only at what was recorded after their own start.
bool QtSoundOutputTest::startRecorder() {
    if (!m_recorder) {
        m_recorder = std::make_unique<MonitorRecorder>();
        if (!m_recorder->start(qEnvironmentVariable("OMVAR_NULL_SINK_MONITOR"))) {
            m_recorder.reset();
        }
    }
    return m_recorder != nullptr;
}

// Samples from the first to the last loud one of the first sound heard after `begin`,
// looked at once twice its `expected` length has been recorded; -1 if nothing is heard.
qint64 QtSoundOutputTest::heardLength(qint64 begin, qint64 expected) {
    constexpr int threshold = 12000;
    qint64 first = -1;
    const bool started = QTest::qWaitFor(
        [&] { return (first = m_recorder->firstLoudSample(begin, threshold)) >= 0; },
        RecordTimeoutMs);
    if (!started ||
        !QTest::qWaitFor([&] { return m_recorder->sampleCount() > first + 2 * expected; },
                         RecordTimeoutMs)) {
        return -1;
    }
    return m_recorder->lastLoudSample(first, first + 2 * expected, threshold) - first;
}

void QtSoundOutputTest::unplayableFileGivesFalseSilently_data() {
    QTest::addColumn<QByteArray>("contents"); // empty: no file at all
    QTest::addColumn<bool>("async");

    ToneWave ieeeFloat;
    ieeeFloat.formatTag = 3;
    ieeeFloat.bitsPerSample = 32;
    const QByteArray text("Tohle neni zvuk.\r\n");
    const QByteArray jpeg("\xFF\xD8\xFF\xE0\0\x10JFIF\0\x01\x01", 13);

    for (const bool async : {true, false}) {
        const char* mode = async ? "async" : "sync";
        QTest::addRow("%s: missing file", mode) << QByteArray() << async;
        QTest::addRow("%s: text file", mode) << text << async;
        QTest::addRow("%s: JPEG renamed", mode) << jpeg << async;
        QTest::addRow("%s: header cut short", mode) << ToneWave().bytes().left(30) << async;
        QTest::addRow("%s: IEEE float wave", mode) << ieeeFloat.bytes() << async;
    }
}

void QtSoundOutputTest::unplayableFileGivesFalseSilently() {
    QFETCH(QByteArray, contents);
    QFETCH(bool, async);
    if (const QString missing = nullSinkMissing(); !missing.isEmpty()) {
        QSKIP(qPrintable(missing));
    }

    if (!contents.isEmpty()) {
        QVERIFY(!writeFile(*m_dir, QStringLiteral("Data3.dat"), contents).isEmpty());
    }
    QtSoundOutput output;
    const QString path = programPath(*m_dir, QStringLiteral("Data3.dat"));
    QVERIFY(!Module1::PlaySoundFile(output, path, async));
    // A second try must not be taken for a success either.
    QVERIFY(!Module1::PlaySoundFile(output, path, async));
    QVERIFY2(g_messages.isEmpty(), qPrintable(g_messages.join(QLatin1Char('\n'))));
}

// Short sounds used to lose their end: the stream was closed with it still in the server.
void QtSoundOutputTest::wholeSoundComesOutOfTheSink_data() {
    QTest::addColumn<ToneWave>("wave");

    ToneWave shortMono = tone(50, 0.5);
    ToneWave stereo8 = tone(100, 0.5);
    stereo8.channels = 2;
    stereo8.bitsPerSample = 8;
    stereo8.sampleRate = 22050;
    ToneWave stereo48k = tone(300, 0.5);
    stereo48k.channels = 2;
    stereo48k.sampleRate = 48000;
    QTest::newRow("50 ms, 16-bit mono, 44.1 kHz") << shortMono;
    QTest::newRow("100 ms, 8-bit stereo, 22.05 kHz") << stereo8;
    QTest::newRow("300 ms, 16-bit stereo, 48 kHz") << stereo48k;
}

void QtSoundOutputTest::wholeSoundComesOutOfTheSink() {
    QFETCH(ToneWave, wave);
    if (const QString missing = nullSinkMissing(); !missing.isEmpty()) {
        QSKIP(qPrintable(missing));
    }
    const QString path = writeFile(*m_dir, QStringLiteral("Data1.dat"), wave.bytes());
    QtSoundOutput output;
    output.preload({path});
    QVERIFY2(startRecorder(), "parecord delivers nothing from the null sink's monitor");

    const qint64 begin = m_recorder->sampleCount();
    QVERIFY(Module1::PlaySoundFile(output, programPath(*m_dir, QStringLiteral("Data1.dat")), true));
    const qint64 expected = qint64(wave.durationMs) * MonitorRecorder::SampleRate / 1000;
    const qint64 heard = heardLength(begin, expected);
    // Within a tenth: neither cut short nor followed by noise where the silence should be.
    QVERIFY2(heard >= expected * 9 / 10 && heard <= expected * 11 / 10,
             qPrintable(QStringLiteral("heard %1 of %2 samples").arg(heard).arg(expected)));
    QVERIFY2(g_messages.isEmpty(), qPrintable(g_messages.join(QLatin1Char('\n'))));
}

// The wait must last until the sound has been heard whole: the sound played right after a
// synchronous play would otherwise cut its end off.
void QtSoundOutputTest::syncPlayReturnsAfterTheWholeSound() {
    if (const QString missing = nullSinkMissing(); !missing.isEmpty()) {
        QSKIP(qPrintable(missing));
    }
    const ToneWave alert = tone(300, 0.5);
    writeFile(*m_dir, QStringLiteral("Data2.dat"), alert.bytes());
    writeFile(*m_dir, QStringLiteral("Data4.dat"), tone(100, 0.2).bytes()); // below threshold
    QtSoundOutput output;
    QVERIFY2(startRecorder(), "parecord delivers nothing from the null sink's monitor");

    const qint64 begin = m_recorder->sampleCount();
    QVERIFY(
        Module1::PlaySoundFile(output, programPath(*m_dir, QStringLiteral("Data2.dat")), false));
    QVERIFY(Module1::PlaySoundFile(output, programPath(*m_dir, QStringLiteral("Data4.dat")), true));
    const qint64 expected = qint64(alert.durationMs) * MonitorRecorder::SampleRate / 1000;
    const qint64 heard = heardLength(begin, expected);
    QVERIFY2(heard >= expected * 9 / 10,
             qPrintable(QStringLiteral("heard %1 of %2 samples").arg(heard).arg(expected)));
}

// The hit sound is played over and over; Qt 6.4's reused streams went mute on the fifth.
void QtSoundOutputTest::everyReplayIsHeard() {
    if (const QString missing = nullSinkMissing(); !missing.isEmpty()) {
        QSKIP(qPrintable(missing));
    }
    const QString path = writeFile(*m_dir, QStringLiteral("Data1.dat"), tone(50, 0.5).bytes());
    QtSoundOutput output;
    output.preload({path});
    QVERIFY2(startRecorder(), "parecord delivers nothing from the null sink's monitor");

    for (int play = 1; play <= 8; ++play) {
        const qint64 begin = m_recorder->sampleCount();
        QVERIFY(Module1::PlaySoundFile(output, path, true));
        QTRY_VERIFY2_WITH_TIMEOUT(m_recorder->firstLoudSample(begin, 8000) >= 0,
                                  qPrintable(QStringLiteral("play %1 was not heard").arg(play)),
                                  RecordTimeoutMs);
    }
}

void QtSoundOutputTest::newSoundCutsOffThePlayingOne() {
    if (const QString missing = nullSinkMissing(); !missing.isEmpty()) {
        QSKIP(qPrintable(missing));
    }
    // Told apart by loudness: the long sound peaks near 26000, the short one near 9800.
    const QString hit = writeFile(*m_dir, QStringLiteral("Data1.dat"), tone(1500, 0.8).bytes());
    const QString button = writeFile(*m_dir, QStringLiteral("Data4.dat"), tone(200, 0.3).bytes());
    QtSoundOutput output;
    output.preload({hit, button});
    QVERIFY2(startRecorder(), "parecord delivers nothing from the null sink's monitor");

    const qint64 begin = m_recorder->sampleCount();
    QVERIFY(Module1::PlaySoundFile(output, programPath(*m_dir, QStringLiteral("Data1.dat")), true));
    qint64 hitStart = -1;
    QTRY_VERIFY_WITH_TIMEOUT((hitStart = m_recorder->firstLoudSample(begin, 20000)) >= 0,
                             RecordTimeoutMs);
    QVERIFY(Module1::PlaySoundFile(output, programPath(*m_dir, QStringLiteral("Data4.dat")), true));

    // Recorded until well past where the long sound would have ended if it went on.
    const qint64 until = hitStart + 2 * MonitorRecorder::SampleRate;
    QTRY_VERIFY_WITH_TIMEOUT(m_recorder->sampleCount() >= until, RecordTimeoutMs);
    const std::vector<int> peaks = windowPeaks(*m_recorder, hitStart, until);
    const auto buttonWindow = std::find_if(peaks.begin(), peaks.end(),
                                           [](int peak) { return peak > 8000 && peak < 12000; });
    QVERIFY2(buttonWindow != peaks.end(), "the second sound was not heard on its own");
    const int loudest = *std::max_element(buttonWindow, peaks.end());
    QVERIFY2(loudest < 12000, "the first sound went on after the second began");
}

// A failed load stays failed in Qt Multimedia; a file fixed or spoilt on disk must count.
void QtSoundOutputTest::fileChangedOnDiskIsLoadedAgain() {
    if (const QString missing = nullSinkMissing(); !missing.isEmpty()) {
        QSKIP(qPrintable(missing));
    }
    const QString name = QStringLiteral("Data2.dat");
    const QString path = programPath(*m_dir, name);
    QtSoundOutput output;

    QVERIFY(!writeFile(*m_dir, name, "not yet a sound").isEmpty());
    QVERIFY(!Module1::PlaySoundFile(output, path, true));

    QVERIFY(!writeFile(*m_dir, name, tone(200, 0.5).bytes()).isEmpty());
    QVERIFY2(startRecorder(), "parecord delivers nothing from the null sink's monitor");
    const qint64 begin = m_recorder->sampleCount();
    QVERIFY(Module1::PlaySoundFile(output, path, true));
    QTRY_VERIFY_WITH_TIMEOUT(m_recorder->firstLoudSample(begin, 8000) >= 0, RecordTimeoutMs);

    QVERIFY(!writeFile(*m_dir, name, "spoilt").isEmpty());
    QVERIFY(!Module1::PlaySoundFile(output, path, true));
    QVERIFY(QFile::remove(m_dir->filePath(name)));
    QVERIFY(!Module1::PlaySoundFile(output, path, true));
    QVERIFY2(g_messages.isEmpty(), qPrintable(g_messages.join(QLatin1Char('\n'))));
}

// Runs in CTest's run without a sound server, where PULSE_SERVER points nowhere.
void QtSoundOutputTest::noOutputDeviceGivesFalseSilently() {
    if (!qEnvironmentVariableIsEmpty("OMVAR_NULL_SINK_MONITOR")) {
        QSKIP("a sound server is running; the run without one covers this");
    }
    const QString path = writeFile(*m_dir, QStringLiteral("Data4.dat"), tone(100, 0.5).bytes());
    QtSoundOutput output;
    output.preload({path});
    const bool asyncPlayed = Module1::PlaySoundFile(output, path, true);
    const bool syncPlayed = Module1::PlaySoundFile(output, path, false);
    // Asked only now, so that any warning about the missing server is our code's to avoid.
    if (!QMediaDevices::audioOutputs().isEmpty()) {
        QSKIP("this machine has an output device");
    }
    QVERIFY(!asyncPlayed);
    QVERIFY(!syncPlayed);
    QVERIFY2(g_messages.isEmpty(), qPrintable(g_messages.join(QLatin1Char('\n'))));
}

QTEST_GUILESS_MAIN(QtSoundOutputTest)
#include "tst_qtsoundoutput.moc"
