#include "forms/Label.h"

#include <QPainter>
#include <qdrawutil.h>

Label::Label(QWidget* parent, const LabelSpec& spec)
    : ClickArea(parent), m_caption(spec.caption), m_foreColor(spec.foreColor),
      m_backColor(spec.backColor), m_transparent(spec.transparent), m_alignment(spec.alignment),
      m_border(spec.border), m_name(spec.accessibleName) {
    setGeometry(spec.bounds.pixels());
    setFont(layoutFont(spec.font));
    if (spec.pointer) {
        setCursor(*spec.pointer);
    }
    setToolTip(spec.toolTip);
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
