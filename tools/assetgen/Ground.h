// SPDX-FileCopyrightText: 2026 Omvar team
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

class QPainter;

// The yard: dark earth behind everything (paint before the trees), and the stones and the
// flagstone path in front of the house (paint after it).
void paintGround(QPainter& painter);
void paintStones(QPainter& painter);
