#include "forms/PictureBox.h"

#include <QPainter>

PictureBox::PictureBox(QWidget* parent, const PictureBoxSpec& spec)
    : ClickArea(parent), m_picture(spec.picture), m_backColor(spec.backColor) {
    setGeometry(spec.bounds.pixels());
    if (spec.pointer) {
        setCursor(*spec.pointer);
    }
    setToolTip(spec.toolTip);
    setAccessibleName(spec.accessibleName);
    setFocusPolicy(Qt::TabFocus);
    setAttribute(Qt::WA_OpaquePaintEvent);
    setVisible(spec.visible);
}

void PictureBox::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.fillRect(rect(),
                     m_backColor.isValid() ? m_backColor : palette().color(QPalette::Button));
    painter.drawPixmap(0, 0, m_picture);
}
