// SPDX-FileCopyrightText: 2026 Omvar team
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QWidget>
#include <functional>

// A windowless control that takes clicks: a press and a release of the left button on the
// same control. The second press of a double-click is not a click. Every press is taken,
// so a control without a handler swallows the click instead of passing it on.
class ClickArea : public QWidget {
public:
    explicit ClickArea(QWidget* parent);
    void setClickHandler(std::function<void()> handler) { m_handler = std::move(handler); }

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    std::function<void()> m_handler;
    bool m_armed = false;
};
