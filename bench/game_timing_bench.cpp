// SPDX-FileCopyrightText: 2026 Omvar team
// SPDX-License-Identifier: GPL-3.0-or-later

// How long a 60-second game really lasts on the real clock (QtClock: precise QTimers), from
// the moment "Nová hra" starts the timers to the end of the game (the countdown at "0" and
// the menu shown again), and where each countdown tick falls against its due time.
//
// The program's clock is the real one, wrapped only to watch it: the wrapper notes when the
// first timer is started and, after every tick, whether the time display changed (only the
// countdown changes it) or the menu is back. Sounds are recorded, not played.
//
// Run with QT_QPA_PLATFORM=offscreen; an argument sets the number of games (default 3).

#include "app/Form3.h"
#include "forms/QtClock.h"
#include "game/Form1.h"
#include "support/ProgramHarness.h"
#include "support/RecordingSound.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QTextStream>

#include <algorithm>
#include <functional>
#include <vector>

namespace {

// QtClock with hooks: `onStart` when any timer is started, `afterTick` after every tick.
class WatchedClock : public Clock {
public:
    std::unique_ptr<ClockTimer> createTimer(std::function<void()> onTick) override {
        return std::make_unique<Watched>(*this, m_clock.createTimer([this, onTick] {
            onTick();
            if (afterTick) {
                afterTick();
            }
        }));
    }

    std::function<void()> onStart;
    std::function<void()> afterTick;

private:
    class Watched : public ClockTimer {
    public:
        Watched(WatchedClock& clock, std::unique_ptr<ClockTimer> inner)
            : m_clock(clock), m_inner(std::move(inner)) {}
        void start(int intervalMs) override {
            m_inner->start(intervalMs);
            if (m_clock.onStart) {
                m_clock.onStart();
            }
        }
        void stop() override { m_inner->stop(); }

    private:
        WatchedClock& m_clock;
        std::unique_ptr<ClockTimer> m_inner;
    };

    QtClock m_clock;
};

struct Game {
    double lengthMs = 0;            // timers' start to the menu shown again
    std::vector<double> latenessMs; // countdown tick k (from 1): time - k s after start
};

Game playOneGame() {
    auto owned = std::make_unique<WatchedClock>();
    WatchedClock& clock = *owned;
    ProgramHarness bench(std::move(owned), std::make_unique<RecordingSound>());
    Form3& menu = bench.form<Form3>();
    Form1& game = bench.form<Form1>(); // loaded ahead, as after an earlier game

    QElapsedTimer elapsed;
    QEventLoop loop;
    Game result;
    QString shown;
    // Timer1 is started first: the first start is the game's start.
    clock.onStart = [&] {
        if (!elapsed.isValid()) {
            elapsed.start();
            shown = game.Label9->Caption();
        }
    };
    clock.afterTick = [&] {
        const double now = elapsed.nsecsElapsed() / 1e6;
        if (game.Label9->Caption() != shown) {
            shown = game.Label9->Caption();
            const int tick = int(result.latenessMs.size()) + 1;
            result.latenessMs.push_back(now - 1000.0 * tick);
        }
        if (menu.Visible() && shown == QStringLiteral("0")) {
            result.lengthMs = now;
            loop.quit();
        }
    };
    bench.click(menu.Command1);
    loop.exec();
    return result;
}

} // namespace

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    const int games = argc > 1 ? QString::fromLocal8Bit(argv[1]).toInt() : 3;
    QTextStream out(stdout);
    out << "| game | length ms | ticks | tick 1 late ms | median late ms | most late ms "
           "(tick) | tick 60 late ms | drift per tick ms |\n|---|---|---|---|---|---|---|---|\n";
    out.flush();
    for (int run = 1; run <= games; ++run) {
        const Game game = playOneGame();
        const std::vector<double>& late = game.latenessMs;
        std::vector<double> sorted = late;
        std::sort(sorted.begin(), sorted.end());
        const auto most = std::max_element(late.begin(), late.end());
        // Lateness that grew from the first tick to the last, spread over the ticks between.
        const double drift = (late.back() - late.front()) / double(late.size() - 1);
        out << QStringLiteral("| %1 | %2 | %3 | %4 | %5 | %6 (%7) | %8 | %9 |\n")
                   .arg(run)
                   .arg(game.lengthMs, 0, 'f', 2)
                   .arg(late.size())
                   .arg(late.front(), 0, 'f', 3)
                   .arg(sorted[sorted.size() / 2], 0, 'f', 3)
                   .arg(*most, 0, 'f', 3)
                   .arg(most - late.begin() + 1)
                   .arg(late.back(), 0, 'f', 3)
                   .arg(drift, 0, 'f', 4);
        out.flush();
    }
    return 0;
}
