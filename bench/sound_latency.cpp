// How long a click waits for its sound with the OpenAL Soft backend: the time from the
// PlaySoundFile call (async) to the first audible sample recorded on the PulseAudio sink's
// monitor. Run it through tests/sound/with-null-sink.sh. The recorder's own delay (a few
// milliseconds) is included, so the numbers are upper bounds.
#include "sound/Module1.h"
#include "sound/OpenAlSoundOutput.h"
#include "tests/sound/MonitorRecorder.h"
#include "tests/sound/ToneWave.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QFile>
#include <QTemporaryDir>
#include <algorithm>
#include <cstdio>
#include <vector>

namespace {

constexpr int Plays = 20;
constexpr int AudibleLevel = 1000; // about -30 dBFS
constexpr int WaitMs = 5000;

// Lets events run until `done` holds or the time is up.
template <typename Done> bool waitFor(Done done, int timeoutMs) {
    const QDeadlineTimer deadline(timeoutMs);
    while (!done() && !deadline.hasExpired()) {
        QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
    }
    return done();
}

QString writeTone(const QTemporaryDir& dir, const QString& name, double amplitude) {
    ToneWave wave;
    wave.durationMs = 100;
    wave.amplitude = amplitude;
    const QString path = dir.filePath(name);
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly)) {
        return {};
    }
    file.write(wave.bytes());
    return path;
}

// Plays the file once; the delay in ms until it was heard, or -1.
double measure(MonitorRecorder& recorder, SoundOutput& output, const QString& path) {
    const qint64 begin = recorder.sampleCount();
    const qint64 calledAt = recorder.nowNs();
    if (!Module1::PlaySoundFile(output, path, true)) {
        return -1;
    }
    qint64 first = -1;
    if (!waitFor([&] { return (first = recorder.firstLoudSample(begin, AudibleLevel)) >= 0; },
                 WaitMs)) {
        return -1;
    }
    const double delayMs = double(recorder.recordedAtNs(first) - calledAt) / 1e6;
    // Let the sound and its trailing silence end before the next one.
    const qint64 quietFrom = recorder.sampleCount() + MonitorRecorder::SampleRate / 2;
    waitFor([&] { return recorder.sampleCount() > quietFrom; }, WaitMs);
    return delayMs;
}

} // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    const QString monitor = qEnvironmentVariable("OMVAR_NULL_SINK_MONITOR");
    if (monitor.isEmpty()) {
        std::fprintf(stderr, "needs a null sink: tests/sound/with-null-sink.sh %s (%s)\n", argv[0],
                     qPrintable(qEnvironmentVariable("OMVAR_NO_NULL_SINK")));
        return 1;
    }
    QTemporaryDir dir;
    MonitorRecorder recorder;
    if (!dir.isValid() || !recorder.start(monitor)) {
        std::fprintf(stderr, "cannot record from %s\n", qPrintable(monitor));
        return 1;
    }

    // Distinct sounds, so that no play finds another's sample already loaded by Qt.
    const QString cold = writeTone(dir, QStringLiteral("Data1.dat"), 0.5);
    const QString notPreloaded = writeTone(dir, QStringLiteral("Data2.dat"), 0.4);
    const QString preloaded = writeTone(dir, QStringLiteral("Data4.dat"), 0.3);

    OpenAlSoundOutput output;
    waitFor([] { return false; }, 500); // the device opens on its worker thread meanwhile
    std::printf("first play in the process, not preloaded: %.1f ms\n",
                measure(recorder, output, cold));
    std::printf("first play of a file not preloaded:       %.1f ms\n",
                measure(recorder, output, notPreloaded));

    std::vector<double> delays;
    for (int i = 0; i < Plays; ++i) {
        const double delay = measure(recorder, output, preloaded);
        if (delay < 0) {
            std::fprintf(stderr, "play %d was not heard\n", i + 1);
            return 1;
        }
        delays.push_back(delay);
    }
    std::sort(delays.begin(), delays.end());
    std::printf("preloaded, %d plays: min %.1f ms, median %.1f ms, max %.1f ms\n", Plays,
                delays.front(), (delays[Plays / 2 - 1] + delays[Plays / 2]) / 2, delays.back());
    return 0;
}
