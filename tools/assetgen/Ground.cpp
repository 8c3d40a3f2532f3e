// SPDX-FileCopyrightText: 2026 Omvar team
// SPDX-License-Identifier: GPL-3.0-or-later

#include "Ground.h"

#include "Random.h"

#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>
#include <cmath>
#include <numbers>

namespace {

QPainterPath pathOutline() {
    QPainterPath path;
    path.moveTo(356, 516);
    path.lineTo(444, 516);
    path.cubicTo(452, 550, 470, 575, 492, 600);
    path.lineTo(318, 600);
    path.cubicTo(334, 575, 348, 550, 356, 516);
    path.closeSubpath();
    return path;
}

// An irregular rounded stone lit by the moon from the upper left.
void paintStone(QPainter& painter, Random& random, QPointF centre, double size, int grey) {
    QPainterPath outline;
    constexpr int corners = 8;
    QPointF points[corners];
    for (int i = 0; i < corners; ++i) {
        const double angle = 2 * std::numbers::pi * i / corners + random.uniform(-0.2, 0.2);
        const double radius = size * random.uniform(0.78, 1.0);
        points[i] = centre + QPointF(std::cos(angle) * radius, std::sin(angle) * radius * 0.62);
    }
    outline.moveTo((points[corners - 1] + points[0]) / 2);
    for (int i = 0; i < corners; ++i)
        outline.quadTo(points[i], (points[i] + points[(i + 1) % corners]) / 2);

    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(6, 6, 10, 120));
    painter.drawEllipse(centre + QPointF(size * 0.25, size * 0.45), size * 1.05, size * 0.4);
    const double warm = random.uniform(-6, 6);
    QRadialGradient face(centre + QPointF(-size * 0.4, -size * 0.35), size * 1.6);
    face.setColorAt(0, QColor(grey + 45, grey + 44 + int(warm), grey + 42));
    face.setColorAt(0.5, QColor(grey, grey - 1 + int(warm), grey - 2));
    face.setColorAt(1, QColor(grey / 3, grey / 3, grey / 3 + 6));
    painter.setBrush(face);
    painter.drawPath(outline);
}

} // namespace

void paintGround(QPainter& painter) {
    QPainterPath yard;
    yard.moveTo(0, 600);
    yard.lineTo(0, 498);
    yard.cubicTo(120, 488, 220, 500, 400, 500);
    yard.cubicTo(580, 500, 680, 486, 800, 494);
    yard.lineTo(800, 600);
    yard.closeSubpath();
    QLinearGradient earth(0, 486, 0, 600);
    earth.setColorAt(0, QColor(34, 33, 38));
    earth.setColorAt(1, QColor(22, 20, 22));
    painter.setPen(Qt::NoPen);
    painter.setBrush(earth);
    painter.drawPath(yard);
    // Moonlight on the yard, brightest towards the moon.
    QRadialGradient light(QPointF(120, 520), 380);
    light.setColorAt(0, QColor(140, 150, 190, 30));
    light.setColorAt(1, QColor(140, 150, 190, 0));
    painter.setBrush(light);
    painter.drawPath(yard);
}

void paintStones(QPainter& painter) {
    painter.save();
    const QPainterPath path = pathOutline();
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(40, 38, 40));
    painter.drawPath(path);

    Random random(3);
    // Flagstones along the path, larger as they come nearer.
    for (double y = 522; y < 604;) {
        const double depth = (y - 516) / 84;
        const double height = 6 + 9 * depth;
        const QRectF row = path.boundingRect();
        double x = 0;
        for (; x < row.width();) {
            const double width = height * random.uniform(1.6, 2.4);
            const QPointF centre(row.left() + x + width / 2, y + height / 2);
            if (path.contains(centre))
                paintStone(painter, random, centre, width / 2 - 1, int(random.uniform(82, 104)));
            x += width;
        }
        y += height;
    }

    // Loose stones over the yard, none on the path or in front of the porch steps.
    for (int i = 0; i < 260; ++i) {
        const double y = 500 + std::pow(random.uniform(), 0.8) * 104;
        const double x = random.uniform(-10, 810);
        const double depth = (y - 490) / 110;
        const double size = (1.5 + 7 * depth) * random.uniform(0.6, 1.3);
        const QPointF centre(x, y);
        const bool underHouse = x > 176 && x < 624 && y - size * 0.6 < 510;
        if (underHouse || path.intersects(QRectF(x - size, y - size, 2 * size, 2 * size)))
            continue;
        paintStone(painter, random, centre, size, int(random.uniform(64, 112)));
    }
    painter.restore();
}
