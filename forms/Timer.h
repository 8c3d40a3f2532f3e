// SPDX-FileCopyrightText: 2026 Omvar team
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "forms/Clock.h"

#include <QObject>
#include <functional>
#include <memory>

// The timer control: raises its Timer event every interval while enabled. Enabling starts a
// full interval; disabling drops the part already run. Setting Enabled to the value it
// already has changes nothing.
class Timer : public QObject {
    Q_OBJECT

public:
    Timer(QObject* parent, Clock& clock, int intervalMs);

    void setTimerHandler(std::function<void()> handler) { m_handler = std::move(handler); }

    bool Enabled() const { return m_enabled; }
    void setEnabled(bool enabled);

    // The form is gone: the timer never ticks again.
    void release();

private:
    std::unique_ptr<ClockTimer> m_clockTimer;
    std::function<void()> m_handler;
    const int m_interval;
    bool m_enabled = false;
};
