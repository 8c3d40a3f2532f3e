// SPDX-FileCopyrightText: 2026 Omvar team
// SPDX-License-Identifier: GPL-3.0-or-later

#include "forms/Timer.h"

Timer::Timer(QObject* parent, Clock& clock, int intervalMs)
    : QObject(parent), m_clockTimer(clock.createTimer([this] {
          if (m_handler) {
              m_handler();
          }
      })),
      m_interval(intervalMs) {}

void Timer::setEnabled(bool enabled) {
    if (enabled == m_enabled || !m_clockTimer) {
        return;
    }
    m_enabled = enabled;
    if (enabled) {
        m_clockTimer->start(m_interval);
    } else {
        m_clockTimer->stop();
    }
}

void Timer::release() {
    m_clockTimer.reset();
    m_enabled = false;
}
