#include "forms/Line.h"

#include <QPainter>

Line::Line(QWidget* parent, const LineSpec& spec) : QWidget(parent), m_color(spec.color) {
    const QPoint from(spec.x1 / 15, spec.y1 / 15);
    const QPoint to(spec.x2 / 15, spec.y2 / 15);
    setGeometry(QRect(from, to).normalized().adjusted(0, 0, spec.width - 1, spec.width - 1));
    setAttribute(Qt::WA_TransparentForMouseEvents);
}

void Line::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.fillRect(rect(), m_color.isValid() ? m_color : palette().color(QPalette::WindowText));
}
