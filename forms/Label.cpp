// SPDX-FileCopyrightText: 2026 Omvar team
// SPDX-License-Identifier: GPL-3.0-or-later

#include "forms/Label.h"

#include <QPainter>
#include <qdrawutil.h>

Label::Label(QWidget* parent, const LabelSpec& settings)
    : ClickArea(parent), m_caption(settings.caption), m_foreColor(settings.foreColor),
      m_backColor(settings.backColor), m_transparent(settings.transparent),
      m_alignment(settings.alignment), m_border(settings.border), m_name(settings.accessibleName) {
    setGeometry(settings.bounds.pixels());
    setFont(layoutFont(settings.font));
    if (settings.pointer) {
        setCursor(*settings.pointer);
    }
    setToolTip(settings.toolTip);
    setAccessibleName(m_caption.isEmpty() ? m_name : m_caption);
}

void Label::setCaption(const QString& caption) {
    if (caption == m_caption) {
        return;
    }
    m_caption = caption;
    setAccessibleName(m_caption.isEmpty() ? m_name : m_caption);
    update();
}

void Label::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    QRect area = rect();
    if (!m_transparent) {
        painter.fillRect(area,
                         m_backColor.isValid() ? m_backColor : palette().color(QPalette::Button));
    }
    if (m_border) {
        qDrawShadePanel(&painter, area, palette(), true, 1);
        area.adjust(1, 1, -1, -1);
    }
    if (m_caption.isEmpty()) {
        return;
    }
    painter.setPen(m_foreColor.isValid() ? m_foreColor : palette().color(QPalette::WindowText));
    painter.drawText(area, int(m_alignment | Qt::AlignTop | Qt::TextWordWrap), m_caption);
}
