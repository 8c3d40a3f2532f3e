// SPDX-FileCopyrightText: 2026 Omvar team
// SPDX-License-Identifier: GPL-3.0-or-later

#include "Trees.h"

#include "Random.h"
#include "SceneLayout.h"

#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>
#include <cmath>
#include <numbers>

namespace {

const QColor bark(40, 36, 38);

struct Growth {
    Random random;
    double spread; // radians between sibling branches
    double shrink; // child length over parent length
};

// Branch tips keep out of the sky behind the clock and the counters.
bool allowed(QPointF point) {
    return !QRectF(SceneLayout::calmSky).adjusted(-4, 0, 0, 8).contains(point);
}

// One branch and, recursively, its twigs. Angles are in radians, y grows downwards.
void growBranch(QPainter& painter, Growth& growth, QPointF from, double angle, double length,
                double width, int depth) {
    QPointF to = from + QPointF(std::cos(angle), std::sin(angle)) * length;
    if (!allowed(to)) {
        length *= 0.5;
        to = from + QPointF(std::cos(angle), std::sin(angle)) * length;
        if (!allowed(to))
            return;
    }
    const QPointF normal(-std::sin(angle), std::cos(angle));
    const QPointF bend = (from + to) / 2 + normal * length * growth.random.uniform(-0.12, 0.12);
    QPainterPath path(from);
    path.quadTo(bend, to);
    painter.setPen(QPen(bark, std::max(width, 0.6), Qt::SolidLine, Qt::RoundCap));
    painter.setBrush(Qt::NoBrush);
    painter.drawPath(path);
    if (depth == 0)
        return;

    const int children = 2 + (growth.random.uniform() < (depth > 3 ? 0.3 : 0.55) ? 1 : 0);
    constexpr double up = -std::numbers::pi / 2;
    for (int i = 0; i < children; ++i) {
        const double offset = (i - (children - 1) / 2.0) * growth.spread;
        double childAngle = angle + offset + growth.random.uniform(-0.22, 0.22);
        childAngle = childAngle * 0.92 + up * 0.08; // branches reach for the light
        const double childLength = length * growth.shrink * growth.random.uniform(0.85, 1.1);
        growBranch(painter, growth, to, childAngle, childLength, width * 0.64, depth - 1);
    }
}

// An owl sitting with its feet at `perch`, looking at the player.
void paintOwl(QPainter& painter, QPointF perch) {
    const QPointF body = perch + QPointF(0, -14);
    painter.setPen(Qt::NoPen);
    QRadialGradient plumage(body + QPointF(-4, -4), 18);
    plumage.setColorAt(0, QColor(92, 78, 64));
    plumage.setColorAt(1, QColor(38, 31, 27));
    painter.setBrush(plumage);
    painter.drawEllipse(body, 10, 14);

    // Breast feathers: small light chevrons.
    painter.setPen(QPen(QColor(130, 116, 96, 150), 0.8));
    for (int row = 0; row < 3; ++row) {
        for (int column = -1; column <= 1; ++column) {
            const QPointF at = body + QPointF(column * 4 + (row % 2) * 2 - 1, -2 + row * 4);
            painter.drawLine(at, at + QPointF(1.5, 1.5));
            painter.drawLine(at + QPointF(1.5, 1.5), at + QPointF(3, 0));
        }
    }

    const QPointF head = perch + QPointF(0, -31);
    QPainterPath headShape;
    headShape.addEllipse(head, 9.5, 8);
    QPainterPath tufts;
    tufts.moveTo(head + QPointF(-9, -2));
    tufts.lineTo(head + QPointF(-8, -13));
    tufts.lineTo(head + QPointF(-3, -6));
    tufts.lineTo(head + QPointF(3, -6));
    tufts.lineTo(head + QPointF(8, -13));
    tufts.lineTo(head + QPointF(9, -2));
    tufts.closeSubpath();
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(44, 36, 31));
    painter.drawPath(headShape.united(tufts));
    painter.setBrush(QColor(86, 74, 62));
    painter.drawEllipse(head + QPointF(-4, 1), 4.5, 4.5);
    painter.drawEllipse(head + QPointF(4, 1), 4.5, 4.5);

    for (double side : {-4.0, 4.0}) {
        const QPointF eye = head + QPointF(side, 1);
        QRadialGradient shine(eye, 6);
        shine.setColorAt(0, QColor(255, 200, 60, 110));
        shine.setColorAt(1, QColor(255, 200, 60, 0));
        painter.setBrush(shine);
        painter.drawEllipse(eye, 6, 6);
        painter.setBrush(QColor(255, 196, 40));
        painter.drawEllipse(eye, 2.8, 2.8);
        painter.setBrush(QColor(10, 8, 6));
        painter.drawEllipse(eye, 1.4, 1.5);
        painter.setBrush(QColor(255, 255, 240));
        painter.drawEllipse(eye + QPointF(-0.7, -0.8), 0.5, 0.5);
    }
    QPainterPath beak;
    beak.moveTo(head + QPointF(-1.3, 3.5));
    beak.lineTo(head + QPointF(1.3, 3.5));
    beak.lineTo(head + QPointF(0, 7));
    beak.closeSubpath();
    painter.setBrush(QColor(150, 120, 70));
    painter.drawPath(beak);

    painter.setPen(QPen(QColor(150, 120, 70), 1.2, Qt::SolidLine, Qt::RoundCap));
    for (double side : {-3.0, 3.0})
        painter.drawLine(perch + QPointF(side - 1.5, -1), perch + QPointF(side + 1.5, 0.5));
}

void paintLeftTree(QPainter& painter) {
    Growth growth{Random(21), 0.62, 0.76};
    growBranch(painter, growth, {102, 540}, -std::numbers::pi / 2 - 0.04, 150, 17, 8);
    // A low limb reaching out over the moonlit yard.
    growBranch(painter, growth, {104, 430}, -2.55, 70, 7, 5);
}

void paintRightTree(QPainter& painter) {
    Growth growth{Random(34), 0.78, 0.7};
    growBranch(painter, growth, {712, 534}, -std::numbers::pi / 2 + 0.05, 84, 15, 7);
    growBranch(painter, growth, {716, 476}, -0.45, 56, 6, 4);

    // The owl's branch: a nearly level limb to the left.
    const QPointF fork(714, 404);
    const QPointF tip(630, 372);
    QPainterPath limb(fork);
    limb.quadTo(QPointF(672, 380), tip);
    painter.setPen(QPen(bark, 5, Qt::SolidLine, Qt::RoundCap));
    painter.setBrush(Qt::NoBrush);
    painter.drawPath(limb);
    growBranch(painter, growth, tip, -2.6, 22, 2.5, 3);
    growBranch(painter, growth, tip + QPointF(20, 3), -1.9, 18, 2, 2);
    paintOwl(painter, {672, 384});
}

} // namespace

void paintTrees(QPainter& painter) {
    painter.save();
    paintLeftTree(painter);
    paintRightTree(painter);
    painter.restore();
}
