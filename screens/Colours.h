// SPDX-FileCopyrightText: 2026 Omvar team
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QColor>

// The colours the layouts use.
namespace Colour {
inline const QColor Red(255, 0, 0);
inline const QColor Green(0, 255, 0);
inline const QColor Blue(0, 0, 255);
inline const QColor Navy(0, 0, 128);
inline const QColor LightGrey(192, 192, 192);
inline const QColor PanelGrey(224, 224, 224);
inline const QColor FigureGround(10, 1, 31); // close to the house's window panes
} // namespace Colour
