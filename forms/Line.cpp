#include "forms/Line.h"

#include <QPainter>

Line::Line(QWidget* parent, const LineSpec& settings) : QWidget(parent), m_color(settings.color) {
    const QPoint from(settings.x1 / 15, settings.y1 / 15);
    const QPoint to(settings.x2 / 15, settings.y2 / 15);
    setGeometry(
        QRect(from, to).normalized().adjusted(0, 0, settings.width - 1, settings.width - 1));
    setAttribute(Qt::WA_TransparentForMouseEvents);
}

void Line::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.fillRect(rect(), m_color.isValid() ? m_color : palette().color(QPalette::WindowText));
}
