// SPDX-FileCopyrightText: 2026 Omvar team
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "forms/Clock.h"

#include <QtGlobal>
#include <map>

// Time that moves only when a test advances it. Due ticks fire in time order; ticks due at
// the same moment fire in the order their timers were created.
class ManualClock : public Clock {
public:
    std::unique_ptr<ClockTimer> createTimer(std::function<void()> onTick) override {
        const int id = m_nextId++;
        m_entries[id] = {std::move(onTick), 0, 0, false};
        return std::make_unique<Handle>(*this, id);
    }

    void advance(qint64 ms) {
        const qint64 target = m_now + ms;
        for (;;) {
            auto next = m_entries.end();
            for (auto it = m_entries.begin(); it != m_entries.end(); ++it) {
                if (it->second.active && it->second.due <= target &&
                    (next == m_entries.end() || it->second.due < next->second.due)) {
                    next = it;
                }
            }
            if (next == m_entries.end()) {
                break;
            }
            m_now = next->second.due;
            next->second.due += next->second.interval;
            const std::function<void()> tick = next->second.tick; // the timer may go in the tick
            tick();
        }
        m_now = target;
    }

    qint64 now() const { return m_now; }
    int activeTimers() const {
        int count = 0;
        for (const auto& [id, entry] : m_entries) {
            count += entry.active ? 1 : 0;
        }
        return count;
    }

private:
    struct Entry {
        std::function<void()> tick;
        qint64 due;
        int interval;
        bool active;
    };

    class Handle : public ClockTimer {
    public:
        Handle(ManualClock& clock, int id) : m_clock(clock), m_id(id) {}
        ~Handle() override { m_clock.m_entries.erase(m_id); }
        void start(int intervalMs) override {
            Entry& entry = m_clock.m_entries[m_id];
            entry.interval = intervalMs;
            entry.due = m_clock.m_now + intervalMs;
            entry.active = true;
        }
        void stop() override { m_clock.m_entries[m_id].active = false; }

    private:
        ManualClock& m_clock;
        int m_id;
    };

    std::map<int, Entry> m_entries;
    qint64 m_now = 0;
    int m_nextId = 0;
};
