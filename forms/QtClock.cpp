// SPDX-FileCopyrightText: 2026 Omvar team
// SPDX-License-Identifier: GPL-3.0-or-later

#include "forms/QtClock.h"

#include <QTimer>

namespace {

class QtClockTimer : public ClockTimer {
public:
    explicit QtClockTimer(std::function<void()> onTick) {
        m_timer.setTimerType(Qt::PreciseTimer);
        QObject::connect(&m_timer, &QTimer::timeout, std::move(onTick));
    }
    void start(int intervalMs) override { m_timer.start(intervalMs); }
    void stop() override { m_timer.stop(); }

private:
    QTimer m_timer;
};

} // namespace

std::unique_ptr<ClockTimer> QtClock::createTimer(std::function<void()> onTick) {
    return std::make_unique<QtClockTimer>(std::move(onTick));
}
