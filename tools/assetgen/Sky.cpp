// SPDX-FileCopyrightText: 2026 Omvar team
// SPDX-License-Identifier: GPL-3.0-or-later

#include "Sky.h"

#include "Random.h"
#include "SceneLayout.h"

#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>
#include <algorithm>
#include <cmath>

namespace {

const QPointF moonCentre{96, 86};
constexpr double moonRadius = 33;

void paintStars(QPainter& painter) {
    Random random(7);
    painter.setPen(Qt::NoPen);
    for (int i = 0; i < 420; ++i) {
        const QPointF at(random.uniform(0, 800), random.uniform(0, 470));
        const double brightness = std::pow(random.uniform(), 2.2);
        const double radius = 0.45 + 1.1 * brightness;
        const double warmth = random.uniform(-1, 1);
        const double distanceToMoon = std::hypot(at.x() - moonCentre.x(), at.y() - moonCentre.y());
        if (distanceToMoon < 80)
            continue;
        // Behind the clock and the counters only a few faint stars.
        const bool calm = SceneLayout::calmSky.adjusted(-6, 0, 0, 10).contains(at.toPoint());
        if (calm && (brightness > 0.25 || i % 3 != 0))
            continue;
        // Towards the horizon the haze swallows the faint stars.
        const double haze = std::clamp((at.y() - 300) / 170, 0.0, 1.0);
        const double alpha =
            std::min((0.35 + 0.65 * brightness) * (1 - 0.8 * haze), calm ? 0.22 : 1.0);
        if (alpha < 0.12)
            continue;
        const QColor colour(int(225 + 30 * std::max(warmth, 0.0)), 230,
                            int(235 + 20 * std::max(-warmth, 0.0)), int(255 * alpha));
        if (brightness > 0.55) {
            QRadialGradient halo(at, radius * 4);
            halo.setColorAt(0, QColor(200, 210, 255, int(90 * alpha)));
            halo.setColorAt(1, QColor(200, 210, 255, 0));
            painter.setBrush(halo);
            painter.drawEllipse(at, radius * 4, radius * 4);
            painter.setPen(QPen(QColor(220, 228, 255, int(110 * alpha)), 0.5));
            painter.drawLine(at - QPointF(radius * 3.5, 0), at + QPointF(radius * 3.5, 0));
            painter.drawLine(at - QPointF(0, radius * 3.5), at + QPointF(0, radius * 3.5));
            painter.setPen(Qt::NoPen);
        }
        painter.setBrush(colour);
        painter.drawEllipse(at, radius, radius);
    }
}

void paintMoon(QPainter& painter) {
    painter.setPen(Qt::NoPen);
    QRadialGradient glow(moonCentre, 190);
    glow.setColorAt(0.0, QColor(190, 200, 235, 120));
    glow.setColorAt(0.25, QColor(120, 135, 190, 55));
    glow.setColorAt(0.6, QColor(60, 70, 120, 16));
    glow.setColorAt(1.0, QColor(40, 50, 100, 0));
    painter.setBrush(glow);
    painter.drawEllipse(moonCentre, 190, 190);

    QRadialGradient disc(moonCentre + QPointF(-9, -9), moonRadius * 1.4);
    disc.setColorAt(0.0, QColor(255, 254, 244));
    disc.setColorAt(0.7, QColor(246, 242, 222));
    disc.setColorAt(1.0, QColor(214, 208, 186));
    painter.setBrush(disc);
    painter.drawEllipse(moonCentre, moonRadius, moonRadius);

    // Seas and craters, kept inside the disc.
    painter.save();
    QPainterPath outline;
    outline.addEllipse(moonCentre, moonRadius - 0.5, moonRadius - 0.5);
    painter.setClipPath(outline);
    Random random(11);
    for (int i = 0; i < 9; ++i) {
        const QPointF at = moonCentre + QPointF(random.uniform(-22, 18), random.uniform(-20, 16));
        const double rx = random.uniform(5, 12);
        const double ry = rx * random.uniform(0.6, 1.0);
        painter.setBrush(QColor(190, 186, 168, int(random.uniform(45, 85))));
        painter.drawEllipse(at, rx, ry);
    }
    for (int i = 0; i < 14; ++i) {
        const QPointF at = moonCentre + QPointF(random.uniform(-28, 28), random.uniform(-28, 28));
        const double r = random.uniform(1.0, 3.2);
        painter.setBrush(QColor(170, 165, 150, 70));
        painter.drawEllipse(at, r, r);
        painter.setBrush(QColor(255, 255, 248, 70));
        painter.drawEllipse(at + QPointF(0.5, 0.5), r * 0.6, r * 0.6);
    }
    painter.restore();
}

void paintHills(QPainter& painter) {
    QPainterPath far;
    far.moveTo(0, 600);
    far.lineTo(0, 452);
    far.cubicTo(90, 430, 170, 446, 260, 448);
    far.cubicTo(360, 452, 430, 436, 540, 442);
    far.cubicTo(640, 448, 720, 428, 800, 440);
    far.lineTo(800, 600);
    far.closeSubpath();
    QLinearGradient farShade(0, 430, 0, 520);
    farShade.setColorAt(0, QColor(22, 26, 44));
    farShade.setColorAt(1, QColor(12, 14, 24));
    painter.setPen(Qt::NoPen);
    painter.setBrush(farShade);
    painter.drawPath(far);

    // A faint mist where the hills meet the sky.
    QLinearGradient mist(0, 420, 0, 500);
    mist.setColorAt(0, QColor(90, 100, 140, 0));
    mist.setColorAt(0.5, QColor(90, 100, 140, 22));
    mist.setColorAt(1, QColor(90, 100, 140, 0));
    painter.fillRect(QRectF(0, 420, 800, 80), mist);
}

} // namespace

void paintSky(QPainter& painter) {
    QLinearGradient sky(0, 0, 0, 500);
    sky.setColorAt(0.0, QColor(2, 2, 6));
    sky.setColorAt(0.55, QColor(6, 7, 16));
    sky.setColorAt(1.0, QColor(18, 22, 42));
    painter.fillRect(QRectF(0, 0, 800, 600), sky);
    paintStars(painter);
    paintMoon(painter);
    paintHills(painter);
}
