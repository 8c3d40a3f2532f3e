// SPDX-FileCopyrightText: 2026 Omvar team
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QColor>
#include <QRectF>

class QPainter;

// Colours and pieces shared by the house's walls (House.cpp) and its openings
// (HouseOpenings.cpp). The house is white and slate blue, lit by the moon from the left.
namespace HouseParts {

inline const QColor trim{236, 239, 246};
inline const QColor trimShade{168, 176, 196};
inline const QColor clapboard{214, 219, 231};
inline const QColor clapboardShade{150, 158, 180};
inline const QColor slate{72, 94, 128};
inline const QColor slateDark{40, 52, 76};
inline const QColor slateLight{108, 130, 164};

// A white board with a thin shaded outline.
void paintBoard(QPainter& painter, const QRectF& rect);

// The window panes around each figure box with their frames: arched dormer windows on the
// upper floor, tall sash windows with shutters on the ground floor.
void paintWindows(QPainter& painter);

// Front door, porch roof, posts, railings, steps and a lantern.
void paintEntrance(QPainter& painter);

} // namespace HouseParts
