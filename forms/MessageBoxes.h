// SPDX-FileCopyrightText: 2026 Omvar team
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QString>

enum class MessageIcon { Information, Exclamation, Critical };

// The message box: text, caption, icon and the single button OK. Modal in the program;
// scripted and recorded in tests.
class MessageBoxes {
public:
    virtual ~MessageBoxes() = default;
    virtual void show(const QString& text, const QString& caption, MessageIcon icon) = 0;
};
