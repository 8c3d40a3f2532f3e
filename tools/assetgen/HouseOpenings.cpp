// SPDX-FileCopyrightText: 2026 Omvar team
// SPDX-License-Identifier: GPL-3.0-or-later

#include "HouseParts.h"

#include "SceneLayout.h"

#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>

using namespace HouseParts;

namespace {

// Glass: the figure boxes' own navy, so a box blends into the window around it.
void paintPane(QPainter& painter, const QPainterPath& shape) {
    painter.setPen(QPen(slateDark, 1.2));
    painter.setBrush(SceneLayout::pane);
    painter.drawPath(shape);
}

// The moon's faint sheen on small lights, which hold no figure box.
void paintSheen(QPainter& painter, const QPainterPath& shape) {
    const QRectF bounds = shape.boundingRect();
    QLinearGradient sheen(bounds.topLeft(), bounds.bottomRight());
    sheen.setColorAt(0, QColor(90, 100, 150, 90));
    sheen.setColorAt(0.6, QColor(90, 100, 150, 0));
    painter.setPen(Qt::NoPen);
    painter.setBrush(sheen);
    painter.drawPath(shape);
}

// The pane around a figure box leaves seven pixels of glass on every side of the box.
QRectF paneAround(const QRect& box) {
    return QRectF(box).adjusted(-7, -7, 7, 7);
}

QPainterPath archedShape(const QRectF& body, double rise) {
    QPainterPath path;
    path.moveTo(body.bottomLeft());
    path.lineTo(body.topLeft());
    path.arcTo(QRectF(body.left(), body.top() - rise, body.width(), 2 * rise), 180, -180);
    path.lineTo(body.bottomRight());
    path.closeSubpath();
    return path;
}

void paintDormer(QPainter& painter, const QRect& box, bool roundHood) {
    const QRectF pane = paneAround(box);
    const double cx = pane.center().x();
    if (roundHood) {
        const QRectF hood(pane.left() - 13, pane.top() - 33, pane.width() + 26, 60);
        QPainterPath eyebrow;
        eyebrow.moveTo(hood.left(), pane.top() - 3);
        eyebrow.arcTo(hood, 180, -180);
        eyebrow.closeSubpath();
        painter.setPen(QPen(trim, 3));
        painter.setBrush(slate);
        painter.drawPath(eyebrow);
    } else {
        QPainterPath gable;
        gable.moveTo(pane.left() - 12, pane.top() - 6);
        gable.lineTo(cx, pane.top() - 30);
        gable.lineTo(pane.right() + 12, pane.top() - 6);
        gable.closeSubpath();
        painter.setPen(QPen(trim, 3.5, Qt::SolidLine, Qt::SquareCap, Qt::MiterJoin));
        painter.setBrush(slateLight);
        painter.drawPath(gable);
        painter.setPen(QPen(trimShade, 0.8));
        painter.drawLine(QPointF(pane.left() - 10, pane.top() - 4),
                         QPointF(pane.right() + 10, pane.top() - 4));
    }

    const QPainterPath frame = archedShape(pane.adjusted(-6, 0, 6, 5), 16);
    painter.setPen(QPen(trimShade, 0.8));
    painter.setBrush(trim);
    painter.drawPath(frame);

    paintPane(painter, archedShape(pane, 10));
    paintSheen(painter, archedShape(QRectF(pane.left(), pane.top() - 1, pane.width(), 1), 10));
    // Fanlight bars in the arch, above the square of glass that holds the figure box.
    painter.setPen(QPen(trim, 1.6));
    painter.drawLine(QPointF(pane.left(), pane.top() - 1), QPointF(pane.right(), pane.top() - 1));
    const QPointF hub(cx, pane.top() - 1);
    painter.drawLine(hub, hub + QPointF(0, -9));
    painter.drawLine(hub, hub + QPointF(-19, -7));
    painter.drawLine(hub, hub + QPointF(19, -7));
    paintBoard(painter, QRectF(pane.left() - 9, pane.bottom() + 5, pane.width() + 18, 5));
}

void paintShutter(QPainter& painter, const QRectF& rect) {
    painter.setPen(QPen(slateDark, 1));
    painter.setBrush(slate);
    painter.drawRect(rect);
    painter.setPen(QPen(slateDark, 0.8));
    for (double y = rect.top() + 4; y < rect.bottom() - 2; y += 3)
        painter.drawLine(QPointF(rect.left() + 2, y), QPointF(rect.right() - 2, y));
    painter.setPen(QPen(slateLight, 0.6));
    painter.drawLine(rect.topLeft() + QPointF(1, 1), rect.bottomLeft() + QPointF(1, -1));
}

// A tall one-over-one sash: the lower sash is a single pane around the figure box, the
// upper one is split in three lights.
void paintSashWindow(QPainter& painter, const QRect& box) {
    const QRectF lower = paneAround(box);
    const QRectF upper(lower.left(), lower.top() - 27, lower.width(), 22);
    const QRectF frame(lower.left() - 6, upper.top() - 6, lower.width() + 12,
                       lower.bottom() + 4 - (upper.top() - 6));
    paintShutter(painter, QRectF(frame.left() - 16, frame.top() + 2, 13, frame.height() - 4));
    paintShutter(painter, QRectF(frame.right() + 3, frame.top() + 2, 13, frame.height() - 4));
    paintBoard(painter, frame);

    QPainterPath glass;
    glass.addRect(lower);
    glass.addRect(upper);
    paintPane(painter, glass);
    QPainterPath upperLights;
    upperLights.addRect(upper);
    paintSheen(painter, upperLights);
    painter.setPen(QPen(trim, 1.6));
    for (int i = 1; i < 3; ++i) {
        const double x = upper.left() + upper.width() * i / 3;
        painter.drawLine(QPointF(x, upper.top()), QPointF(x, upper.bottom()));
    }

    paintBoard(painter, QRectF(frame.left() - 4, frame.top() - 7, frame.width() + 8, 7));
    painter.fillRect(QRectF(frame.left() - 5, frame.top() - 9, frame.width() + 10, 2.5), slate);
    paintBoard(painter, QRectF(frame.left() - 4, frame.bottom(), frame.width() + 8, 5));
}

void paintDoor(QPainter& painter) {
    paintBoard(painter, QRectF(371, 394, 58, 97));
    const QRectF transom(378, 399, 44, 9);
    painter.setPen(QPen(slateDark, 1));
    painter.setBrush(SceneLayout::pane);
    painter.drawRect(transom);
    painter.setPen(QPen(trim, 1.2));
    for (int i = 1; i < 4; ++i)
        painter.drawLine(QPointF(378 + 11 * i, 399), QPointF(378 + 11 * i, 408));

    const QRectF leaf(378, 411, 44, 80);
    QLinearGradient wood(leaf.left(), 0, leaf.right(), 0);
    wood.setColorAt(0, QColor(132, 86, 50));
    wood.setColorAt(1, QColor(84, 52, 32));
    painter.setPen(QPen(QColor(50, 30, 18), 1));
    painter.setBrush(wood);
    painter.drawRect(leaf);
    for (const QRectF& panel : {QRectF(382, 415, 16, 32), QRectF(402, 415, 16, 32),
                                QRectF(382, 455, 16, 30), QRectF(402, 455, 16, 30)}) {
        painter.setPen(QPen(QColor(60, 36, 22), 1));
        painter.setBrush(QColor(106, 68, 40));
        painter.drawRect(panel);
        painter.setPen(QPen(QColor(160, 112, 70, 150), 0.8));
        painter.drawLine(panel.topLeft() + QPointF(1, 1), panel.topRight() + QPointF(-1, 1));
        painter.drawLine(panel.topLeft() + QPointF(1, 1), panel.bottomLeft() + QPointF(1, -1));
    }
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(214, 172, 80));
    painter.drawEllipse(QPointF(415, 452), 2, 2);
}

void paintLantern(QPainter& painter) {
    const QPointF at(362, 424);
    QRadialGradient glow(at, 30);
    glow.setColorAt(0, QColor(255, 200, 110, 120));
    glow.setColorAt(0.4, QColor(255, 180, 90, 40));
    glow.setColorAt(1, QColor(255, 170, 80, 0));
    painter.setPen(Qt::NoPen);
    painter.setBrush(glow);
    painter.drawEllipse(at, 30, 30);
    painter.setBrush(QColor(30, 28, 30));
    painter.drawRect(QRectF(at.x() - 4.5, at.y() - 9, 9, 3));
    painter.drawRect(QRectF(at.x() - 3.5, at.y() + 5, 7, 2));
    painter.setBrush(QColor(255, 222, 150));
    painter.drawRect(QRectF(at.x() - 3.5, at.y() - 6, 7, 11));
    painter.setPen(QPen(QColor(30, 28, 30), 1));
    painter.drawLine(at + QPointF(0, -6), at + QPointF(0, 5));
}

void paintRailing(QPainter& painter, double left, double right) {
    painter.setPen(QPen(trimShade, 0.6));
    painter.setBrush(trim);
    for (double x = left + 4; x < right - 2; x += 6)
        painter.drawRect(QRectF(x, 461, 2.2, 22));
    paintBoard(painter, QRectF(left, 458, right - left, 3.5));
    paintBoard(painter, QRectF(left, 482, right - left, 3));
}

void paintPorch(QPainter& painter) {
    QPainterPath roof;
    roof.moveTo(322, 375);
    roof.lineTo(478, 375);
    roof.lineTo(487, 389);
    roof.lineTo(313, 389);
    roof.closeSubpath();
    painter.setPen(Qt::NoPen);
    painter.setBrush(slate);
    painter.drawPath(roof);
    painter.setPen(QPen(slateDark, 0.8));
    for (double y = 379; y < 389; y += 3.5)
        painter.drawLine(QPointF(322 - (y - 375) * 0.64, y), QPointF(478 + (y - 375) * 0.64, y));
    paintBoard(painter, QRectF(311, 389, 178, 5));

    for (double x : {318.0, 475.0}) {
        paintBoard(painter, QRectF(x, 394, 7, 94));
        painter.fillRect(QRectF(x + 5, 394, 2, 94), QColor(20, 24, 44, 60));
    }
    paintRailing(painter, 325, 371);
    paintRailing(painter, 429, 475);

    QLinearGradient deck(0, 488, 0, 494);
    deck.setColorAt(0, QColor(150, 144, 136));
    deck.setColorAt(1, QColor(96, 90, 86));
    painter.fillRect(QRectF(312, 488, 176, 6), deck);
    const QRectF steps[] = {QRectF(366, 494, 68, 8), QRectF(360, 502, 80, 8),
                            QRectF(354, 510, 92, 8)};
    for (const QRectF& step : steps) {
        painter.fillRect(step, QColor(92, 88, 86));
        painter.fillRect(QRectF(step.left(), step.top(), step.width(), 2), QColor(146, 142, 138));
        painter.fillRect(QRectF(step.right() - 6, step.top(), 6, step.height()),
                         QColor(20, 22, 34, 80));
    }
}

} // namespace

void HouseParts::paintWindows(QPainter& painter) {
    const auto& boxes = SceneLayout::figureBoxes;
    paintDormer(painter, boxes[0], false);
    paintDormer(painter, boxes[1], true);
    paintDormer(painter, boxes[2], false);
    paintSashWindow(painter, boxes[3]);
    paintSashWindow(painter, boxes[4]);
}

void HouseParts::paintEntrance(QPainter& painter) {
    paintDoor(painter);
    paintLantern(painter);
    paintPorch(painter);
}
