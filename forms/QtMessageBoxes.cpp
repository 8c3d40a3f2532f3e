// SPDX-FileCopyrightText: 2026 Omvar team
// SPDX-License-Identifier: GPL-3.0-or-later

#include "forms/QtMessageBoxes.h"

#include <QGuiApplication>
#include <QMessageBox>
#include <QWindow>

void QtMessageBoxes::show(const QString& text, const QString& caption, MessageIcon icon) {
    QMessageBox box;
    prepare(box, text, caption, icon);
    // The box belongs to the window the player was using: the window system keeps it in
    // front of that window.
    if (QWindow* opener = QGuiApplication::focusWindow()) {
        box.winId();
        box.windowHandle()->setTransientParent(opener);
    }
    box.exec();
}

void QtMessageBoxes::prepare(QMessageBox& box, const QString& text, const QString& caption,
                             MessageIcon icon) {
    box.setWindowTitle(caption);
    box.setText(text);
    box.setStandardButtons(QMessageBox::Ok);
    switch (icon) {
    case MessageIcon::Information:
        box.setIcon(QMessageBox::Information);
        break;
    case MessageIcon::Exclamation:
        box.setIcon(QMessageBox::Warning);
        break;
    case MessageIcon::Critical:
        box.setIcon(QMessageBox::Critical);
        break;
    }
    box.setAccessibleName(caption);
}
