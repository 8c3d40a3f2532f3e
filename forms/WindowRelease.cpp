// SPDX-FileCopyrightText: 2026 Omvar team
// SPDX-License-Identifier: GPL-3.0-or-later

#include "forms/WindowRelease.h"

#include <QBasicTimer>
#include <QEvent>
#include <QGuiApplication>
#include <QTimerEvent>
#include <QWidget>
#include <QWindow>

namespace {

// Longest wait for the compositor: it answers a shown window within a frame or two, and a
// minimised one not at all.
constexpr int LongestWaitMs = 1000;

// Waits for the second update request of a window and then lets it go. Qt on Wayland hands
// a window its update request once the frame callback of its last picture has arrived, and
// takes the second request under the lock that its frame thread holds while it hands over a
// frame callback: when that one comes, the thread is done with the window. Update requests
// are kept from the window meanwhile, so that it draws, and asks for, no new frame.
class WaylandRelease : public QObject {
public:
    WaylandRelease(QWidget* window, std::function<void()> released)
        : QObject(window->windowHandle()), m_window(window), m_released(std::move(released)) {
        window->setUpdatesEnabled(false);
        window->windowHandle()->installEventFilter(this);
        window->windowHandle()->requestUpdate();
        m_longestWait.start(LongestWaitMs, this);
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() != QEvent::UpdateRequest) {
            return false;
        }
        if (++m_updateRequests == 1) {
            static_cast<QWindow*>(watched)->requestUpdate();
        } else {
            release();
        }
        return true;
    }

    void timerEvent(QTimerEvent* event) override {
        if (event->timerId() == m_longestWait.timerId()) {
            release();
        }
    }

private:
    void release() {
        m_longestWait.stop();
        m_window->windowHandle()->removeEventFilter(this);
        deleteLater();
        // What is released may take this object with it.
        const std::function<void()> released = std::move(m_released);
        m_window->hide();
        released();
    }

    QWidget* m_window;
    std::function<void()> m_released;
    QBasicTimer m_longestWait;
    int m_updateRequests = 0;
};

} // namespace

void releaseWindow(QWidget* window, std::function<void()> released) {
    if (window->isVisible() && window->windowHandle() != nullptr &&
        QGuiApplication::platformName().startsWith(QLatin1String("wayland"))) {
        new WaylandRelease(window, std::move(released));
        return;
    }
    window->hide();
    released();
}
