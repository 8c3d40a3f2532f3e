// SPDX-FileCopyrightText: 2026 Omvar team
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QColor>
#include <QRect>
#include <array>

// Where the game screen puts its controls over the house picture, in pixels of the
// 800 x 600 picture. The house is drawn around these rectangles, and its front covers the
// shooting area, x 192..608 and y 264..504.
namespace SceneLayout {

// Upper floor left, middle, right; ground floor right, left.
inline constexpr std::array<QRect, 5> figureBoxes{QRect{240, 280, 49, 49}, QRect{376, 288, 49, 49},
                                                  QRect{512, 280, 49, 49}, QRect{512, 424, 49, 49},
                                                  QRect{240, 424, 49, 49}};

// Clock, counter panel and buttons lie over this part of the sky; nothing but dark sky
// belongs there.
inline constexpr QRect calmSky{392, 0, 408, 240};

inline const QColor pane{16, 15, 31};

} // namespace SceneLayout
