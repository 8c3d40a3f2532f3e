// SPDX-FileCopyrightText: 2026 Omvar team
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QColor>
#include <QImage>

// The pointer and program icon shapes on a transparent ground, drawn on a 32-unit grid
// centred on (16, 16), the pointers' hot spot, and rendered at `size` pixels square.

// Gun-sight: two concentric rings joined by four short bars at the top, bottom, left and
// right, in `colour` with a darker rim.
QImage sightImage(int size, QColor colour);

// A blue X with a white outline.
QImage crossImage(int size);
