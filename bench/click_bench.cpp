// SPDX-FileCopyrightText: 2026 Omvar team
// SPDX-License-Identifier: GPL-3.0-or-later

// The cost of one shot on the user-interface thread, per click: a real mouse click (press
// and release handed to the window system layer, then the events that follow, as QTest
// does) on the game window, routed by Qt to a figure (a hit) or the shooting area (a miss),
// the handler, the two counters' captions and their repaint, and the sound request. The
// game's clock is a manual one that is never advanced, so the figure at the upper left
// stays up and every click on it is a hit. A click on the sky runs a handler that only
// requests a sound and repaints nothing: the difference to a shot is the counting.
//
// First with a recording sound output, then with the platform's (run under
// tests/sound/with-null-sink.sh so that there is a device to play to), fewer clicks and
// with the event loop running between them.
// Run with QT_QPA_PLATFORM=offscreen; an argument sets the clicks per batch (default 20000).

#include "BenchSupport.h"
#include "app/Form3.h"
#include "forms/Conversions.h"
#include "game/Form1.h"
#include "sound/Module1.h"
#include "sound/PlatformSound.h"
#include "support/ManualClock.h"
#include "support/ProgramHarness.h"
#include "support/RecordingSound.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QTextStream>

#include <algorithm>
#include <vector>

namespace {

constexpr int Batches = 5;
constexpr int ClicksWithSound = 100; // per batch
const QPoint FigurePoint{264, 304};  // Picture2, up from the start
const QPoint HouseFront{320, 480};   // the shooting area
const QPoint Sky{100, 100};          // the picture: no shot

QTextStream out(stdout);

struct Cost {
    double median; // µs per call, the median of Batches batches
    double fastest;
    double cpu; // µs of this thread's CPU per call, the median
};

// The time per call of `step`. With a pause, the event loop runs that long between calls,
// untimed, as between a player's clicks.
template <class Step> Cost perCall(int count, Step step, int pauseMs = 0) {
    std::vector<double> times;
    std::vector<double> cpu;
    for (int batch = 0; batch < Batches; ++batch) {
        qint64 wallNs = 0;
        qint64 cpuNs = 0;
        QElapsedTimer timer;
        for (int i = 0; i < count; ++i) {
            const qint64 cpuBefore = threadCpuNs();
            timer.start();
            step();
            wallNs += timer.nsecsElapsed();
            cpuNs += threadCpuNs() - cpuBefore;
            if (pauseMs > 0) {
                QTest::qWait(pauseMs);
            }
        }
        times.push_back(wallNs / 1e3 / count);
        cpu.push_back(cpuNs / 1e3 / count);
    }
    std::sort(times.begin(), times.end());
    std::sort(cpu.begin(), cpu.end());
    return {times[Batches / 2], times.front(), cpu[Batches / 2]};
}

void report(const QString& row, Cost cost) {
    out << QStringLiteral("| %1 | %2 | %3 | %4 |\n")
               .arg(row)
               .arg(cost.median, 0, 'f', 2)
               .arg(cost.fastest, 0, 'f', 2)
               .arg(cost.cpu, 0, 'f', 2);
    out.flush();
}

// A program with a game under way, from "Nová hra".
Form1& startGame(ProgramHarness& bench) {
    bench.click(bench.form<Form3>().Command1);
    return bench.form<Form1>();
}

void measureClicks(ProgramHarness& bench, const QString& sound, int count, int pauseMs = 0) {
    Form1& game = startGame(bench);
    QWidget* window = game.window();
    const auto clickAt = [&bench, window](QPoint at) {
        return [&bench, window, at] { bench.clickInWindow(window, at); };
    };
    report(sound + QStringLiteral(", hit"), perCall(count, clickAt(FigurePoint), pauseMs));
    report(sound + QStringLiteral(", miss"), perCall(count, clickAt(HouseFront), pauseMs));
    report(sound + QStringLiteral(", sky (no shot, nothing to repaint)"),
           perCall(count, clickAt(Sky), pauseMs));
    // Every click counted, in every batch.
    const QString clicks = QString::number(Batches * count);
    if (game.Label8->Caption() != clicks || game.Label11->Caption() != clicks) {
        out << "clicks were lost: hits " << game.Label8->Caption() << ", misses "
            << game.Label11->Caption() << " of " << clicks << " each\n";
    }
}

// One counter as a shot's handler updates it: its caption as a number, plus one, back to
// text; then with the repaint that follows.
void measureCounter(Label* counter, int count) {
    const auto addOne = [counter] {
        counter->setCaption(doubleToText(textToDouble(counter->Caption()) + 1));
    };
    report(QStringLiteral("one counter +1, repaint left pending"), perCall(count, addOne));
    report(QStringLiteral("one counter +1 and its repaint"), perCall(count, [&addOne] {
               addOne();
               QCoreApplication::processEvents();
           }));
}

} // namespace

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    const int count = argc > 1 ? QString::fromLocal8Bit(argv[1]).toInt() : 20000;

    out << "| per click | median µs | fastest µs | thread CPU µs (median) |\n|---|---|---|---|\n";
    {
        auto recording = std::make_unique<RecordingSound>();
        RecordingSound* sound = recording.get();
        ProgramHarness bench(std::make_unique<ManualClock>(), std::move(recording));
        measureClicks(bench, QStringLiteral("recorded sound"), count);
        measureCounter(bench.form<Form1>().Label7, count);
        out << "(sounds requested: " << sound->calls.size() << ")\n";
    }
    {
        // The platform's output, with the sound files beside the program as in a real folder,
        // each played once first so that it is loaded before the clicks. The clicks come
        // 20 ms apart: played back to back with no time between them, Qt's PulseAudio
        // backend falls behind, and each sound costs more than the one before.
        auto sound = createPlatformSoundOutput();
        SoundOutput* output = sound.get();
        ProgramHarness bench(std::make_unique<ManualClock>(), std::move(sound));
        bool playing = false;
        for (const QString& name : Program::soundFiles()) {
            QFile::copy(QStringLiteral(OMVAR_ASSETS_DIR "/") + name, bench.path(name));
            playing = Module1::PlaySoundFile(*output, bench.program->programFile(name), true);
        }
        QTest::qWait(500);
        measureClicks(bench,
                      playing ? QStringLiteral("platform sound")
                              : QStringLiteral("platform sound, no device"),
                      ClicksWithSound, 20);
    }
    return 0;
}
