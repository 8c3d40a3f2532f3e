// SPDX-FileCopyrightText: 2026 Omvar team
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "forms/Clock.h"

// Real time: precise QTimers, which schedule each tick from the previous one's due time,
// so the time a tick's handler takes does not accumulate as drift.
class QtClock : public Clock {
public:
    std::unique_ptr<ClockTimer> createTimer(std::function<void()> onTick) override;
};
