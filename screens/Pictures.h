// SPDX-FileCopyrightText: 2026 Omvar team
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QCursor>
#include <QIcon>
#include <QPixmap>

// The pictures, icons and pointers compiled into the program. On a high-density screen the
// pictures come in their double-resolution renders.
namespace Pictures {

QPixmap menu();   // the main menu's picture, 650 x 400
QPixmap house();  // the house at night, 800 x 600
QPixmap figure(); // the figure, 51 x 50
QIcon programIcon();

QCursor sightRed();   // over a figure: the program icon
QCursor sightGreen(); // over the house front
QCursor blueCross();  // over the rest of the picture

} // namespace Pictures
