// SPDX-FileCopyrightText: 2026 Omvar team
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

class QPainter;

// The two-storey house: clapboard ground floor, mansard roof with three dormers, porch and
// steps. Its front covers the whole shooting area, and the five figure boxes lie on window
// panes. Drawn in the picture's 800 x 600 coordinates.
void paintHouse(QPainter& painter);
