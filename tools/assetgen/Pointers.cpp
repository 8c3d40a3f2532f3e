// SPDX-FileCopyrightText: 2026 Omvar team
// SPDX-License-Identifier: GPL-3.0-or-later

#include "Pointers.h"

#include <QPainter>
#include <QPainterPath>

namespace {

QImage transparentImage(int size) {
    QImage image(size, size, QImage::Format_ARGB32);
    image.fill(Qt::transparent);
    return image;
}

QPainterPath sightShape() {
    const QPointF centre(16, 16);
    const auto ring = [&](double inner, double outer) {
        QPainterPath disc;
        disc.addEllipse(centre, outer, outer);
        QPainterPath hole;
        hole.addEllipse(centre, inner, inner);
        return disc.subtracted(hole);
    };
    QPainterPath bars;
    bars.addRect(QRectF(15, 1.8, 2, 8));
    bars.addRect(QRectF(15, 22.2, 2, 8));
    bars.addRect(QRectF(1.8, 15, 8, 2));
    bars.addRect(QRectF(22.2, 15, 8, 2));
    return ring(10.9, 13.1).united(ring(4.6, 6.6)).united(bars);
}

} // namespace

QImage sightImage(int size, QColor colour) {
    QImage image = transparentImage(size);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.scale(size / 32.0, size / 32.0);
    const QPainterPath shape = sightShape();
    painter.setPen(QPen(colour.darker(200), 1.6, Qt::SolidLine, Qt::SquareCap, Qt::MiterJoin));
    painter.setBrush(Qt::NoBrush);
    painter.drawPath(shape);
    painter.setPen(Qt::NoPen);
    painter.setBrush(colour);
    painter.drawPath(shape);
    return image;
}

QImage crossImage(int size) {
    QImage image = transparentImage(size);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.scale(size / 32.0, size / 32.0);
    QPainterPath cross;
    cross.moveTo(7.5, 7.5);
    cross.lineTo(24.5, 24.5);
    cross.moveTo(24.5, 7.5);
    cross.lineTo(7.5, 24.5);
    painter.setPen(QPen(Qt::white, 6, Qt::SolidLine, Qt::SquareCap));
    painter.drawPath(cross);
    painter.setPen(QPen(QColor(0, 0, 255), 3.2, Qt::SolidLine, Qt::SquareCap));
    painter.drawPath(cross);
    return image;
}
