// SPDX-FileCopyrightText: 2026 Omvar team
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QImage>

// The game screen's background, 800 x 600 pixels times `scale`, with the same layout at
// every scale.
QImage housePicture(int scale);
