// SPDX-FileCopyrightText: 2026 Omvar team
// SPDX-License-Identifier: GPL-3.0-or-later

#include "HousePicture.h"

#include "Ground.h"
#include "House.h"
#include "Sky.h"
#include "Trees.h"

#include <QPainter>

QImage housePicture(int scale) {
    QImage image(800 * scale, 600 * scale, QImage::Format_RGB32);
    image.fill(Qt::black);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.scale(scale, scale);
    paintSky(painter);
    paintGround(painter);
    paintTrees(painter);
    paintHouse(painter);
    paintStones(painter);
    return image;
}
