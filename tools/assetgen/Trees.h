// SPDX-FileCopyrightText: 2026 Omvar team
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

class QPainter;

// The two bare trees beside the house, the right one with an owl on a branch. They stand
// behind the house, so paint them before it.
void paintTrees(QPainter& painter);
