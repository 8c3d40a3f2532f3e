// SPDX-FileCopyrightText: 2026 Omvar team
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "forms/MessageBoxes.h"

#include <functional>
#include <vector>

// Message boxes that are recorded instead of shown; a test may look around while one is up.
class RecordedMessageBoxes : public MessageBoxes {
public:
    struct Shown {
        QString text;
        QString caption;
        MessageIcon icon;
    };

    void show(const QString& text, const QString& caption, MessageIcon icon) override {
        shown.push_back({text, caption, icon});
        if (whileShown) {
            whileShown();
        }
    }

    std::vector<Shown> shown;
    std::function<void()> whileShown;
};
