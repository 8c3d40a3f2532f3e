// SPDX-FileCopyrightText: 2026 Omvar team
// SPDX-License-Identifier: GPL-3.0-or-later

#include "FigurePicture.h"

#include <QPainter>
#include <QRadialGradient>

QImage figurePicture(int scale) {
    QImage image(51 * scale, 50 * scale, QImage::Format_RGB32);
    image.fill(QColor(10, 1, 31));
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.scale(scale, scale);
    const QPointF centre(24.5, 24.5);
    painter.setPen(Qt::NoPen);

    QRadialGradient outer(centre + QPointF(-5, -5), 26);
    outer.setColorAt(0, QColor(255, 255, 255));
    outer.setColorAt(1, QColor(214, 216, 226));
    painter.setBrush(outer);
    painter.drawEllipse(centre, 20.5, 20.5);

    painter.setBrush(QColor(188, 190, 198));
    painter.drawEllipse(centre, 14.5, 14.5);
    painter.setBrush(QColor(150, 152, 162));
    painter.drawEllipse(centre, 8.6, 8.6);

    QRadialGradient bull(centre + QPointF(-2, -2), 9);
    bull.setColorAt(0, QColor(40, 40, 46));
    bull.setColorAt(1, QColor(0, 0, 0));
    painter.setBrush(bull);
    painter.drawEllipse(centre, 8, 8);

    // A thin dark edge keeps the white ring crisp against the navy ground.
    painter.setBrush(Qt::NoBrush);
    painter.setPen(QPen(QColor(60, 60, 80), 0.8));
    painter.drawEllipse(centre, 20.5, 20.5);
    return image;
}
