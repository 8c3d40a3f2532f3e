// SPDX-FileCopyrightText: 2026 Omvar team
// SPDX-License-Identifier: GPL-3.0-or-later
//
// In the browser Qt is the window system: it draws each window's frame and title bar itself
// into the page, with no maximise button on a fixed-size window, and routes every click.
// What the desktop's window systems need read or mended is known here or needs nothing.
#include "forms/BlockedClicks.h"
#include "forms/FrameExtents.h"
#include "forms/WindowName.h"
#include "forms/WindowState.h"

#include <QWindow>

// The page lists no windows: a window's name is shown nowhere but in its title bar.
void clearWindowName(QWindow*) {}

// Qt's frame, known from the moment the window exists.
std::optional<QMargins> frameExtents(QWindow* window) {
    return window->frameMargins();
}

FrameExtentsWatch::FrameExtentsWatch(std::function<void(QWindow*)> changed)
    : m_changed(std::move(changed)) {}

FrameExtentsWatch::~FrameExtentsWatch() = default;

bool FrameExtentsWatch::nativeEventFilter(const QByteArray&, void*, qintptr*) {
    return false;
}

void keepNormalState(QWindow*, Qt::WindowState) {}

BlockedClicks::BlockedClicks() = default;

BlockedClicks::~BlockedClicks() = default;

bool BlockedClicks::nativeEventFilter(const QByteArray&, void*, qintptr*) {
    return false;
}

bool BlockedClicks::eventFilter(QObject*, QEvent*) {
    return false;
}
