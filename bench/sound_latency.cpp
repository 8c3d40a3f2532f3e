// SPDX-FileCopyrightText: 2026 Omvar team
// SPDX-License-Identifier: GPL-3.0-or-later

// Click-to-sound of the real game: the game screen of a running program is clicked through
// XTest at random gaps, and each click's sound is looked for in a recording of the
// PulseAudio null sink's monitor. The delay runs from the press as the X server has taken
// it (stamped once XSync has returned) to the first sample of the click's sound file in
// the recording, found by the opening of the file, stamped by its arrival from parecord
// less the samples after it in its batch. The recorder's own delay (a few ms) is included,
// so the numbers are upper bounds.
//
// The clicks of a short evening: "O programu" and "Váš úkol" in turn on the main menu, then
// "Nová hra", then on the game screen the house front (a miss) and the sky (the alert
// sound) in turn. No two clicks in a row fall on one spot, so none pairs up with the one
// before as a double-click. The gaps are 0.1 to 1.5 s, every eighth one a rest of 3 to 10 s
// after which the sound device has to wake up again; those clicks are reported apart too.
// About 44 clicks fit into the 60 seconds of one game.
// Usage, in an X session with the null sink (bench/sound_latency.sh sets both up):
//   sound_latency <clicks> <seed> <omvar executable>...
#include "sound/WaveFile.h"
#include "tests/sound/MonitorRecorder.h"
#include "tests/sound/SoundOnsets.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>
#include <X11/Xlib.h>
#include <X11/extensions/XTest.h>
#include <algorithm>
#include <cstdio>
#include <random>

namespace {

constexpr int HeardWithinMs = 1000;

constexpr int MenuClicks = 12;
// Every RestEvery-th gap is a rest of 3 to 10 s, longer than the sound output's idle time
// before its device rests.
constexpr int RestEvery = 8;

struct Spot {
    int x;
    int y;
    int sound; // index among Data1.dat to Data4.dat
};
// In the 546 x 344 main menu: "O programu" and "Váš úkol".
const Spot MenuSpots[] = {{88, 112, 3}, {88, 168, 3}};
const Spot NewGame = {88, 312, 3};
// In the 800 x 600 game screen: the house front away from every figure, and the sky.
const Spot BoardSpots[] = {{320, 480, 2}, {100, 60, 1}, {420, 480, 2}, {200, 40, 1}};

struct Click {
    qint64 pressedNs;
    int sound;
    bool rested; // after a rest long enough for the sound device to rest too
};

// Lets events run (the recorder's among them) until `done` holds or the time is up.
template <typename Done> bool waitFor(Done done, int timeoutMs) {
    const QDeadlineTimer deadline(timeoutMs);
    while (!done() && !deadline.hasExpired()) {
        QCoreApplication::processEvents(QEventLoop::AllEvents, 2);
    }
    return done();
}

// The game's visible top-level window of that size, or 0.
Window findWindow(Display* display, int width, int height) {
    QProcess search;
    search.start(QStringLiteral("xdotool"),
                 {QStringLiteral("search"), QStringLiteral("--onlyvisible"),
                  QStringLiteral("--name"), QStringLiteral("^Omvar  v2\\.0$")});
    search.waitForFinished(5000);
    for (const QByteArray& line : search.readAllStandardOutput().split('\n')) {
        const Window window = line.trimmed().toULong();
        XWindowAttributes attributes;
        if (window && XGetWindowAttributes(display, window, &attributes) &&
            attributes.width == width && attributes.height == height) {
            return window;
        }
    }
    return 0;
}

Window waitForWindow(Display* display, int width, int height) {
    Window window = 0;
    waitFor([&] { return (window = findWindow(display, width, height)) != 0; }, 10000);
    return window;
}

// Presses and releases the left button at (x, y) in the window; the press's time.
qint64 click(Display* display, Window window, int x, int y, const MonitorRecorder& clock) {
    int rootX = 0;
    int rootY = 0;
    Window child = 0;
    XTranslateCoordinates(display, window, DefaultRootWindow(display), x, y, &rootX, &rootY,
                          &child);
    XTestFakeMotionEvent(display, -1, rootX, rootY, CurrentTime);
    XTestFakeButtonEvent(display, 1, True, CurrentTime);
    XSync(display, False);
    const qint64 pressed = clock.nowNs();
    XTestFakeButtonEvent(display, 1, False, CurrentTime);
    XSync(display, False);
    return pressed;
}

std::vector<std::vector<qint16>> soundFiles(const QString& folder) {
    std::vector<std::vector<qint16>> sounds;
    for (int n = 1; n <= 4; ++n) {
        const QString path = folder + QStringLiteral("/Data%1.dat").arg(n);
        const std::optional<WaveFile> wave = WaveFile::inspect(path);
        const QByteArray bytes = wave ? wave->samples(path) : QByteArray();
        std::vector<qint16> samples;
        for (qsizetype at = 0; wave && at + 2 * wave->channels <= bytes.size();
             at += 2 * wave->channels) {
            samples.push_back(qFromLittleEndian<qint16>(bytes.constData() + at));
        }
        sounds.push_back(samples);
    }
    return sounds;
}

// "<heard> of <clicks> clicks heard" and the delays' spread.
void printDelays(std::vector<double> delays, size_t clicks) {
    std::printf("%zu of %zu clicks heard (%.0f %%)", delays.size(), clicks,
                100.0 * double(delays.size()) / double(clicks));
    if (!delays.empty()) {
        std::sort(delays.begin(), delays.end());
        const auto at = [&](double share) { return delays[size_t(share * (delays.size() - 1))]; };
        std::printf("; delay min %.1f, median %.1f, 90th percentile %.1f, worst %.1f ms",
                    delays.front(), at(0.5), at(0.9), delays.back());
    }
}

void report(const QString& name, const std::vector<Click>& clicks, const MonitorRecorder& recorder,
            qint64 begin, const std::vector<std::vector<qint16>>& sounds) {
    const std::vector<qint16> heard(recorder.samples().begin() + begin, recorder.samples().end());
    std::vector<SoundOnsets::Onset> onsets = SoundOnsets::find(heard, sounds);
    std::vector<double> delays;
    std::vector<double> restedDelays;
    size_t next = 0;
    for (size_t k = 0; k < clicks.size(); ++k) {
        const Click& click = clicks[k];
        while (next < onsets.size() &&
               recorder.recordedAtNs(begin + onsets[next].sample) < click.pressedNs) {
            ++next;
        }
        if (next < onsets.size() && onsets[next].sound == click.sound) {
            const double delayMs =
                double(recorder.recordedAtNs(begin + onsets[next].sample) - click.pressedNs) / 1e6;
            if (delayMs <= HeardWithinMs) {
                delays.push_back(delayMs);
                if (click.rested) {
                    restedDelays.push_back(delayMs);
                }
                ++next;
                continue;
            }
        }
        std::printf("  click %zu (sound %d) not heard within %d ms\n", k + 1, click.sound + 1,
                    HeardWithinMs);
    }
    std::printf("%s: %zu onsets in all; ", qPrintable(name), onsets.size());
    printDelays(delays, clicks.size());
    std::printf("\n  clicks after a rest: ");
    printDelays(restedDelays, size_t(std::count_if(clicks.begin(), clicks.end(),
                                                   [](const Click& c) { return c.rested; })));
    std::printf("\n");
    std::fflush(stdout);
}

// Runs one program: starts it in a folder of its own, opens a game and clicks it.
bool measure(const QString& executable, int count, unsigned seed, Display* display,
             MonitorRecorder& recorder) {
    QTemporaryDir folder;
    const QFileInfo program(executable);
    QFile::copy(executable, folder.filePath(program.fileName()));
    for (int n = 1; n <= 4; ++n) {
        const QString name = QStringLiteral("Data%1.dat").arg(n);
        QFile::copy(program.dir().filePath(name), folder.filePath(name));
    }
    QProcess game;
    game.setWorkingDirectory(folder.path());
    game.setProcessChannelMode(QProcess::ForwardedChannels);
    game.start(folder.filePath(program.fileName()), {});
    const Window menu = waitForWindow(display, 546, 344);
    if (!menu) {
        std::fprintf(stderr, "%s: the menu did not appear\n", qPrintable(executable));
        return false;
    }
    waitFor([] { return false; }, 1500);

    std::mt19937 random(seed);
    std::uniform_int_distribution<int> gapMs(100, 1500);
    std::uniform_int_distribution<int> restMs(3000, 10000);
    const qint64 begin = recorder.sampleCount();
    std::vector<Click> clicks;
    bool rested = true; // the program has just been started and left alone
    const auto play = [&](Window window, const Spot& spot) {
        clicks.push_back({click(display, window, spot.x, spot.y, recorder), spot.sound, rested});
        rested = clicks.size() % RestEvery == 0;
        waitFor([] { return false; }, rested ? restMs(random) : gapMs(random));
    };
    for (int k = 0; k < MenuClicks; ++k) {
        play(menu, MenuSpots[k % std::size(MenuSpots)]);
    }
    play(menu, NewGame);
    const Window board = waitForWindow(display, 800, 600);
    if (!board) {
        std::fprintf(stderr, "%s: the game screen did not appear\n", qPrintable(executable));
        return false;
    }
    for (int k = MenuClicks + 1; k < count; ++k) {
        play(board, BoardSpots[k % std::size(BoardSpots)]);
    }
    waitFor([] { return false; }, 1500);
    recorder.collect();
    game.kill();
    game.waitForFinished(5000);
    report(executable, clicks, recorder, begin, soundFiles(folder.path()));
    return true;
}

} // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    if (argc < 4) {
        std::fputs("usage: sound_latency <clicks> <seed> <omvar executable>...\n", stderr);
        return 2;
    }
    const QString monitor = qEnvironmentVariable("OMVAR_NULL_SINK_MONITOR");
    Display* display = XOpenDisplay(nullptr);
    MonitorRecorder recorder;
    if (monitor.isEmpty() || !display || !recorder.start(monitor)) {
        std::fputs("needs an X display and a null sink: run bench/sound_latency.sh\n", stderr);
        return 1;
    }
    const int count = QString::fromLocal8Bit(argv[1]).toInt();
    const unsigned seed = QString::fromLocal8Bit(argv[2]).toUInt();
    bool measured = true;
    for (int i = 3; i < argc; ++i) {
        measured =
            measure(QString::fromLocal8Bit(argv[i]), count, seed, display, recorder) && measured;
    }
    XCloseDisplay(display);
    return measured ? 0 : 1;
}
