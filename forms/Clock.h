// SPDX-FileCopyrightText: 2026 Omvar team
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <functional>
#include <memory>

// One periodic timer driven by a Clock. start() begins a full interval from now (and
// restarts a running one); stop() drops the part of the interval already run.
class ClockTimer {
public:
    virtual ~ClockTimer() = default;
    virtual void start(int intervalMs) = 0;
    virtual void stop() = 0;
};

// The source of time for every Timer control: QTimer in the program, a manual clock in tests.
class Clock {
public:
    virtual ~Clock() = default;
    virtual std::unique_ptr<ClockTimer> createTimer(std::function<void()> onTick) = 0;
};
