// SPDX-FileCopyrightText: 2026 Omvar team
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QAbstractNativeEventFilter>
#include <QMargins>
#include <functional>
#include <optional>

class QWindow;

// The frame and title bar that the window system put around a top-level window, as far as
// it has stated them. On X11 that is the window manager's _NET_FRAME_EXTENTS, written when
// it frames the window: Qt's own frame margins walk the window tree instead, and in the
// moment a window manager lays out its new frame they read garbage that Qt then keeps. A
// window no window manager has framed has no extents yet.
std::optional<QMargins> frameExtents(QWindow* window);

// Tells of every top-level window of the program whose frame extents the window manager
// has just written (X11 only: elsewhere the frame is known once the window is exposed).
class FrameExtentsWatch : public QAbstractNativeEventFilter {
public:
    explicit FrameExtentsWatch(std::function<void(QWindow*)> changed);
    ~FrameExtentsWatch() override;

    bool nativeEventFilter(const QByteArray& eventType, void* message, qintptr* result) override;

private:
    std::function<void(QWindow*)> m_changed;
    [[maybe_unused]] unsigned m_atom = 0; // X11 only
};
