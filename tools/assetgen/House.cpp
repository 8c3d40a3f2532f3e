// SPDX-FileCopyrightText: 2026 Omvar team
// SPDX-License-Identifier: GPL-3.0-or-later

#include "House.h"

#include "HouseParts.h"
#include "Random.h"

#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>

using namespace HouseParts;

namespace {

constexpr double roofTop = 242; // the flat top never reaches into the sky behind the counters
constexpr double curbTop = 250;
constexpr double mansardTop = 257;
constexpr double eave = 364;
constexpr double wallBottom = 492;

QPainterPath mansardOutline() {
    QPainterPath path;
    path.moveTo(189, mansardTop);
    path.lineTo(611, mansardTop);
    path.lineTo(614, 336);
    path.quadTo(615, 356, 624, eave);
    path.lineTo(176, eave);
    path.quadTo(185, 356, 186, 336);
    path.closeSubpath();
    return path;
}

void paintChimney(QPainter& painter, const QRectF& stack) {
    QLinearGradient brick(stack.left(), 0, stack.right(), 0);
    brick.setColorAt(0, QColor(118, 62, 50));
    brick.setColorAt(1, QColor(70, 36, 32));
    painter.fillRect(stack, brick);
    painter.setPen(QPen(QColor(52, 30, 28), 0.7));
    for (double y = stack.top() + 4; y < stack.bottom(); y += 4) {
        painter.drawLine(QPointF(stack.left(), y), QPointF(stack.right(), y));
        const double shift = int((y - stack.top()) / 4) % 2 ? 4 : 0;
        for (double x = stack.left() + shift; x < stack.right(); x += 8)
            painter.drawLine(QPointF(x, y - 4), QPointF(x, y));
    }
    const QRectF cap(stack.left() - 3, stack.top() - 5, stack.width() + 6, 5);
    QLinearGradient stone(cap.left(), 0, cap.right(), 0);
    stone.setColorAt(0, QColor(150, 150, 156));
    stone.setColorAt(1, QColor(90, 90, 98));
    painter.fillRect(cap, stone);
}

void paintUpperRoof(QPainter& painter) {
    QPainterPath roof;
    roof.moveTo(186, curbTop + 1);
    roof.lineTo(232, roofTop);
    roof.lineTo(568, roofTop);
    roof.lineTo(614, curbTop + 1);
    roof.closeSubpath();
    QLinearGradient shade(186, 0, 614, 0);
    shade.setColorAt(0, QColor(70, 84, 110));
    shade.setColorAt(1, QColor(36, 44, 62));
    painter.setPen(Qt::NoPen);
    painter.setBrush(shade);
    painter.drawPath(roof);
    painter.fillRect(QRectF(230, roofTop - 1, 340, 1.5), QColor(120, 136, 164));
}

// Fish-scale slates, laid from the eave upwards so each row overlaps the one below.
void paintMansard(QPainter& painter) {
    const QPainterPath outline = mansardOutline();
    painter.save();
    painter.setClipPath(outline);
    painter.fillRect(outline.boundingRect(), slateDark);
    Random random(5);
    for (int row = 0; row * 8 < eave - mansardTop + 8; ++row) {
        const double y = eave - 6 - row * 8;
        for (double x = 168 + (row % 2) * 6; x < 632; x += 12) {
            QPainterPath scale;
            scale.moveTo(x, y - 4);
            scale.lineTo(x + 12, y - 4);
            scale.lineTo(x + 12, y + 4);
            scale.cubicTo(x + 12, y + 10, x, y + 10, x, y + 4);
            scale.closeSubpath();
            const int tint = int(random.uniform(-9, 9));
            painter.setPen(QPen(slateDark, 0.9));
            painter.setBrush(QColor(slate.red() + tint, slate.green() + tint, slate.blue() + tint));
            painter.drawPath(scale);
            painter.setPen(QPen(QColor(150, 170, 200, 70), 0.8));
            painter.drawArc(QRectF(x + 1.5, y, 9, 7.5), 200 * 16, 140 * 16);
        }
    }
    // Moonlight from the upper left, and the shadow under the curb.
    QLinearGradient light(176, 0, 624, 0);
    light.setColorAt(0, QColor(200, 215, 255, 40));
    light.setColorAt(0.5, QColor(0, 0, 0, 0));
    light.setColorAt(1, QColor(0, 0, 10, 70));
    painter.fillRect(outline.boundingRect(), light);
    QLinearGradient curbShadow(0, mansardTop, 0, mansardTop + 10);
    curbShadow.setColorAt(0, QColor(0, 0, 10, 110));
    curbShadow.setColorAt(1, QColor(0, 0, 10, 0));
    painter.fillRect(QRectF(170, mansardTop, 460, 10), curbShadow);
    painter.restore();
}

void paintClapboard(QPainter& painter) {
    const QRectF wall(188, eave, 424, wallBottom - eave);
    for (double y = wall.top(); y < wall.bottom(); y += 7) {
        QLinearGradient board(0, y, 0, y + 7);
        board.setColorAt(0, clapboard.lighter(104));
        board.setColorAt(0.8, clapboard);
        board.setColorAt(1, clapboardShade);
        painter.fillRect(QRectF(wall.left(), y, wall.width(), 7), board);
    }
    QLinearGradient light(wall.left(), 0, wall.right(), 0);
    light.setColorAt(0, QColor(255, 255, 255, 0));
    light.setColorAt(1, QColor(10, 14, 40, 60));
    painter.fillRect(wall, light);
    // Corner boards.
    for (double x : {188.0, 603.0}) {
        painter.fillRect(QRectF(x, eave, 9, wallBottom - eave), slate);
        painter.fillRect(QRectF(x, eave, 1.5, wallBottom - eave), slateLight);
    }
}

void paintBracket(QPainter& painter, double x) {
    QPainterPath corbel;
    corbel.moveTo(x, eave + 10);
    corbel.lineTo(x + 8, eave + 10);
    corbel.lineTo(x + 8, eave + 13);
    corbel.cubicTo(x + 8, eave + 20, x + 3, eave + 19, x + 2.5, eave + 24);
    corbel.lineTo(x, eave + 24);
    corbel.closeSubpath();
    painter.setPen(QPen(trimShade, 0.8));
    painter.setBrush(trim);
    painter.drawPath(corbel);
    painter.fillRect(QRectF(x + 5.5, eave + 10.5, 2, 3), trimShade);
}

void paintCornice(QPainter& painter) {
    paintBoard(painter, QRectF(176, eave - 4, 448, 5));
    paintBoard(painter, QRectF(182, eave + 1, 436, 9));
    painter.setPen(Qt::NoPen);
    painter.setBrush(trimShade);
    for (double x = 185; x < 614; x += 6)
        painter.drawRect(QRectF(x, eave + 5, 3, 3.5));
    for (double x : {198.0, 594.0})
        paintBracket(painter, x);
    painter.fillRect(QRectF(188, eave + 10, 424, 3), QColor(20, 24, 44, 90));
}

void paintFoundation(QPainter& painter) {
    const QRectF band(184, wallBottom - 2, 432, 18);
    painter.fillRect(band, QColor(46, 46, 52));
    Random random(9);
    for (int row = 0; row < 2; ++row) {
        const double y = band.top() + 1 + row * 8.5;
        double x = band.left() + (row ? -10 : 1);
        while (x < band.right()) {
            const double width = random.uniform(16, 32);
            const QRectF stone(std::max(x, band.left() + 1), y,
                               std::min(x + width, band.right() - 1) - std::max(x, band.left() + 1),
                               7.5);
            const int grey = int(random.uniform(86, 122));
            QLinearGradient face(0, stone.top(), 0, stone.bottom());
            face.setColorAt(0, QColor(grey + 22, grey + 22, grey + 26));
            face.setColorAt(1, QColor(grey - 18, grey - 18, grey - 12));
            painter.setPen(Qt::NoPen);
            painter.setBrush(face);
            painter.drawRoundedRect(stone, 1.5, 1.5);
            x += width + 1;
        }
    }
}

} // namespace

void HouseParts::paintBoard(QPainter& painter, const QRectF& rect) {
    painter.setPen(QPen(trimShade, 0.8));
    painter.setBrush(trim);
    painter.drawRect(rect);
}

void paintHouse(QPainter& painter) {
    painter.save();
    paintChimney(painter, QRectF(230, 204, 22, 44));
    paintChimney(painter, QRectF(336, 214, 19, 34));
    paintUpperRoof(painter);
    paintBoard(painter, QRectF(183, curbTop, 434, mansardTop - curbTop));
    paintMansard(painter);
    paintClapboard(painter);
    paintCornice(painter);
    paintWindows(painter);
    paintFoundation(painter);
    paintEntrance(painter);
    painter.restore();
}
