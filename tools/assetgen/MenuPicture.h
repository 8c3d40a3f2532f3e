// SPDX-FileCopyrightText: 2026 Omvar team
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QImage>

// The main menu's picture: flat light grey RGB(198, 198, 198) with the word "Menu" in red
// italic serif letters and a soft white glow near the top-left corner. 650 x 400 pixels
// times `scale`; the menu shows only its top-left 545 x 345.
QImage menuPicture(int scale);
