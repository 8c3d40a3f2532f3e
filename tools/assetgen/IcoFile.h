// SPDX-FileCopyrightText: 2026 Omvar team
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QByteArray>
#include <QImage>

// A Windows .ico file with one 32 x 32 image in 16 colours: 4 bits per pixel from the
// standard 16-colour palette plus a 1-bit transparency mask, 744 bytes of image data.
// Qt's own ICO writer only writes 32-bit images.

// `image` reduced to what the icon can hold: pixels under half opacity become transparent,
// the rest take the nearest palette colour at full opacity.
QImage toIconColours(const QImage& image);

// The file for a 32 x 32 `image` (reduced with toIconColours first).
QByteArray icoFile(const QImage& image);
