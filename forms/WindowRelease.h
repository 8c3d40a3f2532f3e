// SPDX-FileCopyrightText: 2026 Omvar team
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <functional>

class QWidget;

// Hides a top-level window that is about to be destroyed, then calls `released`, which may
// destroy it. Qt 6.4 on Wayland takes the compositor's frame callbacks on a thread of its
// own, which neither the window's hiding nor its destruction waits for: a window hidden and
// destroyed while that thread hands it the frame callback of its last picture takes the
// program down with it ("QMutex: destroying locked mutex", then a segmentation fault). There
// a shown window stays as it is, drawing nothing more, until Qt has handed it that frame
// callback, and at most a second where the compositor has stopped answering (a minimised
// window). Elsewhere, and for a hidden window, it happens at once.
void releaseWindow(QWidget* window, std::function<void()> released);
