// SPDX-FileCopyrightText: 2026 Omvar team
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QImage>

// The figure shown in the figure boxes: a target disc (white outer ring, light grey inner
// ring, black centre) on dark navy, 51 x 50 pixels times `scale`. The boxes show only the
// top-left 49 x 49, so the disc is centred in that part.
QImage figurePicture(int scale);
