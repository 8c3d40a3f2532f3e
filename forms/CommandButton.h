// SPDX-FileCopyrightText: 2026 Omvar team
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "forms/Layout.h"

#include <QPushButton>
#include <functional>

struct CommandButtonSpec {
    Twips bounds;
    QString caption = {};
    QString toolTip = {};
    bool enabled = true;
};

// A command button with the default font and the arrow pointer; never a default (Enter)
// or cancel (Esc) button. Enter and Space both press it while it has the focus.
class CommandButton : public QPushButton {
public:
    CommandButton(QWidget* parent, const CommandButtonSpec& settings);
    void setClickHandler(std::function<void()> handler) { m_handler = std::move(handler); }

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    std::function<void()> m_handler;
};
