// SPDX-FileCopyrightText: 2026 Omvar team
// SPDX-License-Identifier: GPL-3.0-or-later

#include "forms/CommandButton.h"

#include <QKeyEvent>

CommandButton::CommandButton(QWidget* parent, const CommandButtonSpec& settings)
    : QPushButton(settings.caption, parent) {
    setGeometry(settings.bounds.pixels());
    setFont(layoutFont(DefaultFont));
    setCursor(Qt::ArrowCursor);
    setToolTip(settings.toolTip);
    setAccessibleName(settings.caption);
    setAutoDefault(false);
    setDefault(false);
    setEnabled(settings.enabled);
    connect(this, &QPushButton::clicked, this, [this] {
        if (m_handler) {
            m_handler();
        }
    });
}

void CommandButton::keyPressEvent(QKeyEvent* event) {
    // A push button that is not a default button ignores Enter; Space it handles itself.
    const bool enter = event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter;
    if (enter && (event->modifiers() & ~Qt::KeypadModifier) == Qt::NoModifier) {
        if (!event->isAutoRepeat()) {
            click();
        }
        return;
    }
    QPushButton::keyPressEvent(event);
}
