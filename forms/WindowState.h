// SPDX-FileCopyrightText: 2026 Omvar team
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <Qt>

class QWindow;

// A form keeps its fixed size: it is never maximised nor full screen. Qt's own title bar on
// Wayland offers to maximise any window and asks the compositor at once; a compositor that
// then finds the window at its old size ends the program's connection. Called as Qt changes
// the window's state, this withdraws the request before the compositor has answered it, so
// the window is never configured otherwise. Elsewhere window managers offer no such thing on
// a window of fixed size.
void keepNormalState(QWindow* window, Qt::WindowState state);
