// SPDX-FileCopyrightText: 2026 Omvar team
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "forms/MessageBoxes.h"

class QMessageBox;

// Application-modal QMessageBox: returns when the player has pressed OK.
class QtMessageBoxes : public MessageBoxes {
public:
    void show(const QString& text, const QString& caption, MessageIcon icon) override;

    // Sets up a box as show() shows it.
    static void prepare(QMessageBox& box, const QString& text, const QString& caption,
                        MessageIcon icon);
};
