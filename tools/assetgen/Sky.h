// SPDX-FileCopyrightText: 2026 Omvar team
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

class QPainter;

// The night sky of the house picture: black sky, stars, the full moon at the top left and
// the dark hills on the horizon. Drawn in the picture's 800 x 600 coordinates.
void paintSky(QPainter& painter);
