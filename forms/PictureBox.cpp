// SPDX-FileCopyrightText: 2026 Omvar team
// SPDX-License-Identifier: GPL-3.0-or-later

#include "forms/PictureBox.h"

#include <QPainter>

PictureBox::PictureBox(QWidget* parent, const PictureBoxSpec& settings)
    : ClickArea(parent), m_picture(settings.picture), m_backColor(settings.backColor) {
    setGeometry(settings.bounds.pixels());
    if (settings.pointer) {
        setCursor(*settings.pointer);
    }
    setToolTip(settings.toolTip);
    setAccessibleName(settings.accessibleName);
    setFocusPolicy(Qt::TabFocus);
    setAttribute(Qt::WA_OpaquePaintEvent);
    setVisible(settings.visible);
}

void PictureBox::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.fillRect(rect(),
                     m_backColor.isValid() ? m_backColor : palette().color(QPalette::Button));
    painter.drawPixmap(0, 0, m_picture);
}
