// SPDX-FileCopyrightText: 2026 Omvar team
// SPDX-License-Identifier: GPL-3.0-or-later

#include "forms/ClickArea.h"

#include <QMouseEvent>

ClickArea::ClickArea(QWidget* parent) : QWidget(parent) {}

void ClickArea::mousePressEvent(QMouseEvent* event) {
    m_armed = event->button() == Qt::LeftButton;
    event->accept();
}

void ClickArea::mouseDoubleClickEvent(QMouseEvent* event) {
    m_armed = false;
    event->accept();
}

void ClickArea::mouseReleaseEvent(QMouseEvent* event) {
    const bool click = m_armed && event->button() == Qt::LeftButton &&
                       rect().contains(event->position().toPoint());
    m_armed = false;
    event->accept();
    if (click && m_handler) {
        m_handler();
    }
}
